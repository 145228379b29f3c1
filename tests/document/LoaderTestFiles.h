#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "document/BookText.h"

// A fresh directory made current for the life of a test, so that the loader
// finds "book.txt" and "book_t%d.txt" by their bare names.
class ScratchDirectory {
public:
    ScratchDirectory();
    ~ScratchDirectory();

    const std::filesystem::path& path() const { return m_path; }

private:
    std::filesystem::path m_previous;
    std::filesystem::path m_path;
};

// Writes raw bytes to a file of the current directory.
void writeBytes(const std::string& name, const std::string& bytes);

// UTF-16LE bytes of a text, with a leading byte-order mark when asked.
std::string utf16Bytes(const std::u16string& text, bool byteOrderMark = true);

std::u16string toU16(const WideString& s);
