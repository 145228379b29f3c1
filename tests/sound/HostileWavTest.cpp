// Opens and plays tracks that are damaged or strange in every way a WAV file
// can be: cut off anywhere, chunk sizes 0, odd, huge or past the end, the
// chunks out of order, format records with extra bytes or the extensible tag,
// and formats with no channels, no block align, odd byte rates and sample
// sizes. The player must neither crash nor hang; a track it cannot play gives
// the missing-file notification or a skipped item; and it must never play a
// byte that is not in the track's sound data.
#include <gtest/gtest.h>

#include <random>

#include "SoundTestSupport.h"
#include "sound/TrackByteRange.h"
#include "sound/TrackFormat.h"

namespace {

// The sound bytes of the tracks here are never 0 or 0x80 (the silence the
// output fills in, for 16-bit and for 8-bit sound) and never 'd', so that no
// chunk named "data" can appear inside them.
uint8_t soundByte(uint32_t id, uint32_t pos)
{
    const uint8_t b = trackByte(id, pos);
    return b == 0x80 || b == 'd' ? static_cast<uint8_t>(b + 1) : b;
}

std::string soundBytes(uint32_t id, uint32_t count)
{
    std::string bytes;
    for (uint32_t pos = 0; pos < count; ++pos)
        bytes.push_back(static_cast<char>(soundByte(id, pos)));
    return bytes;
}

std::string le32(uint32_t v)
{
    std::string s;
    put32(s, v);
    return s;
}

std::string le16(uint16_t v)
{
    std::string s;
    put16(s, v);
    return s;
}

struct WavChunk {
    std::string id;
    uint32_t size; // as the header states it
    std::string contents;
    bool pad; // a pad byte after odd contents
};

struct WavFormat {
    uint16_t tag = 1;
    uint16_t channels = 2;
    uint32_t sampleRate = 44100;
    uint32_t byteRate = 176400;
    uint16_t blockAlign = 4;
    uint16_t bits = 16;
};

// The contents of a "fmt " chunk: the 16 bytes of a plain PCM record, then
// `extra` as it stands (a size and the bytes of a longer record).
std::string formatRecord(const WavFormat& f, const std::string& extra = std::string())
{
    return le16(f.tag) + le16(f.channels) + le32(f.sampleRate) + le32(f.byteRate) + le16(f.blockAlign) +
           le16(f.bits) + extra;
}

// The extra part of an extensible record: its size (22), the valid bits, the
// speaker mask and the sub-format, PCM unless told.
std::string extensibleExtra(uint16_t validBits, uint16_t subFormat = 1)
{
    static const char guidTail[] = "\x00\x00\x00\x00\x10\x00\x80\x00\x00\xAA\x00\x38\x9B\x71";
    return le16(22) + le16(validBits) + le32(3) + le16(subFormat) + std::string(guidTail, 14);
}

struct WavFile {
    std::vector<WavChunk> chunks;
    uint32_t riffSize = 0; // 0: the true size
    bool riffSizeSet = false;
    size_t cutAt = SIZE_MAX; // the file ends here
};

WavChunk chunk(const std::string& id, const std::string& contents)
{
    return WavChunk{id, static_cast<uint32_t>(contents.size()), contents, contents.size() % 2 == 1};
}

std::string fileBytes(const WavFile& wav, size_t* dataOffset = nullptr)
{
    std::string body = "WAVE";
    for (const WavChunk& c : wav.chunks) {
        body += c.id + le32(c.size);
        if (c.id == "data" && dataOffset != nullptr && *dataOffset == SIZE_MAX)
            *dataOffset = 8 + body.size();
        body += c.contents;
        if (c.pad)
            body.push_back('\x11');
    }
    std::string bytes = "RIFF" + le32(wav.riffSizeSet ? wav.riffSize : static_cast<uint32_t>(body.size())) + body;
    if (wav.cutAt < bytes.size())
        bytes.resize(wav.cutAt);
    return bytes;
}

// The track's sound data: the contents of its "data" chunk that the file
// holds, as far as the chunk's size reaches.
std::string soundData(const WavFile& wav)
{
    size_t offset = SIZE_MAX;
    const std::string bytes = fileBytes(wav, &offset);
    if (offset == SIZE_MAX || offset >= bytes.size())
        return std::string();
    uint32_t size = 0;
    for (const WavChunk& c : wav.chunks) {
        if (c.id == "data") {
            size = c.size;
            break;
        }
    }
    return bytes.substr(offset, size);
}

// The played bytes without the silence the output filled in.
std::string soundOnly(const std::string& capture)
{
    std::string sound;
    for (char c : capture) {
        if (c != 0 && c != '\x80')
            sound.push_back(c);
    }
    return sound;
}

// True when `played` is at most `pieces` runs of `data` one after the other.
bool isMadeOfRuns(const std::string& played, const std::string& data, size_t pieces)
{
    size_t pos = 0;
    while (pos < played.size()) {
        if (pieces-- == 0)
            return false;
        // The longest run of data that the rest begins with.
        size_t longest = 0;
        const size_t probe = std::min<size_t>(8, played.size() - pos);
        for (size_t at = data.find(played.substr(pos, probe)); at != std::string::npos;
             at = data.find(played.substr(pos, probe), at + 1)) {
            size_t n = probe;
            while (pos + n < played.size() && at + n < data.size() && played[pos + n] == data[at + n])
                ++n;
            longest = std::max(longest, n);
        }
        if (longest == 0)
            return false;
        pos += longest;
    }
    return true;
}

struct CaseResult {
    std::vector<TestEvent> events;
    std::string played;
};

// The two items each track is played with: its first 10 ms, and from 15 ms
// to an end that varies.
const uint32_t FirstEndMs = 10;
const uint32_t SecondStartMs = 15;

class HostileWavTest : public ::testing::Test {
protected:
    // Writes the track, plays its two items and answers what was heard. With
    // `wholeCapture` the player is closed after the playback, which completes
    // the capture. Without it the device stays open and the capture may lack
    // its last milliseconds, but the next track is played sooner; it is
    // written to the other of two files, since the player keeps the track
    // open until it opens the next one. A playback that does not end in time
    // fails the test.
    CaseResult play(const std::string& bytes, uint32_t endMs, const std::string& what, bool wholeCapture)
    {
        CaseResult result;
        m_use_second = !m_use_second;
        const std::string name = captureDir() + "\\" + testVariant() + (m_use_second ? "_hostile2.wav" : "_hostile.wav");
        if (!writeBytes(name, bytes)) {
            ADD_FAILURE() << "cannot write " << name;
            return result;
        }
        // The devices still open write on into their files, which are gone.
        clearCapture();
        m_player.m_context = what;
        m_player.play({TestItem{nullptr, name, 0, FirstEndMs, 1}, TestItem{nullptr, name, SecondStartMs, endMs, 2}});
        if (wholeCapture) {
            const std::string failure = finishCapture(m_player);
            if (!failure.empty())
                ADD_FAILURE() << what << ": " << failure;
        } else if (!m_player.waitIdle(PlaybackTimeout)) {
            ADD_FAILURE() << what << ": the playback did not end and play out within " << PlaybackTimeout << " ms";
        }
        result.events = m_player.takeEvents();
        result.played = soundOnly(joined(readCapture()));
        return result;
    }

    // What every track must give: a missing-file notification alone, or the
    // start and the end of each item that played, in order; and nothing but
    // runs of its sound data, one for each item at most.
    void expectSafe(const CaseResult& r, const std::string& data, const std::string& what)
    {
        const std::vector<std::vector<TestEvent>> allowed = {
            {{'M', 0}}, {}, {{'S', 1}, {'F', 1}}, {{'S', 2}, {'F', 2}}, {{'S', 1}, {'F', 1}, {'S', 2}, {'F', 2}},
        };
        EXPECT_NE(std::find(allowed.begin(), allowed.end(), r.events), allowed.end())
            << what << ": notifications " << describe(r.events);
        if (!r.events.empty() && r.events[0].kind == 'M') {
            EXPECT_TRUE(r.played.empty()) << what << ": sound from a track reported missing";
        }
        // Chunk headers inside the sound data hold zeros, which cannot be told
        // from silence.
        EXPECT_TRUE(isMadeOfRuns(r.played, soundOnly(data), 2))
            << what << ": " << r.played.size() << " bytes played that are not the track's " << data.size()
            << " bytes of sound data";
    }

    bool m_use_second = false;
    ChainPlayer m_player;
};

// A well-formed track to begin from: PCM of 8 to 32 bits, 1 or 2 channels,
// sometimes with another chunk before, between or after the two.
WavFile baseTrack(std::mt19937& random, uint32_t id)
{
    auto below = [&random](uint32_t n) { return static_cast<uint32_t>(random() % n); };
    WavFormat f;
    f.channels = static_cast<uint16_t>(1 + below(2));
    static const uint16_t bits[] = {8, 16, 24, 32};
    f.bits = bits[below(4)];
    static const uint32_t rates[] = {22050, 44100, 48000};
    f.sampleRate = rates[below(3)];
    f.blockAlign = static_cast<uint16_t>(f.channels * f.bits / 8);
    f.byteRate = f.sampleRate * f.blockAlign;
    const uint32_t dataBytes = below(4) == 0 ? 8000 + below(60000) : 1 + below(8000);

    WavFile wav;
    wav.chunks.push_back(chunk("fmt ", formatRecord(f)));
    wav.chunks.push_back(chunk("data", soundBytes(id, dataBytes)));
    const uint32_t other = below(6);
    if (other < 3) {
        const std::string contents = soundBytes(id + 7777, 1 + below(40));
        wav.chunks.insert(wav.chunks.begin() + other, chunk(other == 0 ? "LIST" : "junk", contents));
    }
    return wav;
}

WavChunk* findChunk(WavFile& wav, const char* id)
{
    for (WavChunk& c : wav.chunks) {
        if (c.id == id)
            return &c;
    }
    return nullptr;
}

// Damages the track in one way; answers how.
std::string mutate(WavFile& wav, std::mt19937& random)
{
    auto below = [&random](uint32_t n) { return static_cast<uint32_t>(random() % n); };
    WavChunk* fmt = findChunk(wav, "fmt ");
    WavChunk* data = findChunk(wav, "data");
    const size_t fileSize = fileBytes(wav).size();
    switch (below(9)) {
    case 0: {
        wav.cutAt = below(static_cast<uint32_t>(fileSize));
        return "cut at " + std::to_string(wav.cutAt);
    }
    case 1:
    case 2: {
        // A chunk size that is 0, odd, huge or past the end.
        WavChunk& c = wav.chunks[below(static_cast<uint32_t>(wav.chunks.size()))];
        // 0xFFFFFFF8 leads a search that adds sizes in 32 bits back onto the
        // chunk itself, 0xFFFFFFF0 back to the one before.
        static const uint32_t sizes[] = {0, 1, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF, 0xFFFFFFFE, 0xFFFFFFF8, 0xFFFFFFF0};
        switch (below(4)) {
        case 0:
            c.size = sizes[below(8)];
            break;
        case 1:
            c.size = c.size + 1 - 2 * below(2);
            break;
        case 2:
            c.size = static_cast<uint32_t>(fileSize + below(100000));
            break;
        default:
            c.size = below(std::min<uint32_t>(c.size, 100000) + 40);
            break;
        }
        return c.id + " size " + std::to_string(c.size);
    }
    case 3: {
        wav.riffSizeSet = true;
        static const uint32_t sizes[] = {0, 3, 4, 12, 0xFFFFFFFF};
        wav.riffSize = below(2) == 0 ? sizes[below(5)] : below(static_cast<uint32_t>(fileSize));
        return "RIFF size " + std::to_string(wav.riffSize);
    }
    case 4: {
        // "data" before "fmt ".
        std::swap(*fmt, *data);
        return "data before fmt";
    }
    case 5: {
        // A longer format record: extra bytes, or the extensible tag.
        if (fmt->contents.size() < 16)
            return "no format to extend";
        std::string plain = fmt->contents.substr(0, 16);
        std::string extra;
        switch (below(4)) {
        case 0:
            extra = le16(0);
            break;
        case 1:
            extra = le16(6) + "abcdef";
            break;
        case 2:
            extra = extensibleExtra(static_cast<uint16_t>(static_cast<uint8_t>(plain[14])));
            plain[0] = '\xFE';
            plain[1] = '\xFF';
            break;
        default:
            extra = extensibleExtra(static_cast<uint16_t>(static_cast<uint8_t>(plain[14])), 3);
            plain[0] = '\xFE';
            plain[1] = '\xFF';
            break;
        }
        *fmt = chunk("fmt ", plain + extra);
        return "format of " + std::to_string(fmt->size) + " bytes, tag " +
               std::to_string(static_cast<uint8_t>(plain[0]) | static_cast<uint8_t>(plain[1]) << 8);
    }
    case 6: {
        // A short format record.
        const uint32_t n = below(16);
        *fmt = chunk("fmt ", fmt->contents.substr(0, n));
        return "format of " + std::to_string(n) + " bytes";
    }
    default: {
        // One field of the format.
        std::string& r = fmt->contents;
        const uint32_t field = below(6);
        static const size_t offsets[] = {0, 2, 4, 8, 12, 14};
        static const size_t widths[] = {2, 2, 4, 4, 2, 2};
        static const uint32_t values[] = {0, 1, 3, 7, 8, 16, 24, 32, 999, 1000, 0xFFFE, 0xFFFF, 0x7FFFFFFF, 0xFFFFFFFF};
        // A rate of a few samples a second plays for hours unless refused.
        const uint32_t v = values[below(14)];
        if (r.size() < offsets[field] + widths[field])
            return "no format to change";
        const std::string bytes = widths[field] == 2 ? le16(static_cast<uint16_t>(v)) : le32(v);
        r.replace(offsets[field], widths[field], bytes);
        static const char* const names[] = {"tag", "channels", "sample rate", "byte rate", "block align", "bits"};
        return std::string(names[field]) + " " + std::to_string(widths[field] == 2 ? v & 0xFFFF : v);
    }
    }
}

TEST_F(HostileWavTest, MutatedTracksNeitherCrashNorHangNorPlayForeignBytes)
{
    const uint32_t count = 1000;
    // The two programs play different tracks.
    std::mt19937 random(testVariant()[0] == 'w' ? 8101 : 8102);
    size_t missing = 0;
    size_t played = 0;
    for (uint32_t k = 0; k < count && !HasFailure(); ++k) {
        WavFile wav = baseTrack(random, 100 + k);
        std::string what = "track " + std::to_string(k) + ":";
        const uint32_t mutations = 1 + static_cast<uint32_t>(random() % 3);
        for (uint32_t m = 0; m < mutations; ++m)
            what += " " + mutate(wav, random) + ";";
        // Most items are short; some take several blocks.
        const uint32_t endMs = k % 8 == 0 ? 400 : 60;
        const CaseResult r = play(fileBytes(wav), endMs, what, false);
        expectSafe(r, soundData(wav), what);
        missing += !r.events.empty() && r.events[0].kind == 'M' ? 1 : 0;
        played += r.played.empty() ? 0 : 1;
    }
    // Damage of every kind: some tracks still play, others cannot.
    if (!HasFailure()) {
        EXPECT_GT(missing, count / 10);
        EXPECT_GT(played, count / 10);
    }
}

} // namespace

namespace {

WavFormat pcmFormat(uint16_t channels, uint32_t rate, uint16_t bits)
{
    WavFormat f;
    f.channels = channels;
    f.sampleRate = rate;
    f.bits = bits;
    f.blockAlign = static_cast<uint16_t>(channels * bits / 8);
    f.byteRate = rate * f.blockAlign;
    return f;
}

WavFile plainTrack(const WavFormat& f, uint32_t id, uint32_t dataBytes)
{
    WavFile wav;
    wav.chunks = {chunk("fmt ", formatRecord(f)), chunk("data", soundBytes(id, dataBytes))};
    return wav;
}

// What a track in format `f` must give: the bytes of each item's range of its
// sound data, and the start and the end of each item that has any.
CaseResult expectedPlay(const WavFormat& f, const std::string& data, uint32_t endMs)
{
    CaseResult r;
    // A part of a frame that ends the data is no sound.
    const uint32_t size = static_cast<uint32_t>(data.size() - data.size() % f.blockAlign);
    const uint32_t ranges[2][2] = {{0, FirstEndMs}, {SecondStartMs, endMs}};
    for (int32_t i = 0; i < 2; ++i) {
        uint32_t start = 0;
        uint32_t end = 0;
        timeRangeToBytes(f.byteRate, f.blockAlign, ranges[i][0], ranges[i][1], size, start, end);
        if (start >= end)
            continue;
        r.played += data.substr(start, end - start);
        r.events.push_back(TestEvent{'S', i + 1});
        r.events.push_back(TestEvent{'F', i + 1});
    }
    r.played = soundOnly(r.played);
    return r;
}

struct NamedTrack {
    std::string name;
    WavFile wav;
    bool playable;
    WavFormat format; // of a playable track
    uint32_t endMs;
};

// Each damage of the mutated tracks once, and what it must give. The first
// ones the player used to get wrong.
std::vector<NamedTrack> namedTracks()
{
    const WavFormat stereo = pcmFormat(2, 44100, 16);
    std::vector<NamedTrack> tracks;
    auto add = [&tracks](const std::string& name, const WavFile& wav, bool playable, const WavFormat& f,
                         uint32_t endMs) { tracks.push_back(NamedTrack{name, wav, playable, f, endMs}); };
    uint32_t id = 500;

    // The output drops the part of a 3- or 6-byte frame that ends a block of
    // 16,384 bytes, and every sample after it came out shifted by a byte.
    WavFormat f = pcmFormat(1, 44100, 24);
    add("24-bit mono over several blocks", plainTrack(f, id++, 60000), true, f, 400);
    f = pcmFormat(2, 48000, 24);
    add("24-bit stereo over several blocks", plainTrack(f, id++, 120000), true, f, 400);
    // mmioDescend's search adds the size in 32 bits and reads this chunk again
    // and again, for ever.
    WavFile wav = plainTrack(stereo, id++, 8000);
    wav.chunks.insert(wav.chunks.begin(), WavChunk{"junk", 0xFFFFFFF8, "abcd", false});
    add("a chunk whose size leads back onto itself", wav, false, stereo, 60);
    wav = plainTrack(stereo, id++, 8000);
    wav.chunks.insert(wav.chunks.begin() + 1, WavChunk{"LIST", 0xFFFFFFF0, "INFOabcd", false});
    add("a chunk whose size leads back before it", wav, false, stereo, 60);
    // The output corrupted its memory.
    f = stereo;
    f.channels = 65534;
    add("65534 channels", plainTrack(f, id++, 8000), false, f, 60);
    // The two items' 16 blocks would have played for hours.
    f = pcmFormat(1, 24, 16);
    add("24 samples a second", plainTrack(f, id++, 8000), false, f, 60);
    wav = plainTrack(stereo, id++, 8000);
    std::swap(wav.chunks[0], wav.chunks[1]);
    add("\"data\" before \"fmt \"", wav, true, stereo, 60);
    wav = plainTrack(stereo, id++, 8000);
    wav.riffSizeSet = true;
    wav.riffSize = 0xFFFFFFFF;
    add("the RIFF size of a stream of unknown length", wav, true, stereo, 60);

    add("16-bit stereo, as the book's tracks", plainTrack(stereo, id++, 8000), true, stereo, 60);
    f = pcmFormat(1, 22050, 8);
    add("8-bit mono", plainTrack(f, id++, 8000), true, f, 60);
    f = pcmFormat(2, 44100, 32);
    f.tag = FloatFormatTag;
    add("32-bit float stereo", plainTrack(f, id++, 16000), true, f, 60);
    f = pcmFormat(2, 44100, 32);
    add("32-bit integer stereo", plainTrack(f, id++, 16000), true, f, 60);
    wav = plainTrack(stereo, id++, 8000);
    wav.riffSizeSet = true;
    wav.riffSize = 4;
    add("a RIFF form without chunks", wav, false, stereo, 60);
    wav = plainTrack(stereo, id++, 8000);
    wav.chunks[1].size = 50000;
    add("a data size past the end of the file", wav, true, stereo, 60);
    wav = plainTrack(stereo, id++, 8000);
    wav.chunks[1].size = 0;
    add("a data size of 0: both items are skipped", wav, true, stereo, 60);
    wav = plainTrack(stereo, id++, 7999);
    wav.chunks.push_back(chunk("LIST", soundBytes(id++, 300)));
    add("odd sound data with its pad byte, then another chunk", wav, true, stereo, 60);
    wav = plainTrack(stereo, id++, 8000);
    wav.chunks[0] = chunk("fmt ", formatRecord(stereo, "x"));
    add("a format chunk of odd size", wav, true, stereo, 60);
    wav = plainTrack(stereo, id++, 8000);
    wav.chunks[0] = chunk("fmt ", formatRecord(stereo, le16(6) + "abcdef"));
    add("a format record with extra bytes", wav, true, stereo, 60);
    wav = plainTrack(stereo, id++, 8000);
    wav.chunks[0] = chunk("fmt ", formatRecord(stereo, extensibleExtra(16)));
    wav.chunks[0].contents[0] = '\xFE';
    wav.chunks[0].contents[1] = '\xFF';
    add("the extensible format tag", wav, false, stereo, 60);
    const char* const broken[] = {"0 channels", "block align 0", "byte rate 0", "byte rate 4294967295"};
    for (int k = 0; k < 4; ++k) {
        f = stereo;
        if (k == 0)
            f.channels = 0;
        else if (k == 1)
            f.blockAlign = 0;
        else
            f.byteRate = k == 2 ? 0 : 0xFFFFFFFF;
        add(broken[k], plainTrack(f, id++, 8000), false, f, 60);
    }
    wav = plainTrack(stereo, id++, 8000);
    wav.chunks[0] = chunk("fmt ", formatRecord(stereo).substr(0, 14));
    add("a format record without its sample size", wav, false, stereo, 60);
    wav = plainTrack(stereo, id++, 8000);
    wav.cutAt = 40;
    add("cut inside the data chunk's header", wav, false, stereo, 60);
    wav = plainTrack(stereo, id++, 8000);
    wav.cutAt = 44 + 3000;
    add("cut inside the sound data", wav, true, stereo, 60);
    wav = plainTrack(stereo, id++, 8000);
    wav.cutAt = 12;
    add("only the RIFF header", wav, false, stereo, 60);
    wav.cutAt = 0;
    add("an empty file", wav, false, stereo, 60);
    return tracks;
}

} // namespace

TEST_F(HostileWavTest, NamedTracksPlayExactlyOrAreReportedMissing)
{
    for (const NamedTrack& track : namedTracks()) {
        const CaseResult r = play(fileBytes(track.wav), track.endMs, track.name, true);
        if (!track.playable) {
            EXPECT_EQ(r.events, (std::vector<TestEvent>{{'M', 0}})) << track.name << ": " << describe(r.events);
            EXPECT_TRUE(r.played.empty()) << track.name << ": " << r.played.size() << " bytes played";
            continue;
        }
        const CaseResult expected = expectedPlay(track.format, soundData(track.wav), track.endMs);
        EXPECT_EQ(r.events, expected.events) << track.name << ": " << describe(r.events);
        EXPECT_TRUE(r.played == expected.played) << track.name << ": " << firstDifference(r.played, expected.played);
    }
}
