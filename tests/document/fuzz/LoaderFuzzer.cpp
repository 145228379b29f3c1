// libFuzzer entry for the book and translation parsing; built and run by
// scripts/fuzz-loader.sh (clang), not by the test command.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "../LoaderInvariants.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // As read from a file: little-endian units after the byte-order mark,
    // a lone last byte dropped.
    std::vector<char16_t> units;
    for (size_t i = 2; i + 1 < size; i += 2)
        units.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
    std::string broken = checkLoaderInvariants(units.data(), static_cast<uint32_t>(units.size()));
    if (broken.empty())
        broken = checkMalformedRecord(units.data(), static_cast<uint32_t>(units.size()));
    if (!broken.empty()) {
        std::fprintf(stderr, "%s\n", broken.c_str());
        std::abort();
    }
    return 0;
}
