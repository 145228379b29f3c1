#include "tools/demo/DemoFiles.h"

#include <cstdio>

bool writeFileBytes(const std::string& path, const std::string& bytes)
{
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

std::string asciiFileName(const WideString& name)
{
    std::string text;
    for (uint32_t i = 0; i < name.count() && name.at(i) != 0; ++i)
        text += static_cast<char>(name.at(i) < 0x80 ? name.at(i) : u'_');
    return text;
}
