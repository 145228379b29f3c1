#pragma once

#include <cstdint>

#include "reader/page/TextCell.h"

// Character classes as the bits of the platform's CT_CTYPE1 string types.
enum CharClassBits : uint16_t {
    ClassUpper = 0x0001,
    ClassLower = 0x0002,
    ClassDigit = 0x0004,
    ClassSpace = 0x0008,
    ClassPunct = 0x0010,
    ClassControl = 0x0020,
    ClassAlpha = 0x0100,
};

// Classes a character from U+0100 up (the platform's Unicode tables).
using UnicodeClassifier = uint16_t (*)(char16_t c);

// The classes the text layer uses to find words, in three bands: the ASCII
// classes below U+0080, no class at all from U+0080 to U+00FF, and the
// platform's classes from U+0100 up. So an accented Latin letter ends a drawn
// word but belongs to a picked one.
class CharClasses {
public:
    explicit CharClasses(UnicodeClassifier fromU0100) : m_from_u0100(fromU0100) {}
    virtual ~CharClasses() = default;

    uint16_t classify(char16_t c) const;

    // A letter continues a drawn word. In the narrow program a cell holds a
    // byte, and only A to Z and a to z are letters.
    bool isLetter(CellChar c) const;
    // Anything that is not punctuation, digit, space or control belongs to a
    // picked word.
    bool isWordChar(CellChar c) const;

private:
    UnicodeClassifier m_from_u0100;
};
