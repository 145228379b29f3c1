#include "tools/demo/DemoBook.h"

#include <map>

#include "edition/ChapterTable.h"
#include "tools/demo/ChapterHeadings.h"

namespace {

// Paragraph 0 is the title line, read by the first segment of the recording.
const DemoSentence kTitle = {u"Ombrelune : roman de Lucien Vireau.", u"«Омбрелюн», роман Люсьена Виро.",
                             u"Ombrelune, a novel by Lucien Vireau."};

// The lines after the title, from paragraph 1 (the author's picture follows
// it); an empty French text is a blank line. The front matter's last
// paragraph is an epigraph made to fit the first part's text cell.
const DemoSentence kFrontLines[] = {
    {u"Lucien Vireau", u"Люсьен Виро", u"Lucien Vireau"},
    {u"", u"", u""},
    {u"OMBRELUNE", u"ОМБРЕЛЮН", u"OMBRELUNE"},
    {u"Roman", u"Роман", u"A novel"},
    {u"", u"", u""},
    {u"Édition de démonstration", u"Демонстрационное издание", u"Demonstration edition"},
    {u"", u"", u""},
    {u"Ce texte n'est pas celui du roman : il est écrit pour essayer le lecteur.",
     u"Это не текст романа: он написан для проверки программы.",
     u"This is not the text of the novel: it was written to try out the reader."},
    {u"La lecture enregistrée est remplacée par des sons de synthèse.",
     u"Запись чтения заменена синтезированными звуками.", u"The recorded reading is replaced by synthesised sounds."},
    {u"Les traductions russe et anglaise sont faites des mêmes mots.",
     u"Русский и английский переводы составлены из тех же слов.",
     u"The Russian and English translations are made of the same words."},
    {u"", u"", u""},
    {u"À Margot, qui aimait la mer.", u"Марго, которая любила море.", u"To Margot, who loved the sea."},
};
const uint32_t kFrontLineCount = sizeof(kFrontLines) / sizeof(kFrontLines[0]);

// Translations of the part titles, in the order the parts come.
const DemoSentence kPartNames[] = {
    {u"", u"ЧАСТЬ ПЕРВАЯ", u"PART ONE"},
    {u"", u"ЧАСТЬ ВТОРАЯ", u"PART TWO"},
    {u"", u"ЧАСТЬ ТРЕТЬЯ", u"PART THREE"},
    {u"", u"ЧАСТЬ ЧЕТВЁРТАЯ", u"PART FOUR"},
};
const uint32_t kPartNameCount = sizeof(kPartNames) / sizeof(kPartNames[0]);

const char16_t kChapterWord[] = u"CHAPITRE ";
const DemoSentence kChapterWords = {kChapterWord, u"ГЛАВА ", u"CHAPTER "};
const DemoSentence kSummaryStart = {u"dans lequel ", u"в которой ", u"in which "};
const DemoSentence kDateline = {u"Trois mois plus tard.", u"Три месяца спустя.", u"Three months later."};
const DemoSentence kSceneBreak = {u"* * *", u"", u""};

// Part titles stand between two middle dots; chapter titles stand alone.
const char16_t kPartMarkBefore[] = u"\u00B7 ";
const char16_t kPartMarkAfter[] = u" \u00B7";

// What stands between two segments of a paragraph, by the distance from the
// last character of one to the first of the next (2: one character between
// them). The segment after ", ", " ; ", " et " or " car " continues the
// sentence in lower case; the one before it ends as an open clause.
const char16_t* const kBetween[] = {u"", u"", u" ", u", ", u" ; ", u" et ", u" car "};
const uint32_t kLongestDistance = 6;

// A paragraph's own random source, so that every paragraph comes out the same
// whatever is made before it.
DemoRandom randomFor(uint32_t paragraph, uint32_t purpose)
{
    return DemoRandom(static_cast<uint64_t>(paragraph) * 16 + purpose);
}

std::u16string decimal(uint32_t n)
{
    std::u16string digits;
    do {
        digits.insert(digits.begin(), static_cast<char16_t>(u'0' + n % 10));
        n /= 10;
    } while (n != 0);
    return digits;
}

std::string narrow(uint32_t n)
{
    return std::to_string(n);
}

bool startsWith(const char16_t* text, const char16_t* prefix)
{
    for (uint32_t i = 0; prefix[i] != 0; ++i) {
        if (text[i] != prefix[i])
            return false;
    }
    return true;
}

} // namespace

void DemoBook::addWholeRecord(DemoParagraph& paragraph, const std::u16string& russian, const std::u16string& english)
{
    if (paragraph.m_text.empty())
        return;
    paragraph.m_records.push_back({0, static_cast<uint32_t>(paragraph.m_text.size()) - 1, russian, english});
}

bool DemoBook::build(const AudioSegmentArray& table, std::string& error)
{
    m_paragraphs.clear();
    std::vector<std::vector<uint32_t>> segmentsOf;
    for (uint32_t i = 0; i < table.count(); ++i) {
        const AudioSegment& s = table.at(i);
        if (!s.isValid())
            continue;
        if (s.paragraphIndex() < 0 || s.firstChar() < 0 || s.lastChar() < s.firstChar()) {
            error = "segment " + narrow(i) + " has no usable character range";
            return false;
        }
        const uint32_t p = static_cast<uint32_t>(s.paragraphIndex());
        if (p >= segmentsOf.size())
            segmentsOf.resize(p + 1);
        segmentsOf[p].push_back(i);
    }
    if (segmentsOf.empty()) {
        error = "the segment table is empty";
        return false;
    }

    std::map<uint32_t, uint32_t> headings; // paragraph -> chapter entry
    uint32_t firstHeading = static_cast<uint32_t>(segmentsOf.size());
    for (uint32_t k = 0; k < chapterCount(); ++k) {
        const uint32_t p = chapterHeadingParagraph(k);
        headings[p] = k;
        if (p < firstHeading)
            firstHeading = p;
        if (p >= segmentsOf.size())
            segmentsOf.resize(p + 1);
    }

    // The book ends with the last paragraph that the tables name.
    m_paragraphs.resize(segmentsOf.size());
    enum { Reading, AfterHeading, AfterSummary } state = Reading;
    uint32_t parts = 0;
    for (uint32_t p = 0; p < segmentsOf.size(); ++p) {
        DemoParagraph& paragraph = m_paragraphs[p];
        auto heading = headings.find(p);
        if (heading != headings.end()) {
            if (!segmentsOf[p].empty()) {
                error = "the title paragraph " + narrow(p) + " has segments";
                return false;
            }
            const char16_t* title = chapterEntry(heading->second).m_title;
            paragraph.m_kind = DemoParagraphKind::Heading;
            if (startsWith(title, kChapterWord)) {
                const std::u16string number = title + (sizeof(kChapterWord) / sizeof(kChapterWord[0]) - 1);
                paragraph.m_text = title;
                addWholeRecord(paragraph, kChapterWords.m_russian + number, kChapterWords.m_english + number);
            } else {
                const DemoSentence& name = kPartNames[parts < kPartNameCount ? parts : kPartNameCount - 1];
                ++parts;
                paragraph.m_text = std::u16string(kPartMarkBefore) + title + kPartMarkAfter;
                addWholeRecord(paragraph, name.m_russian, name.m_english);
            }
            state = AfterHeading;
        } else if (!segmentsOf[p].empty()) {
            paragraph.m_kind = p == 0 ? DemoParagraphKind::Title : DemoParagraphKind::Segments;
            if (!composeSegments(p, segmentsOf[p], table, error))
                return false;
            state = Reading;
        } else if (p < firstHeading) {
            paragraph.m_kind = DemoParagraphKind::Front;
            // The last line of the front matter is the epigraph, made later.
            if (p >= 1 && p - 1 < kFrontLineCount && p + 1 < firstHeading) {
                const DemoSentence& line = kFrontLines[p - 1];
                paragraph.m_text = line.m_french;
                addWholeRecord(paragraph, line.m_russian, line.m_english);
            }
        } else if (state == AfterHeading) {
            paragraph.m_kind = DemoParagraphKind::Summary;
            state = AfterSummary;
        } else if (state == AfterSummary) {
            paragraph.m_kind = DemoParagraphKind::Dateline;
            paragraph.m_text = kDateline.m_french;
            addWholeRecord(paragraph, kDateline.m_russian, kDateline.m_english);
        } else {
            paragraph.m_kind = DemoParagraphKind::SceneBreak;
            paragraph.m_text = kSceneBreak.m_french;
        }
    }
    if (!fillFreeCharacters(segmentsOf, error))
        return false;

    // What the reader relies on: every chapter's cell is the first
    // character of its title's paragraph, or of the part's paragraph just
    // before it when the two share the cell.
    for (uint32_t k = 0; k < chapterCount(); ++k) {
        const ChapterEntry& e = chapterEntry(k);
        const uint32_t heading = chapterHeadingParagraph(k);
        const bool shared = k > 0 && chapterEntry(k - 1).m_text_cell == e.m_text_cell;
        const uint32_t p = shared ? chapterHeadingParagraph(k - 1) : heading;
        if (paragraphOffset(p) != e.m_text_cell) {
            error = "chapter " + narrow(k) + " begins at " + narrow(paragraphOffset(p)) + ", not at its cell " +
                    narrow(e.m_text_cell);
            return false;
        }
    }
    return true;
}

bool DemoBook::composeSegments(uint32_t p, const std::vector<uint32_t>& segments, const AudioSegmentArray& table,
                               std::string& error)
{
    DemoParagraph& paragraph = m_paragraphs[p];
    DemoRandom random = randomFor(p, 1);
    const AudioSegment& opening = table.at(segments.front());
    std::u16string closingQuote;
    if (opening.firstChar() == 1) {
        paragraph.m_text = u"«";
        closingQuote = u"»";
    } else if (opening.firstChar() == 2) {
        paragraph.m_text = u"« ";
        closingQuote = u" »";
    } else if (opening.firstChar() != 0) {
        error = "paragraph " + narrow(p) + " starts its first segment at " + narrow(opening.firstChar());
        return false;
    }

    for (size_t k = 0; k < segments.size(); ++k) {
        const AudioSegment& s = table.at(segments[k]);
        const uint32_t first = static_cast<uint32_t>(s.firstChar());
        const uint32_t last = static_cast<uint32_t>(s.lastChar());
        const int32_t before = k > 0 ? s.firstChar() - table.at(segments[k - 1]).lastChar() : 2;
        const int32_t after = k + 1 < segments.size() ? table.at(segments[k + 1]).firstChar() - s.lastChar() : 2;
        if (after < 0 || after > static_cast<int32_t>(kLongestDistance)) {
            error = "segments " + narrow(segments[k]) + " and " + narrow(segments[k + 1]) + " are " +
                    std::to_string(after) + " characters apart";
            return false;
        }
        // Sharing a character with the previous segment: the shared one is
        // the previous segment's trailing blank.
        const bool sharedBlank = before == 0;
        const bool trailingBlank = after <= 1;
        const bool lastOfParagraph = k + 1 == segments.size();
        const std::u16string ending = lastOfParagraph ? closingQuote : u"";
        const bool capital = before <= 2;
        const bool closed = after <= 2;
        const uint32_t n = last - first + 1;
        const uint32_t extra =
            (sharedBlank ? 1u : 0u) + (trailingBlank ? 1u : 0u) + static_cast<uint32_t>(ending.size());
        if (paragraph.m_text.size() != first + (sharedBlank ? 1u : 0u) || n <= extra) {
            error = "segment " + narrow(segments[k]) + " of paragraph " + narrow(p) + " does not fit its place";
            return false;
        }

        DemoSentence body;
        if (p == 0 && k == 0 && n == kTitle.m_french.size())
            body = kTitle;
        else if (!m_maker.makeText(n - extra, capital, closed, random, body)) {
            error = "no text of " + narrow(n - extra) + " characters for segment " + narrow(segments[k]);
            return false;
        }
        paragraph.m_text += body.m_french;
        if (trailingBlank)
            paragraph.m_text += u" ";
        paragraph.m_text += ending;
        paragraph.m_records.push_back({first, last, body.m_russian, body.m_english});
        if (!lastOfParagraph)
            paragraph.m_text += kBetween[after];
    }
    return true;
}

bool DemoBook::fillFreeCharacters(const std::vector<std::vector<uint32_t>>& segmentsOf, std::string& error)
{
    // Cells fixed by the chapter table, each with the paragraph that must
    // start there; the book's start is the first.
    std::vector<std::pair<uint32_t, uint32_t>> anchors = {{0, 0}};
    for (uint32_t k = 0; k < chapterCount(); ++k) {
        const ChapterEntry& e = chapterEntry(k);
        const uint32_t heading = chapterHeadingParagraph(k);
        if (e.m_text_cell != anchors.back().first)
            anchors.push_back({e.m_text_cell, heading});
    }

    std::vector<bool> given(m_paragraphs.size(), false);
    for (size_t a = 0; a + 1 < anchors.size(); ++a) {
        const uint32_t from = anchors[a].second;
        const uint32_t to = anchors[a + 1].second;
        // The paragraph that takes the free characters of this stretch.
        uint32_t target = to;
        for (uint32_t p = from; p < to && target == to; ++p) {
            if (m_paragraphs[p].m_kind == DemoParagraphKind::Summary)
                target = p;
        }
        for (uint32_t p = to; p > from && target == to; --p) {
            if (m_paragraphs[p - 1].m_kind == DemoParagraphKind::Front)
                target = p - 1;
        }
        for (uint32_t p = to; p > from && target == to; --p) {
            if (!segmentsOf[p - 1].empty())
                target = p - 1;
        }
        uint32_t used = 0;
        for (uint32_t p = from; p < to; ++p)
            used += static_cast<uint32_t>(m_paragraphs[p].m_text.size()) + 1;
        const uint32_t span = anchors[a + 1].first - anchors[a].first;
        if (used > span || (target == to && used != span)) {
            error = "paragraphs " + narrow(from) + " to " + narrow(to - 1) + " need " + narrow(used) +
                    " characters, the chapter table gives " + narrow(span);
            return false;
        }
        if (target != to) {
            if (!giveSlack(target, span - used, error))
                return false;
            given[target] = true;
        }
    }

    // Summaries after the last fixed cell have a length of their own.
    for (uint32_t p = 0; p < m_paragraphs.size(); ++p) {
        if (m_paragraphs[p].m_kind == DemoParagraphKind::Summary && !given[p]) {
            DemoRandom random = randomFor(p, 3);
            if (!giveSlack(p, random.between(45, 80), error))
                return false;
        }
    }
    return true;
}

bool DemoBook::giveSlack(uint32_t p, uint32_t characters, std::string& error)
{
    DemoParagraph& paragraph = m_paragraphs[p];
    DemoRandom random = randomFor(p, 2);
    DemoSentence made;
    if (characters == 0)
        return true;
    if (paragraph.m_kind == DemoParagraphKind::Summary) {
        const uint32_t start = static_cast<uint32_t>(kSummaryStart.m_french.size());
        DemoSentence rest;
        if (characters > start + 16 && m_maker.makeStatement(characters - start, false, true, random, rest)) {
            made.m_french = capitalised(kSummaryStart.m_french + rest.m_french);
            made.m_russian = capitalised(kSummaryStart.m_russian + rest.m_russian);
            made.m_english = capitalised(kSummaryStart.m_english + rest.m_english);
        } else if (!m_maker.makeText(characters, true, true, random, made)) {
            error = "no summary of " + narrow(characters) + " characters for paragraph " + narrow(p);
            return false;
        }
        paragraph.m_text = made.m_french;
        addWholeRecord(paragraph, made.m_russian, made.m_english);
        return true;
    }
    if (paragraph.m_kind == DemoParagraphKind::Front) {
        if (!m_maker.makeText(characters, true, true, random, made)) {
            error = "no epigraph of " + narrow(characters) + " characters for paragraph " + narrow(p);
            return false;
        }
        paragraph.m_text = made.m_french;
        addWholeRecord(paragraph, made.m_russian, made.m_english);
        return true;
    }
    // An unrecorded closing sentence after the paragraph's last segment.
    if (characters < 2 || !m_maker.makeText(characters - 1, true, true, random, made)) {
        error = "no closing sentence of " + narrow(characters) + " characters for paragraph " + narrow(p);
        return false;
    }
    const uint32_t first = static_cast<uint32_t>(paragraph.m_text.size()) + 1;
    paragraph.m_text += u" ";
    paragraph.m_text += made.m_french;
    paragraph.m_records.push_back(
        {first, static_cast<uint32_t>(paragraph.m_text.size()) - 1, made.m_russian, made.m_english});
    return true;
}

uint32_t DemoBook::paragraphOffset(uint32_t p) const
{
    uint32_t offset = 0;
    for (uint32_t q = 0; q < p && q < m_paragraphs.size(); ++q)
        offset += static_cast<uint32_t>(m_paragraphs[q].m_text.size()) + 1;
    return offset;
}

std::u16string DemoBook::bookText() const
{
    std::u16string text;
    for (const DemoParagraph& paragraph : m_paragraphs) {
        text += paragraph.m_text;
        text += u"\r\n";
    }
    return text;
}

std::u16string DemoBook::translationText(uint32_t translation) const
{
    std::u16string text;
    for (uint32_t p = 0; p < m_paragraphs.size(); ++p) {
        for (const DemoRecord& r : m_paragraphs[p].m_records) {
            text += decimal(p) + u"|" + decimal(r.m_first) + u"|" + decimal(r.m_last) + u"\r\n";
            text += translation == 0 ? r.m_russian : r.m_english;
            text += u"\r\n";
        }
    }
    return text;
}
