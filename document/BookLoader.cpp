#include "document/BookLoader.h"

#include <cstdio>
#include <new>

#include "document/BookData.h"

namespace {

const char16_t ByteOrderMark = 0xFEFF;
const char16_t SwappedByteOrderMark = 0xFFFE;
// Lengths and positions are 32-bit; larger files are refused as unreadable.
const unsigned long MaxFileUnits = 0x7FFFFFFFul;
const char16_t Blank = 0x0020;
const char16_t CarriageReturn = 0x000D;

// Shown as the whole book when "book.txt" cannot be opened. The two final
// blanks make sure every word of it ends at a blank.
const char16_t MissingBookMessage[] = u"Error - the file book.txt is not found. Please check that all necessary files "
                                      u"are in the same directory with the file Tavrems.exe.  ";

const char BookFileName[] = "book.txt";

// A file name of the platform's calls from an ASCII one, cut to `size` units
// with its terminator.
void toFileName(const char* ascii, PlatformChar* name, size_t size)
{
    size_t i = 0;
    for (; ascii[i] != 0 && i + 1 < size; ++i)
        name[i] = static_cast<PlatformChar>(ascii[i]);
    name[i] = 0;
}

// "book_t%d.txt" for translation file number k (from 1).
void translationFileName(PlatformChar* name, size_t size, uint32_t k)
{
    char ascii[32];
    std::snprintf(ascii, sizeof(ascii), "book_t%u.txt", k);
    toFileName(ascii, name, size);
}

// The one call that differs: the wide program opens a UTF-16 name.
FILE* openForReading(const PlatformChar* fileName)
{
#if defined(_WIN32) && defined(UNICODE)
    return _wfopen(fileName, L"rb");
#else
    return std::fopen(fileName, "rb");
#endif
}

bool isDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

// Records start at the first unit of the text. A stray non-digit in front of
// the first record (a second byte-order mark, say) is passed over.
uint32_t firstRecordPosition(const char16_t* buffer, uint32_t length)
{
    return (length > 0 && !isDigit(buffer[0])) ? 1 : 0;
}

// Each separator of a record's header is one unit of any kind, skipped
// unexamined, but the header ends at its line end: a header cut short must not
// take numbers from its text line, which would put the filling pass a line out
// of step with the counting pass.
uint32_t skipSeparator(const char16_t* buffer, uint32_t length, uint32_t position)
{
    return (position < length && buffer[position] != BookLoader::lineSeparator()) ? position + 1 : position;
}

} // namespace

BookLoader& BookLoader::instance()
{
    static BookLoader* loader = new BookLoader;
    return *loader;
}

bool BookLoader::loadAll()
{
    BookData& document = BookData::instance();
    const bool loaded = loadBook(document.text());
    if (loaded) {
        loadTranslations(document.text());
        fillSegmentTable(document.segments());
        document.computeTotals();
    }
    delete[] m_buffer;
    m_buffer = nullptr;
    m_length = 0;
    return loaded;
}

bool BookLoader::loadBook(BookText& text)
{
    delete[] m_buffer;
    m_buffer = nullptr;
    m_length = 0;
    PlatformChar name[16];
    toFileName(BookFileName, name, sizeof(name) / sizeof(name[0]));
    if (!readUtf16File(m_buffer, name, m_length)) {
        const uint32_t n = sizeof(MissingBookMessage) / sizeof(MissingBookMessage[0]) - 1;
        m_buffer = new (std::nothrow) char16_t[n];
        if (m_buffer == nullptr)
            return false;
        for (uint32_t i = 0; i < n; ++i)
            m_buffer[i] = MissingBookMessage[i];
        m_length = n;
    }
    uint32_t n = 0;
    if (!countParagraphs(n, m_buffer, m_length))
        return false;
    if (!text.setSize(n))
        return false;
    return splitParagraphs(text, m_buffer, m_length);
}

bool BookLoader::readUtf16File(char16_t*& buffer, const PlatformChar* fileName, uint32_t& length)
{
    buffer = nullptr;
    length = 0;
    FILE* file = openForReading(fileName);
    if (file == nullptr)
        return false;

    long size = -1;
    if (std::fseek(file, 0, SEEK_END) == 0) {
        size = std::ftell(file);
        std::rewind(file);
    }
    // A lone last byte of a file with an odd size is dropped.
    const unsigned long units = size > 0 ? static_cast<unsigned long>(size) / 2u : 0u;
    bool ok = size >= 0 && units <= MaxFileUnits;
    char16_t* units16 = nullptr;
    if (ok && units > 0) {
        units16 = new (std::nothrow) char16_t[units];
        ok = units16 != nullptr && std::fread(units16, 2, units, file) == units;
    }
    std::fclose(file);
    if (!ok) {
        delete[] units16;
        return false;
    }

    // Little-endian whatever the host; the first unit is the byte-order mark,
    // and a file without one keeps its first character.
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(units16);
    uint32_t n = 0;
    for (unsigned long i = 0; i < units; ++i) {
        const char16_t unit = static_cast<char16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
        if (i == 0 && (unit == ByteOrderMark || unit == SwappedByteOrderMark))
            continue;
        units16[n++] = unit;
    }
    if (n == 0) {
        delete[] units16;
        units16 = nullptr;
    }
    buffer = units16;
    length = n;
    return true;
}

bool BookLoader::fileExists(const PlatformChar* fileName)
{
    FILE* file = openForReading(fileName);
    if (file == nullptr)
        return false;
    std::fclose(file);
    return true;
}

bool BookLoader::countParagraphs(uint32_t& count, const char16_t* buffer, uint32_t length)
{
    count = 1;
    for (uint32_t j = 0; j < length; ++j) {
        if (buffer[j] == lineSeparator())
            ++count;
    }
    return true;
}

bool BookLoader::splitParagraphs(BookText& text, const char16_t* buffer, uint32_t length)
{
    uint32_t i = 0;
    uint32_t a = 0;
    uint32_t b = 0;
    for (uint32_t j = 0; j < length; ++j) {
        if (buffer[j] == Blank)
            ++b;
        const bool separator = buffer[j] == lineSeparator();
        if (!separator && j + 1 < length)
            continue;
        // A text that does not end with a line end keeps its final character.
        const uint32_t end = separator ? j : j + 1;
        BookParagraph& paragraph = text.at(i);
        paragraph.text().setSize(end - a);
        paragraph.wordRanges().setSize(b + 1);
        copyChars(paragraph.text(), buffer + a, end - a);
        splitWords(paragraph.wordRanges(), buffer + a, end - a);
        ++i;
        a = j + 1;
        b = 0;
    }
    return true;
}

bool BookLoader::copyChars(WideString& target, const char16_t* source, uint32_t n)
{
    for (uint32_t k = 0; k < n && k < target.count(); ++k)
        target.at(k) = source[k];
    return true;
}

bool BookLoader::splitWords(WordRangeArray& words, const char16_t* units, uint32_t n)
{
    uint32_t w = 0;
    uint32_t s = 0;
    for (uint32_t k = 0; k < n; ++k) {
        const bool blank = units[k] == Blank;
        if (!blank && k + 1 < n)
            continue;
        // The last unit ends the last word; it belongs to it unless it is a
        // blank or the line's carriage return.
        const bool included = !blank && units[k] != CarriageReturn;
        const uint32_t end = included ? k + 1 : k;
        if (w < words.count())
            words.at(w).set(static_cast<int32_t>(s), static_cast<int32_t>(end - s));
        ++w;
        s = k + 1;
    }
    return true;
}

bool BookLoader::loadTranslations(BookText& text)
{
    PlatformChar name[32];
    uint32_t n = 0;
    for (uint32_t k = 1; k != 0; ++k) {
        translationFileName(name, sizeof(name) / sizeof(name[0]), k);
        if (!fileExists(name))
            break;
        n = k;
    }
    text.setTranslationCount(n);
    sizeTranslationArrays(text, n);

    bool read = true;
    for (uint32_t a = 0; a < n; ++a) {
        translationFileName(name, sizeof(name) / sizeof(name[0]), a + 1);
        char16_t* buffer = nullptr;
        uint32_t length = 0;
        read = readUtf16File(buffer, name, length);
        if (read)
            parseTranslation(text, a, buffer, length);
        delete[] buffer;
    }
    return read;
}

void BookLoader::sizeTranslationArrays(BookText& text, uint32_t n)
{
    for (uint32_t p = 0; p < text.count(); ++p)
        text.at(p).translations().setSize(n);
}

void BookLoader::parseTranslation(BookText& text, uint32_t a, const char16_t* buffer, uint32_t length)
{
    sizePhraseArrays(text, a, buffer, length);
    fillPhrases(text, a, buffer, length);
}

void BookLoader::sizePhraseArrays(BookText& text, uint32_t a, const char16_t* buffer, uint32_t length)
{
    // Each record's paragraph number is read once to find the next paragraph
    // that has records, not once for every paragraph before it: a number of a
    // million digits must not be read again for each of thousands of lines.
    uint32_t position = firstRecordPosition(buffer, length);
    uint32_t p = 0;
    while (position < length) {
        uint32_t end = position;
        const uint32_t number = parseDecimal(buffer, length, position, end);
        // Records for an earlier or a missing paragraph end the file.
        if (number < p || number >= text.count())
            break;
        p = number;
        const uint32_t c = countPhraseRecords(buffer, length, p, position, position);
        text.at(p).translation(a).setSize(c);
        ++p;
    }
}

uint32_t BookLoader::countPhraseRecords(const char16_t* buffer, uint32_t length, uint32_t paragraph, uint32_t start,
                                        uint32_t& position)
{
    uint32_t q = start;
    uint32_t c = 0;
    while (q < length) {
        uint32_t e = q;
        if (parseDecimal(buffer, length, q, e) != paragraph)
            break;
        q = e;
        ++c;
        skipLines(buffer, length, 2, q);
    }
    position = q;
    return c;
}

void BookLoader::skipLines(const char16_t* buffer, uint32_t length, uint32_t n, uint32_t& position)
{
    uint32_t q = position < length ? position : length;
    for (uint32_t i = 0; i < n; ++i) {
        while (q + 1 < length && buffer[q] != lineSeparator())
            ++q;
        if (q < length)
            ++q;
    }
    position = q;
}

bool BookLoader::parseRecordHeader(const char16_t* buffer, uint32_t length, uint32_t position, uint32_t& end,
                                   uint32_t& paragraph, uint32_t& first, uint32_t& last)
{
    uint32_t e = position;
    paragraph = parseDecimal(buffer, length, position, e);
    first = parseDecimal(buffer, length, skipSeparator(buffer, length, e), e);
    last = parseDecimal(buffer, length, skipSeparator(buffer, length, e), e);
    end = e < length ? e : length;
    return true;
}

void BookLoader::fillPhrases(BookText& text, uint32_t a, const char16_t* buffer, uint32_t length)
{
    uint32_t q = firstRecordPosition(buffer, length);
    for (uint32_t p = 0; p < text.count(); ++p) {
        TranslationPhraseArray& phrases = text.at(p).translation(a);
        for (uint32_t k = 0; k < phrases.count(); ++k) {
            uint32_t paragraph = 0;
            uint32_t first = 0;
            uint32_t last = 0;
            parseRecordHeader(buffer, length, q, q, paragraph, first, last);
            uint32_t d = q;
            skipLines(buffer, length, 1, d);
            uint32_t e = d;
            skipLines(buffer, length, 1, e);

            // The text line without its line end: the LF, and the CR before it.
            uint32_t textEnd = e;
            if (textEnd > d && buffer[textEnd - 1] == lineSeparator())
                --textEnd;
            if (textEnd > d && buffer[textEnd - 1] == CarriageReturn)
                --textEnd;
            if (e > d + 1 || textEnd > d) {
                TranslationPhrase& phrase = phrases.at(k);
                phrase.setSize(textEnd - d);
                phrase.set(static_cast<int32_t>(first), static_cast<int32_t>(last));
                copyChars(phrase, buffer + d, textEnd - d);
            }
            q = e;
        }
    }
}

uint32_t parseDecimal(const char16_t* buffer, uint32_t length, uint32_t position, uint32_t& end)
{
    uint32_t value = 0;
    uint32_t q = position;
    while (q < length && isDigit(buffer[q])) {
        value = value * 10u + static_cast<uint32_t>(buffer[q] - u'0');
        ++q;
    }
    end = q;
    return value;
}
