#include "LoaderInvariants.h"

#include <vector>

#include "document/BookLoader.h"
#include "document/BookText.h"

namespace {

struct Phrase {
    std::u16string m_text;
    int32_t m_first;
    int32_t m_last;

    bool operator==(const Phrase& other) const
    {
        return m_text == other.m_text && m_first == other.m_first && m_last == other.m_last;
    }
};

// The phrases of each paragraph, as one translation file gives them.
using Phrases = std::vector<std::vector<Phrase>>;

const uint32_t kParagraphs = 5;

Phrases readTranslation(const std::u16string& file)
{
    BookText text;
    text.setSize(kParagraphs);
    text.setTranslationCount(1);
    BookLoader::sizeTranslationArrays(text, 1);
    BookLoader::parseTranslation(text, 0, file.data(), static_cast<uint32_t>(file.size()));
    Phrases phrases(kParagraphs);
    for (uint32_t p = 0; p < kParagraphs; ++p) {
        TranslationPhraseArray& array = text.at(p).translation(0);
        for (uint32_t k = 0; k < array.count(); ++k) {
            TranslationPhrase& phrase = array.at(k);
            std::u16string characters;
            for (uint32_t i = 0; i < phrase.count(); ++i)
                characters += phrase.at(i);
            phrases[p].push_back({characters, phrase.first(), phrase.last()});
        }
    }
    return phrases;
}

std::u16string decimal(uint32_t n)
{
    const std::string digits = std::to_string(n);
    return std::u16string(digits.begin(), digits.end());
}

bool isDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

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

std::string checkMalformedRecord(const char16_t* units, uint32_t length)
{
    struct Record {
        uint32_t paragraph;
        std::u16string header;
        std::u16string text;
    };
    std::vector<Record> records = {
        {0, u"0|0|8", u"He said."}, {0, u"0|10|19", u"It rains."}, {2, u"2|0|4", u"Yes."},
        {2, u"2|6|9", u"No."},      {3, u"3|0|2", u"Oh"},
    };

    // The record's place, and whether it joins the paragraph of the record
    // before it or of the one after it.
    const uint32_t choice = length > 0 ? units[0] : 0;
    const size_t place = choice % (records.size() + 1);
    const bool joinsEarlier = place == records.size() || (place > 0 && (choice & 0x100) != 0);
    const uint32_t paragraph = records[joinsEarlier ? place - 1 : place].paragraph;
    Record odd = {paragraph, decimal(paragraph), std::u16string()};
    uint32_t i = length > 0 ? 1 : 0;
    // A digit straight after the number would make it another paragraph's.
    if (i < length && units[i] != BookLoader::lineSeparator() && isDigit(units[i]))
        odd.header += u'|';
    for (; i < length && units[i] != BookLoader::lineSeparator(); ++i)
        odd.header += units[i];
    for (; i < length; ++i) {
        if (units[i] != BookLoader::lineSeparator())
            odd.text += units[i];
    }

    std::u16string without;
    std::u16string with;
    for (size_t k = 0; k <= records.size(); ++k) {
        if (k == place)
            with += odd.header + u"\r\n" + odd.text + u"\r\n";
        if (k < records.size()) {
            const std::u16string lines = records[k].header + u"\r\n" + records[k].text + u"\r\n";
            without += lines;
            with += lines;
        }
    }

    const Phrases expected = readTranslation(without);
    Phrases found = readTranslation(with);
    std::vector<Phrase>& own = found[paragraph];
    size_t index = 0;
    for (size_t k = 0; k < place; ++k) {
        if (records[k].paragraph == paragraph)
            ++index;
    }
    if (own.size() == expected[paragraph].size() + 1) {
        if (!own[index].m_text.empty() && own[index].m_text != odd.text)
            return "the odd record's phrase is neither its text line nor empty";
        own.erase(own.begin() + static_cast<std::ptrdiff_t>(index));
    }
    for (uint32_t p = 0; p < kParagraphs; ++p) {
        if (found[p] != expected[p])
            return "the odd record in paragraph " + std::to_string(paragraph) + " changed the phrases of paragraph " +
                   std::to_string(p);
    }
    return std::string();
}
