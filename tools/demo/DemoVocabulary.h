#pragma once

#include <cstdint>

// The small vocabularies of the demo edition's made-up novel: French words
// with their Russian and English renderings, so that every sentence of the
// book comes with its two translations. Texts are in their mid-sentence form
// (lower case unless a name); the sentence maker capitalises.

// One expression in the three languages of the edition.
struct DemoWords {
    const char16_t* m_french;
    const char16_t* m_russian;
    const char16_t* m_english;
};

// Russian past-tense verbs agree with it; French verbs with its number.
enum class DemoGender { Masculine, Feminine, Plural };

struct DemoSubject {
    DemoWords m_words;
    DemoGender m_gender;
};

// What kinds of thing a verb takes as its object, so that nobody opens the sea.
const uint32_t kDemoOpenable = 1;
const uint32_t kDemoPortable = 2;
const uint32_t kDemoReadable = 4;
const uint32_t kDemoPlace = 8;
const uint32_t kDemoView = 16;
const uint32_t kDemoAwaited = 32;

struct DemoObject {
    DemoWords m_words;
    uint32_t m_kinds;
};

// A verb in the third person of a past tense. Russian transitive forms carry
// their preposition ("смотрел на"); m_objects is 0 for a verb without object.
struct DemoVerb {
    const char16_t* m_french_singular;
    const char16_t* m_french_plural;
    const char16_t* m_russian_masculine;
    const char16_t* m_russian_feminine;
    const char16_t* m_russian_plural;
    const char16_t* m_english_past;
    const char16_t* m_english_base;
    uint32_t m_objects;
};

// What a time, place or manner adverbial says; a sentence has at most one
// of each, in the order manner, place, time ("doucement dans la cour ce
// soir-là").
enum class DemoAdverbialKind { Manner, Place, Time };

struct DemoAdverbial {
    DemoWords m_words;
    DemoAdverbialKind m_kind;
};

// Endings a short exclamation allows, and whether it may lead a pair
// ("ah, c'est lui !"). Answers (oui, non) do not follow one another.
const uint32_t kDemoStops = 1;
const uint32_t kDemoExclaims = 2;
const uint32_t kDemoAsks = 4;
const uint32_t kDemoLeads = 8;
const uint32_t kDemoAnswers = 16;

struct DemoInterjection {
    DemoWords m_words;
    uint32_t m_endings;
};

uint32_t demoSubjectCount();
const DemoSubject& demoSubject(uint32_t i);
uint32_t demoVerbCount();
const DemoVerb& demoVerb(uint32_t i);
uint32_t demoObjectCount();
const DemoObject& demoObject(uint32_t i);
// Time, place and manner: " ce soir-là", " sans un mot".
uint32_t demoAdverbialCount();
const DemoAdverbial& demoAdverbial(uint32_t i);
// Sentence openers with their comma: "ce soir-là, ". They tell the time, so
// a sentence that has one takes no time adverbial.
uint32_t demoOpenerCount();
const DemoWords& demoOpener(uint32_t i);
uint32_t demoInterjectionCount();
const DemoInterjection& demoInterjection(uint32_t i);
