#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/demo/DemoRandom.h"

// A piece of the book's French text with its Russian and English translations.
struct DemoSentence {
    std::u16string m_french;
    std::u16string m_russian;
    std::u16string m_english;
};

// Makes French text of an exact number of characters from the vocabularies,
// with its translations: the segment table fixes where every sentence of the
// book begins and ends, so the text is cut to measure.
class DemoSentenceMaker {
public:
    DemoSentenceMaker();
    virtual ~DemoSentenceMaker() = default;

    // One or more sentences of exactly `length` characters. The first starts
    // with a capital when `capital` (otherwise it continues a sentence begun
    // before it); the last ends with its punctuation when `closed`, and as an
    // open clause otherwise. False when nothing of that length can be made
    // (lengths below 2 or 3).
    bool makeText(uint32_t length, bool capital, bool closed, DemoRandom& random, DemoSentence& out) const;

    // One sentence of the grammar (subject, verb, object, adverbials), never
    // an exclamation. False when the attempts found no fit.
    bool makeStatement(uint32_t length, bool capital, bool closed, DemoRandom& random, DemoSentence& out) const;

private:
    bool makeShort(uint32_t length, bool capital, bool closed, DemoRandom& random, DemoSentence& out) const;
    bool makeJoined(uint32_t length, bool capital, bool closed, DemoRandom& random, DemoSentence& out) const;
    bool pickAdverbials(uint32_t length, bool timeAllowed, DemoRandom& random, std::vector<uint32_t>& chosen) const;
    // The exclamation open, and closed by each punctuation its endings allow.
    void addEndings(const DemoSentence& text, uint32_t endings);
    void addShort(const DemoSentence& text, bool closed);

    // Short exclamations by length, lower case: closed ones end with their
    // punctuation, open ones with a word.
    std::vector<std::vector<DemoSentence>> m_short_closed;
    std::vector<std::vector<DemoSentence>> m_short_open;
    // Runs of one to three adverbials, at most one of each kind, by the
    // length they add with their leading blanks.
    struct AdverbialRun {
        uint32_t m_count;
        uint32_t m_items[3];
        bool m_tells_time;
    };
    std::vector<std::vector<AdverbialRun>> m_adverbial_runs_by_length;
    // For every verb, the objects it takes.
    std::vector<std::vector<uint32_t>> m_objects_of_verb;
};

// Upper case of the text's first letter (Latin-1 and Cyrillic letters).
std::u16string capitalised(const std::u16string& text);
