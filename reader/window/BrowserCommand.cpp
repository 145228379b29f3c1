#include "reader/window/BrowserCommand.h"

#include <new>

#include "reader/window/DictionaryLanguages.h"
#include "reader/window/WebAddresses.h"

namespace {

// Appends a zero-terminated text while room is left for the terminator.
template <typename Char>
void append(char16_t* out, uint32_t capacity, uint32_t& length, const Char* text)
{
    for (; *text != 0 && length + 1 < capacity; ++text)
        out[length++] = static_cast<char16_t>(*text);
    out[length] = 0;
}

} // namespace

uint32_t buildLookupAddress(const CellChar* word, uint32_t targetLanguage, uint32_t interfaceLanguage, char16_t* out,
                            uint32_t capacity)
{
    if (out == nullptr || capacity == 0)
        return 0;
    uint32_t length = 0;
    out[0] = 0;
    append(out, capacity, length, LookupAddressPrefix);
    if (word != nullptr)
        append(out, capacity, length, word);
    append(out, capacity, length, u"&tl=");
    append(out, capacity, length, dictionaryLanguageCode(targetLanguage));
    append(out, capacity, length, u"&uil=");
    append(out, capacity, length, dictionaryLanguageCode(interfaceLanguage));
    return length;
}

bool browserPathFromCommand(const PlatformChar* value, uint32_t length, PlatformChar* path, uint32_t capacity)
{
    if (value == nullptr || path == nullptr || capacity == 0)
        return false;
    uint32_t end = 0;
    while (end < length && value[end] != 0)
        ++end;
    uint32_t first = 0;
    PlatformChar stop = ' ';
    if (end > 0 && value[0] == '"') {
        first = 1;
        stop = '"';
    }
    uint32_t last = first;
    while (last < end && value[last] != stop)
        ++last;
    const uint32_t n = last - first;
    if (n == 0 || n + 1 > capacity)
        return false;
    for (uint32_t k = 0; k < n; ++k)
        path[k] = value[first + k];
    path[n] = 0;
    return true;
}

PlatformChar* newBrowserCommandLine(const PlatformChar* path, const char16_t* address)
{
    if (path == nullptr || path[0] == 0 || address == nullptr)
        return nullptr;
    uint32_t pathLength = 0;
    while (path[pathLength] != 0)
        ++pathLength;
    uint32_t addressLength = 0;
    while (address[addressLength] != 0)
        ++addressLength;
    PlatformChar* line = new (std::nothrow) PlatformChar[pathLength + addressLength + 3];
    if (line == nullptr)
        return nullptr;
    uint32_t k = 0;
    line[k++] = '"';
    for (uint32_t i = 0; i < pathLength; ++i)
        line[k++] = path[i];
    line[k++] = '"';
    for (uint32_t i = 0; i < addressLength; ++i)
        line[k++] = static_cast<PlatformChar>(address[i]);
    line[k] = 0;
    return line;
}
