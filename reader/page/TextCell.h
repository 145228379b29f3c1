#pragma once

#include <cstdint>

#include "core/FixedArray.h"
#include "core/Geometry.h"
#include "core/PlatformChar.h"
#include "core/RgbColor.h"

// One laid-out character of the book: the character, its colour and its box
// in document pixels. All cells of one line share their top and bottom, and
// tops never decrease in reading order.
class TextCell {
public:
    TextCell() : m_in_word(0), m_spare_flag(0), m_spare_value(0), m_char(0) {}
    TextCell(CellChar c, const Rect& box, uint8_t inWord)
        : m_in_word(inWord), m_spare_flag(0), m_spare_value(0), m_char(c), m_box(box)
    {
    }
    virtual ~TextCell() = default;

    TextCell(const TextCell&) = default;
    TextCell& operator=(const TextCell&) = default;

    int32_t top() const { return m_box.top(); }
    int32_t bottom() const { return m_box.bottom(); }
    int32_t left() const { return m_box.left(); }
    int32_t right() const { return m_box.right(); }
    const Rect& box() const { return m_box; }

    CellChar character() const { return m_char; }
    uint8_t inWord() const { return m_in_word; }

    const RgbColor& color() const { return m_color; }
    void setColor(const RgbColor& c)
    {
        m_color.red = c.red;
        m_color.green = c.green;
        m_color.blue = c.blue;
    }

private:
    uint8_t m_in_word;    // 1 for a character of a word, 0 for the blank after it
    uint8_t m_spare_flag; // inert: always 0, copied, read by nothing
    RgbColor m_color;
    int32_t m_spare_value; // inert: always 0, copied, read by nothing
    CellChar m_char;
    Rect m_box;
};

// One cell per character of the book, indexed by the book-wide character index.
class CellArray : public FixedArray<TextCell> {
public:
    ~CellArray() override = default;
};
