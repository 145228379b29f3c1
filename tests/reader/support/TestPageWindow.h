#pragma once

// The reader window with a page of its own instead of the book: cells on a
// fixed grid (see TestCells.h), so that tests know where every word is.

#include <string>
#include <vector>

#include "ReaderTestWindow.h"
#include "TestCells.h"

class TestPageWindow : public ReaderTestWindow {
public:
    explicit TestPageWindow(const std::vector<std::u16string>& lines) : m_lines(lines) {}

    // Lays the page out and ends start-up as the reader does.
    void start() override;

    const std::vector<std::u16string>& lines() const { return m_lines; }

private:
    std::vector<std::u16string> m_lines;
};

// The page of the window tests: a few words to look up on line 1, then
// lines enough for the document to be 9000 pixels tall.
std::vector<std::u16string> testPageLines();
const uint32_t TestPageLineCount = 300;
// Where the words of line 1 start (columns of the grid).
const uint32_t MaisonColumn = 3;
const uint32_t DigitColumn = 10;
const uint32_t OneLetterColumn = 12;
const uint32_t EteColumn = 14;
const uint32_t BlankColumn = 9;
