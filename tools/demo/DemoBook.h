#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "document/AudioSegment.h"
#include "tools/demo/DemoSentenceMaker.h"

// One sentence of the book as the translation files give it: its characters
// in the paragraph (both included) and its two translations.
struct DemoRecord {
    uint32_t m_first;
    uint32_t m_last;
    std::u16string m_russian;
    std::u16string m_english;
};

// What a paragraph of the demo book is.
enum class DemoParagraphKind {
    Title,      // the book's title line, which the recording reads
    Front,      // the lines before the first part: author, notes, epigraph
    Heading,    // a part or chapter title of the chapter table
    Summary,    // the line after a chapter title: "Dans lequel ..."
    Dateline,   // a further line before a chapter's text
    Segments,   // text read by the recording
    SceneBreak  // "* * *" inside a chapter
};

struct DemoParagraph {
    DemoParagraphKind m_kind = DemoParagraphKind::Segments;
    std::u16string m_text; // without its line end
    std::vector<DemoRecord> m_records;
};

// The text of the demo edition: a made-up French novel cut to the compiled-in
// segment table and chapter table, with Russian and English translations.
//
// Every segment's characters are one piece of text of exactly its length;
// what lies between segments is fixed by the distance of the two (a blank,
// ", ", " ; ", " et ", " car "), and a paragraph whose first segment starts
// at 1 or 2 opens with "«" or "« " and closes the quote at its end. Each
// chapter title's paragraph must start at the chapter's text cell, so the
// characters the table leaves free between two cells go to the summary line
// after the chapter title, to the front matter before the first part, or,
// where a chapter has neither, to an unrecorded sentence at the end of its
// last paragraph.
class DemoBook {
public:
    DemoBook() = default;
    virtual ~DemoBook() = default;

    // Makes the whole book for the filled segment table; false, with the
    // reason, when the table and the chapter table leave no way to fit.
    bool build(const AudioSegmentArray& table, std::string& error);

    const std::vector<DemoParagraph>& paragraphs() const { return m_paragraphs; }

    // "book.txt" without its byte-order mark: every paragraph ends in CR LF.
    std::u16string bookText() const;
    // "book_t1.txt" (0, Russian) or "book_t2.txt" (1, English) without the
    // mark: a "paragraph|first|last" line and a text line per sentence.
    std::u16string translationText(uint32_t translation) const;

    // Offset of paragraph p in the book: characters of the paragraphs before
    // it, carriage returns included.
    uint32_t paragraphOffset(uint32_t p) const;

private:
    bool composeSegments(uint32_t p, const std::vector<uint32_t>& segments, const AudioSegmentArray& table,
                         std::string& error);
    bool fillFreeCharacters(const std::vector<std::vector<uint32_t>>& segmentsOf, std::string& error);
    bool giveSlack(uint32_t p, uint32_t characters, std::string& error);
    void addWholeRecord(DemoParagraph& paragraph, const std::u16string& russian, const std::u16string& english);

    DemoSentenceMaker m_maker;
    std::vector<DemoParagraph> m_paragraphs;
};
