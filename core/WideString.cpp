#include "core/WideString.h"

WideString& WideString::assign(const char16_t* text)
{
    static const char16_t empty[] = {0};
    if (text == nullptr)
        text = empty;
    uint32_t len = 0;
    while (text[len] != 0)
        ++len;
    setSize(len + 1);
    for (uint32_t i = 0; i <= len; ++i)
        at(i) = text[i];
    return *this;
}
