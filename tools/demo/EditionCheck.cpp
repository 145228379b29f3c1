#include "tools/demo/EditionCheck.h"

#include <cstdio>
#include <map>
#include <set>

#include "edition/ChapterTable.h"
#include "tools/demo/ChapterHeadings.h"
#include "tools/demo/DemoFiles.h"

namespace {

const char16_t kCarriageReturn = 0x000D;
const char16_t kBlank = 0x0020;

std::string number(uint64_t n)
{
    return std::to_string(n);
}

std::string utf8(const char16_t* text)
{
    std::string out;
    for (uint32_t i = 0; text[i] != 0; ++i) {
        const uint32_t c = text[i];
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::string time(uint32_t milliseconds)
{
    char text[32];
    std::snprintf(text, sizeof(text), "%u:%02u.%03u", milliseconds / 60000, milliseconds / 1000 % 60,
                  milliseconds % 1000);
    return text;
}

// The title stands as whole words: "CHAPITRE I" is not found in "CHAPITRE II".
bool holdsTitle(const WideString& text, const char16_t* title)
{
    uint32_t n = 0;
    while (title[n] != 0)
        ++n;
    for (uint32_t at = 0; at + n <= text.count(); ++at) {
        if (at > 0 && text.at(at - 1) != kBlank)
            continue;
        uint32_t i = 0;
        while (i < n && text.at(at + i) == title[i])
            ++i;
        if (i < n)
            continue;
        const bool ends = at + n == text.count() || text.at(at + n) == kBlank || text.at(at + n) == kCarriageReturn;
        if (ends)
            return true;
    }
    return false;
}

bool hasCyrillic(const WideString& text)
{
    for (uint32_t i = 0; i < text.count(); ++i) {
        if (text.at(i) >= 0x0400 && text.at(i) <= 0x04FF)
            return true;
    }
    return false;
}

bool hasLatinLetter(const WideString& text)
{
    for (uint32_t i = 0; i < text.count(); ++i) {
        const char16_t c = text.at(i);
        if ((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'))
            return true;
    }
    return false;
}

uint32_t littleEndian(const unsigned char* bytes, int size)
{
    uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | bytes[i];
    return value;
}

bool readAll(const std::string& fileName, std::string& bytes)
{
    FILE* file = std::fopen(fileName.c_str(), "rb");
    if (file == nullptr)
        return false;
    char buffer[65536];
    size_t n = 0;
    bytes.clear();
    while ((n = std::fread(buffer, 1, sizeof(buffer), file)) > 0)
        bytes.append(buffer, n);
    std::fclose(file);
    return true;
}

} // namespace

uint32_t requiredParagraphCount(const AudioSegmentArray& table)
{
    uint32_t count = 0;
    for (uint32_t i = 0; i < table.count(); ++i) {
        const AudioSegment& s = table.at(i);
        if (s.isValid() && s.paragraphIndex() >= 0 && static_cast<uint32_t>(s.paragraphIndex()) + 1 > count)
            count = static_cast<uint32_t>(s.paragraphIndex()) + 1;
    }
    for (uint32_t k = 0; k < chapterCount(); ++k) {
        if (chapterHeadingParagraph(k) + 1 > count)
            count = chapterHeadingParagraph(k) + 1;
    }
    return count;
}

void checkSegmentsInText(const BookText& text, const AudioSegmentArray& table, std::vector<std::string>& problems)
{
    const uint32_t required = requiredParagraphCount(table);
    if (text.count() < required)
        problems.push_back("the book has " + number(text.count()) + " paragraphs, the tables need " + number(required));
    std::set<uint32_t> reported;
    for (uint32_t i = 0; i < table.count(); ++i) {
        const AudioSegment& s = table.at(i);
        if (!s.isValid())
            continue;
        const std::string name = "segment " + number(i) + " (paragraph " + std::to_string(s.paragraphIndex()) +
                                 ", characters " + std::to_string(s.firstChar()) + " to " +
                                 std::to_string(s.lastChar()) + ")";
        if (s.paragraphIndex() < 0 || static_cast<uint32_t>(s.paragraphIndex()) >= text.count()) {
            problems.push_back(name + ": the book has no such paragraph");
            continue;
        }
        const uint32_t p = static_cast<uint32_t>(s.paragraphIndex());
        const WideString& t = text.at(p).text();
        const uint32_t n = t.count();
        if ((n == 0 || t.at(n - 1) != kCarriageReturn) && reported.insert(p).second)
            problems.push_back("paragraph " + number(p) + " does not end with a carriage return");
        if (s.firstChar() < 0 || s.lastChar() < s.firstChar() || n < 2 || static_cast<uint32_t>(s.lastChar()) > n - 2)
            problems.push_back(name + ": not inside the paragraph's " + number(n) + " characters before its line end");
    }
}

void checkChapterCells(const BookText& text, const AudioSegmentArray& table, std::vector<std::string>& problems)
{
    std::vector<uint64_t> offsets(text.count() + 1, 0);
    for (uint32_t p = 0; p < text.count(); ++p)
        offsets[p + 1] = offsets[p] + text.at(p).text().count();
    std::set<int32_t> withSegments;
    for (uint32_t i = 0; i < table.count(); ++i) {
        if (table.at(i).isValid())
            withSegments.insert(table.at(i).paragraphIndex());
    }

    for (uint32_t k = 0; k < chapterCount(); ++k) {
        const ChapterEntry& e = chapterEntry(k);
        const uint32_t heading = chapterHeadingParagraph(k);
        const std::string name = "chapter " + number(k) + " \"" + utf8(e.m_title) + "\"";
        const bool shared = k > 0 && chapterEntry(k - 1).m_text_cell == e.m_text_cell;
        if (shared && heading != chapterHeadingParagraph(k - 1) + 1)
            problems.push_back(name + ": shares its cell with the item before it but does not follow its paragraph");
        const uint32_t p = shared ? chapterHeadingParagraph(k - 1) : heading;
        if (heading >= text.count()) {
            problems.push_back(name + ": the book has no paragraph " + number(heading));
            continue;
        }
        if (offsets[p] != e.m_text_cell)
            problems.push_back(name + ": cell " + number(e.m_text_cell) + " is not the first character of paragraph " +
                               number(p) + ", which begins at " + number(offsets[p]));
        if (!holdsTitle(text.at(heading).text(), e.m_title))
            problems.push_back(name + ": paragraph " + number(heading) + " does not hold the title");
        if (withSegments.count(static_cast<int32_t>(heading)) != 0)
            problems.push_back(name + ": paragraph " + number(heading) + " has segments");
    }
}

void checkTranslations(const BookText& text, std::vector<std::string>& problems)
{
    if (text.translationCount() < 2) {
        problems.push_back("the edition has " + number(text.translationCount()) +
                           " translation files, it needs book_t1.txt and book_t2.txt");
        return;
    }
    uint64_t sentences = 0;
    for (uint32_t p = 0; p < text.count(); ++p) {
        const BookParagraph& paragraph = text.at(p);
        const TranslationPhraseArray& russian = paragraph.translations().at(0);
        const TranslationPhraseArray& english = paragraph.translations().at(1);
        const std::string where = "paragraph " + number(p);
        if (russian.count() != english.count()) {
            problems.push_back(where + ": " + number(russian.count()) + " Russian and " + number(english.count()) +
                               " English sentences");
            continue;
        }
        const uint32_t n = paragraph.text().count();
        for (uint32_t k = 0; k < russian.count(); ++k) {
            const TranslationPhrase& r = russian.at(k);
            const TranslationPhrase& e = english.at(k);
            const std::string sentence = where + " sentence " + number(k);
            if (r.first() != e.first() || r.last() != e.last())
                problems.push_back(sentence + ": the two translations give different ranges");
            if (r.first() < 0 || r.last() < r.first() || n < 2 || static_cast<uint32_t>(r.last()) > n - 2)
                problems.push_back(sentence + ": characters " + std::to_string(r.first()) + " to " +
                                   std::to_string(r.last()) + " are not inside the paragraph");
            if (k > 0 && r.first() < russian.at(k - 1).first())
                problems.push_back(sentence + ": out of order");
            if (r.count() == 0 || e.count() == 0)
                problems.push_back(sentence + ": an empty translation");
            else if (!hasCyrillic(r) || hasCyrillic(e) || !hasLatinLetter(e))
                problems.push_back(sentence + ": not Russian in book_t1.txt and English in book_t2.txt");
        }
        sentences += russian.count();
    }
    if (sentences == 0)
        problems.push_back("the translations hold no sentence");
}

bool readWavFacts(const std::string& fileName, WavFacts& facts, std::string& problem)
{
    FILE* file = std::fopen(fileName.c_str(), "rb");
    if (file == nullptr) {
        problem = "missing";
        return false;
    }
    long size = -1;
    if (std::fseek(file, 0, SEEK_END) == 0)
        size = std::ftell(file);
    std::rewind(file);
    unsigned char head[12];
    bool ok = size >= 12 && std::fread(head, 1, 12, file) == 12;
    if (!ok || std::string(reinterpret_cast<char*>(head), 4) != "RIFF" ||
        std::string(reinterpret_cast<char*>(head + 8), 4) != "WAVE") {
        std::fclose(file);
        problem = "not a RIFF WAVE file";
        return false;
    }
    bool format = false;
    bool data = false;
    uint64_t at = 12;
    while (!data && at + 8 <= static_cast<uint64_t>(size)) {
        unsigned char chunk[8];
        if (std::fseek(file, static_cast<long>(at), SEEK_SET) != 0 || std::fread(chunk, 1, 8, file) != 8)
            break;
        const std::string id(reinterpret_cast<char*>(chunk), 4);
        const uint32_t length = littleEndian(chunk + 4, 4);
        if (at + 8 + length > static_cast<uint64_t>(size)) {
            std::fclose(file);
            problem = "its \"" + id + "\" chunk runs past the end of the file";
            return false;
        }
        if (id == "fmt ") {
            unsigned char f[16];
            if (length < 16 || std::fread(f, 1, 16, file) != 16)
                break;
            facts.m_format_tag = static_cast<uint16_t>(littleEndian(f, 2));
            facts.m_channels = static_cast<uint16_t>(littleEndian(f + 2, 2));
            facts.m_rate = littleEndian(f + 4, 4);
            facts.m_byte_rate = littleEndian(f + 8, 4);
            facts.m_block_align = static_cast<uint16_t>(littleEndian(f + 12, 2));
            facts.m_bits = static_cast<uint16_t>(littleEndian(f + 14, 2));
            format = true;
        } else if (id == "data") {
            facts.m_data_size = length;
            data = true;
        }
        at += 8 + length + (length & 1);
    }
    std::fclose(file);
    if (!format) {
        problem = "no \"fmt \" chunk before its sound";
        return false;
    }
    if (!data) {
        problem = "no \"data\" chunk";
        return false;
    }
    return true;
}

void checkTrack(const std::string& fileName, uint32_t lastEndMilliseconds, std::vector<std::string>& problems)
{
    WavFacts facts;
    std::string problem;
    if (!readWavFacts(fileName, facts, problem)) {
        problems.push_back(fileName + ": " + problem);
        return;
    }
    const uint32_t frame = facts.m_channels * (facts.m_bits / 8u);
    if (facts.m_format_tag != 1 || facts.m_channels == 0 || (facts.m_bits != 8 && facts.m_bits != 16) ||
        facts.m_block_align != frame || facts.m_byte_rate != facts.m_rate * frame) {
        problems.push_back(fileName + ": not a plain PCM format (8 or 16 bits, byte rate = rate x block)");
        return;
    }
    // The player counts durations in bytes per millisecond.
    if (facts.m_byte_rate < 1000) {
        problems.push_back(fileName + ": byte rate " + number(facts.m_byte_rate) + " is below 1000 a second");
        return;
    }
    const uint64_t needed = (static_cast<uint64_t>(facts.m_byte_rate) * lastEndMilliseconds + 999) / 1000;
    if (facts.m_data_size < needed) {
        const uint32_t lasts =
            static_cast<uint32_t>(static_cast<uint64_t>(facts.m_data_size) * 1000 / facts.m_byte_rate);
        problems.push_back(fileName + ": its sound ends at " + time(lasts) + ", before its last segment ends at " +
                           time(lastEndMilliseconds));
    }
}

void checkTracks(const AudioSegmentArray& table, std::vector<std::string>& problems)
{
    std::map<std::string, uint32_t> lastEnds;
    for (uint32_t i = 0; i < table.count(); ++i) {
        const AudioSegment& s = table.at(i);
        if (!s.isValid())
            continue;
        uint32_t& end = lastEnds[asciiFileName(s.trackName())];
        if (s.end().toMilliseconds() > end)
            end = s.end().toMilliseconds();
    }
    for (const auto& track : lastEnds)
        checkTrack(track.first, track.second, problems);
}

void checkPicture(const std::string& fileName, std::vector<std::string>& problems)
{
    std::string bytes;
    if (!readAll(fileName, bytes)) {
        problems.push_back(fileName + ": missing");
        return;
    }
    const unsigned char* b = reinterpret_cast<const unsigned char*>(bytes.data());
    if (bytes.size() < 54 || b[0] != 'B' || b[1] != 'M') {
        problems.push_back(fileName + ": not a bitmap file");
        return;
    }
    const uint32_t offset = littleEndian(b + 10, 4);
    const uint32_t header = littleEndian(b + 14, 4);
    const int32_t width = static_cast<int32_t>(littleEndian(b + 18, 4));
    const int32_t height = static_cast<int32_t>(littleEndian(b + 22, 4));
    const uint32_t planes = littleEndian(b + 26, 2);
    const uint32_t bits = littleEndian(b + 28, 2);
    const uint32_t compression = littleEndian(b + 30, 4);
    if (header < 40 || planes != 1 || bits != 24 || compression != 0 || width <= 0 || height == 0) {
        problems.push_back(fileName + ": not an uncompressed 24-bit bitmap");
        return;
    }
    const uint64_t rows = static_cast<uint64_t>(height < 0 ? -static_cast<int64_t>(height) : height);
    const uint64_t stride = (static_cast<uint64_t>(width) * 3 + 3) / 4 * 4;
    if (offset < 14 + header || offset + stride * rows > bytes.size())
        problems.push_back(fileName + ": its pixels run past the end of the file");
}
