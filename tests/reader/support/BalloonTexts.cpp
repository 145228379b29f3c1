#include "BalloonTexts.h"

#include <random>

std::u16string wordsText(size_t length, uint32_t seed)
{
    static const char16_t letters[] = u"acemnorsuvwxz";
    const uint32_t letterCount = sizeof(letters) / sizeof(letters[0]) - 1;
    std::mt19937 random(seed);
    std::u16string text;
    while (text.size() < length) {
        if (!text.empty())
            text.push_back(u' ');
        const uint32_t n = 1 + random() % 10;
        for (uint32_t i = 0; i < n; ++i)
            text.push_back(letters[random() % letterCount]);
    }
    text.resize(length);
    return text;
}
