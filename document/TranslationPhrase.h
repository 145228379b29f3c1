#pragma once

#include "core/FixedArray.h"
#include "core/WideString.h"
#include "document/TextRanges.h"

// One translated sentence: its text, and the characters of the paragraph
// that it translates.
class TranslationPhrase : public WideString, public CharRange {
public:
    ~TranslationPhrase() override = default;
};

// The phrases of one paragraph in one translation, in file order.
class TranslationPhraseArray : public FixedArray<TranslationPhrase> {
public:
    ~TranslationPhraseArray() override = default;
};

// A paragraph's phrase arrays, one per translation file.
class TranslationArray : public FixedArray<TranslationPhraseArray> {
public:
    ~TranslationArray() override = default;
};
