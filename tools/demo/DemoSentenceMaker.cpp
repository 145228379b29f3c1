#include "tools/demo/DemoSentenceMaker.h"

#include "tools/demo/DemoVocabulary.h"

namespace {

// Texts up to this length are exclamations; longer ones are statements, and
// texts longer than kLongestStatement are cut into several sentences.
const uint32_t kLongestShortOnly = 12;
const uint32_t kLongestMixed = 24;
const uint32_t kLongestStatement = 80;
const uint32_t kStatementAttempts = 120;

uint32_t lengthOf(const char16_t* text)
{
    uint32_t n = 0;
    while (text[n] != 0)
        ++n;
    return n;
}

bool startsWithVowel(const char16_t* text)
{
    const std::u16string vowels = u"aeiouhéèêàâîôûAEIOUHÉ";
    return text[0] != 0 && vowels.find(text[0]) != std::u16string::npos;
}

char16_t upper(char16_t c)
{
    if ((c >= u'a' && c <= u'z') || (c >= 0x00E0 && c <= 0x00FE && c != 0x00F7) || (c >= 0x0430 && c <= 0x044F))
        return static_cast<char16_t>(c - 0x20);
    if (c == 0x0451) // ё
        return 0x0401;
    return c;
}

struct Punctuation {
    const char16_t* m_french;
    const char16_t* m_other;
};

const Punctuation kStop = {u".", u"."};
const Punctuation kExclamation = {u" !", u"!"};
const Punctuation kQuestion = {u" ?", u"?"};
const Punctuation kEllipsis = {u"...", u"..."};

void append(DemoSentence& to, const DemoSentence& piece, const char16_t* separator)
{
    to.m_french += separator;
    to.m_french += piece.m_french;
    to.m_russian += separator;
    to.m_russian += piece.m_russian;
    to.m_english += separator;
    to.m_english += piece.m_english;
}

void capitaliseAll(DemoSentence& text)
{
    text.m_french = capitalised(text.m_french);
    text.m_russian = capitalised(text.m_russian);
    text.m_english = capitalised(text.m_english);
}

DemoSentence ended(const DemoWords& words, const Punctuation& p)
{
    DemoSentence s;
    s.m_french = std::u16string(words.m_french) + p.m_french;
    s.m_russian = std::u16string(words.m_russian) + p.m_other;
    s.m_english = std::u16string(words.m_english) + p.m_other;
    return s;
}

} // namespace

std::u16string capitalised(const std::u16string& text)
{
    std::u16string result = text;
    if (!result.empty())
        result[0] = upper(result[0]);
    return result;
}

DemoSentenceMaker::DemoSentenceMaker()
{
    const uint32_t longest = kLongestStatement + 1;
    m_short_closed.resize(longest);
    m_short_open.resize(longest);
    const uint32_t n = demoInterjectionCount();
    for (uint32_t i = 0; i < n; ++i) {
        const DemoInterjection& a = demoInterjection(i);
        const DemoSentence alone = ended(a.m_words, {u"", u""});
        addEndings(alone, a.m_endings);
        // "oui, oui", "ah, mon Dieu": the second decides the ending.
        for (uint32_t j = 0; j < n; ++j) {
            const DemoInterjection& b = demoInterjection(j);
            const bool repeated = i == j && lengthOf(a.m_words.m_french) <= 4;
            const bool answers = (a.m_endings & kDemoAnswers) && (b.m_endings & kDemoAnswers);
            if ((i == j && !repeated) || (i != j && answers) || !(a.m_endings & kDemoLeads))
                continue;
            DemoSentence pair = alone;
            append(pair, ended(b.m_words, {u"", u""}), u", ");
            addEndings(pair, b.m_endings);
        }
    }

    // Every run of a manner, a place and a time adverbial, each optional.
    std::vector<uint32_t> byKind[3];
    for (uint32_t i = 0; i < demoAdverbialCount(); ++i)
        byKind[static_cast<int>(demoAdverbial(i).m_kind)].push_back(i);
    const uint32_t none = demoAdverbialCount();
    for (std::vector<uint32_t>& kind : byKind)
        kind.push_back(none);
    m_adverbial_runs_by_length.resize(longest);
    for (uint32_t manner : byKind[0]) {
        for (uint32_t place : byKind[1]) {
            for (uint32_t time : byKind[2]) {
                AdverbialRun run = {0, {0, 0, 0}, time != none};
                uint32_t length = 0;
                for (uint32_t item : {manner, place, time}) {
                    if (item == none)
                        continue;
                    run.m_items[run.m_count++] = item;
                    length += 1 + lengthOf(demoAdverbial(item).m_words.m_french);
                }
                if (run.m_count > 0 && length < longest)
                    m_adverbial_runs_by_length[length].push_back(run);
            }
        }
    }

    m_objects_of_verb.resize(demoVerbCount());
    for (uint32_t v = 0; v < demoVerbCount(); ++v) {
        for (uint32_t o = 0; o < demoObjectCount(); ++o) {
            if (demoVerb(v).m_objects & demoObject(o).m_kinds)
                m_objects_of_verb[v].push_back(o);
        }
    }
}

void DemoSentenceMaker::addEndings(const DemoSentence& text, uint32_t endings)
{
    const Punctuation none = {u"", u""};
    const DemoWords words = {text.m_french.c_str(), text.m_russian.c_str(), text.m_english.c_str()};
    if (endings & kDemoStops) {
        addShort(ended(words, none), false);
        addShort(ended(words, kStop), true);
        addShort(ended(words, kEllipsis), true);
    }
    if (endings & kDemoExclaims)
        addShort(ended(words, kExclamation), true);
    if (endings & kDemoAsks)
        addShort(ended(words, kQuestion), true);
}

void DemoSentenceMaker::addShort(const DemoSentence& text, bool closed)
{
    std::vector<std::vector<DemoSentence>>& lists = closed ? m_short_closed : m_short_open;
    if (text.m_french.size() < lists.size())
        lists[text.m_french.size()].push_back(text);
}

bool DemoSentenceMaker::makeShort(uint32_t length, bool capital, bool closed, DemoRandom& random,
                                  DemoSentence& out) const
{
    const std::vector<std::vector<DemoSentence>>& lists = closed ? m_short_closed : m_short_open;
    if (length >= lists.size() || lists[length].empty())
        return false;
    out = lists[length][random.below(static_cast<uint32_t>(lists[length].size()))];
    if (capital)
        capitaliseAll(out);
    return true;
}

bool DemoSentenceMaker::pickAdverbials(uint32_t length, bool timeAllowed, DemoRandom& random,
                                       std::vector<uint32_t>& chosen) const
{
    chosen.clear();
    if (length == 0)
        return true;
    if (length >= m_adverbial_runs_by_length.size())
        return false;
    // Fewer adverbials read better: runs of one first, of three last.
    std::vector<const AdverbialRun*> bySize[3];
    for (const AdverbialRun& run : m_adverbial_runs_by_length[length]) {
        if (timeAllowed || !run.m_tells_time)
            bySize[run.m_count - 1].push_back(&run);
    }
    const uint32_t preference[3] = {70, 80, 100};
    for (uint32_t pass = 0; pass < 2; ++pass) {
        for (uint32_t size = 0; size < 3; ++size) {
            if (bySize[size].empty() || (pass == 0 && !random.chance(preference[size])))
                continue;
            const AdverbialRun* run = bySize[size][random.below(static_cast<uint32_t>(bySize[size].size()))];
            chosen.assign(run->m_items, run->m_items + run->m_count);
            return true;
        }
    }
    return false;
}

bool DemoSentenceMaker::makeStatement(uint32_t length, bool capital, bool closed, DemoRandom& random,
                                      DemoSentence& out) const
{
    for (uint32_t attempt = 0; attempt < kStatementAttempts; ++attempt) {
        const bool opened = random.chance(25);
        const DemoWords& opener = demoOpener(random.below(demoOpenerCount()));
        const DemoSubject& subject = demoSubject(random.below(demoSubjectCount()));
        const uint32_t v = random.below(demoVerbCount());
        const DemoVerb& verb = demoVerb(v);
        const std::vector<uint32_t>& objects = m_objects_of_verb[v];
        if (verb.m_objects != 0 && objects.empty())
            continue;
        const DemoObject* object =
            verb.m_objects != 0 ? &demoObject(objects[random.below(static_cast<uint32_t>(objects.size()))]) : nullptr;
        const bool negative = random.chance(12);
        const uint32_t ending = random.below(10);
        const Punctuation& punctuation = !closed      ? Punctuation{u"", u""}
                                         : ending < 8 ? kStop
                                         : ending < 9 ? kExclamation
                                                      : kEllipsis;

        const bool plural = subject.m_gender == DemoGender::Plural;
        const char16_t* french = plural ? verb.m_french_plural : verb.m_french_singular;
        const char16_t* russian = subject.m_gender == DemoGender::Masculine  ? verb.m_russian_masculine
                                  : subject.m_gender == DemoGender::Feminine ? verb.m_russian_feminine
                                                                             : verb.m_russian_plural;
        DemoSentence s;
        if (opened) {
            s.m_french = opener.m_french;
            s.m_russian = opener.m_russian;
            s.m_english = opener.m_english;
        }
        s.m_french += subject.m_words.m_french;
        s.m_russian += subject.m_words.m_russian;
        s.m_english += subject.m_words.m_english;
        if (negative) {
            s.m_french += startsWithVowel(french) ? u" n'" : u" ne ";
            s.m_french += french;
            s.m_french += u" pas";
            s.m_russian += u" не ";
            s.m_russian += russian;
            s.m_english += u" did not ";
            s.m_english += verb.m_english_base;
        } else {
            s.m_french += u" ";
            s.m_french += french;
            s.m_russian += u" ";
            s.m_russian += russian;
            s.m_english += u" ";
            s.m_english += verb.m_english_past;
        }
        if (object != nullptr)
            append(s, {object->m_words.m_french, object->m_words.m_russian, object->m_words.m_english}, u" ");

        const uint32_t used = static_cast<uint32_t>(s.m_french.size()) + lengthOf(punctuation.m_french);
        if (used > length)
            continue;
        std::vector<uint32_t> adverbials;
        if (!pickAdverbials(length - used, !opened, random, adverbials))
            continue;
        for (uint32_t a : adverbials) {
            const DemoWords& w = demoAdverbial(a).m_words;
            append(s, {w.m_french, w.m_russian, w.m_english}, u" ");
        }
        append(s, {punctuation.m_french, punctuation.m_other, punctuation.m_other}, u"");
        if (capital)
            capitaliseAll(s);
        out = s;
        return true;
    }
    return false;
}

bool DemoSentenceMaker::makeJoined(uint32_t length, bool capital, bool closed, DemoRandom& random,
                                   DemoSentence& out) const
{
    // An exclamation, then the rest as a sentence of its own.
    const uint32_t tries = 12;
    for (uint32_t attempt = 0; attempt < tries; ++attempt) {
        const uint32_t first = random.between(3, kLongestShortOnly);
        if (first + 1 >= length)
            continue;
        DemoSentence head;
        DemoSentence tail;
        if (makeShort(first, capital, true, random, head) && makeText(length - first - 1, true, closed, random, tail)) {
            out = head;
            append(out, tail, u" ");
            return true;
        }
    }
    return false;
}

bool DemoSentenceMaker::makeText(uint32_t length, bool capital, bool closed, DemoRandom& random,
                                 DemoSentence& out) const
{
    if (length <= kLongestShortOnly)
        return makeShort(length, capital, closed, random, out);
    if (length <= kLongestMixed && random.chance(40) && makeShort(length, capital, closed, random, out))
        return true;
    if (length <= kLongestStatement) {
        if (makeStatement(length, capital, closed, random, out))
            return true;
        return makeShort(length, capital, closed, random, out) || makeJoined(length, capital, closed, random, out);
    }
    // Several sentences: a first one of ordinary length, then the rest.
    for (uint32_t attempt = 0; attempt < 8; ++attempt) {
        const uint32_t first = random.between(25, 70);
        if (first + 1 + 20 > length)
            continue;
        DemoSentence head;
        DemoSentence tail;
        if (makeText(first, capital, true, random, head) && makeText(length - first - 1, true, closed, random, tail)) {
            out = head;
            append(out, tail, u" ");
            return true;
        }
    }
    return false;
}
