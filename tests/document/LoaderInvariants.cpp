#include "LoaderInvariants.h"

#include "document/BookLoader.h"
#include "document/BookText.h"

namespace {

std::string checkParagraphs(BookText& text, uint32_t length, uint32_t separators)
{
    uint64_t characters = 0;
    for (uint32_t p = 0; p < text.count(); ++p) {
        BookParagraph& paragraph = text.at(p);
        const int64_t n = paragraph.text().count();
        characters += static_cast<uint64_t>(n);
        for (uint32_t w = 0; w < paragraph.wordRanges().count(); ++w) {
            const WordRange& word = paragraph.wordRanges().at(w);
            if (word.length() < 0 || word.begin() < 0 || word.begin() + int64_t{word.length()} > n)
                return "word " + std::to_string(w) + " of paragraph " + std::to_string(p) + " leaves its text";
        }
    }
    // Every unit is a character of one paragraph or a line separator.
    if (characters + separators != length)
        return "paragraphs hold " + std::to_string(characters) + " characters of " + std::to_string(length);
    return std::string();
}

std::string checkPhrases(BookText& text, uint32_t length)
{
    uint64_t characters = 0;
    for (uint32_t p = 0; p < text.count(); ++p) {
        TranslationPhraseArray& phrases = text.at(p).translation(0);
        for (uint32_t k = 0; k < phrases.count(); ++k)
            characters += phrases.at(k).count();
    }
    if (characters > length)
        return "phrases hold more characters than the file";
    return std::string();
}

} // namespace

std::string checkLoaderInvariants(const char16_t* units, uint32_t length)
{
    uint32_t separators = 0;
    for (uint32_t i = 0; i < length; ++i) {
        if (units[i] == BookLoader::lineSeparator())
            ++separators;
    }

    BookText text;
    uint32_t paragraphs = 0;
    if (!BookLoader::countParagraphs(paragraphs, units, length) || paragraphs != separators + 1)
        return "wrong paragraph count";
    if (!text.setSize(paragraphs))
        return "no memory for the paragraphs";
    BookLoader::splitParagraphs(text, units, length);
    std::string broken = checkParagraphs(text, length, separators);
    if (!broken.empty())
        return broken;

    // The same units read as a translation of that book.
    text.setTranslationCount(1);
    BookLoader::sizeTranslationArrays(text, 1);
    BookLoader::parseTranslation(text, 0, units, length);
    return checkPhrases(text, length);
}
