#include "LoaderTestFiles.h"

#include <chrono>
#include <fstream>
#include <random>

namespace fs = std::filesystem;

ScratchDirectory::ScratchDirectory() : m_previous(fs::current_path())
{
    std::random_device device;
    const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
    m_path = fs::temp_directory_path() /
             ("tavrems-loader-" + std::to_string(device()) + "-" + std::to_string(static_cast<long long>(ticks)));
    fs::create_directories(m_path);
    fs::current_path(m_path);
}

ScratchDirectory::~ScratchDirectory()
{
    std::error_code ignored;
    fs::current_path(m_previous, ignored);
    fs::remove_all(m_path, ignored);
}

void writeBytes(const std::string& name, const std::string& bytes)
{
    std::ofstream out(name, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string utf16Bytes(const std::u16string& text, bool byteOrderMark)
{
    std::string bytes;
    if (byteOrderMark)
        bytes += "\xFF\xFE";
    for (char16_t c : text) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>(c >> 8);
    }
    return bytes;
}

std::u16string toU16(const WideString& s)
{
    std::u16string text;
    for (uint32_t i = 0; i < s.count(); ++i)
        text += s.at(i);
    return text;
}
