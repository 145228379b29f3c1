#include "SoundTestSupport.h"

#include <algorithm>
#include <cstdio>

#include "core/PlatformChar.h"
#include "core/WinApiCriticalSection.h"
#include "document/AudioSegment.h"
#include "sound/PlayItem.h"
#include "sound/PlayerGlobals.h"
#include "sound/TrackByteRange.h"

namespace {

std::string readFile(const std::string& path)
{
    std::string bytes;
    FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr)
        return bytes;
    char buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof(buffer), f)) > 0)
        bytes.append(buffer, n);
    std::fclose(f);
    return bytes;
}

std::vector<std::string> captureFiles()
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((captureDir() + "\\capture.raw*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return names;
    do {
        names.push_back(found.cFileName);
    } while (FindNextFileA(find, &found));
    FindClose(find);
    // capture.raw, capture.raw.0001, capture.raw.0002, ...: the order of opening.
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

void put32(std::string& out, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

void put16(std::string& out, uint16_t v)
{
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>(v >> 8));
}

bool writeBytes(const std::string& name, const std::string& bytes)
{
    FILE* f = std::fopen(name.c_str(), "wb");
    if (f == nullptr)
        return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

uint8_t trackByte(uint32_t id, uint32_t pos)
{
    uint32_t x = pos * 2654435761u + id * 0x9E3779B9u;
    x ^= x >> 15;
    x *= 2246822519u;
    x ^= x >> 13;
    return static_cast<uint8_t>(1 + x % 255);
}

bool writeTrack(const TestTrack& track)
{
    std::string out;
    std::string body = "WAVE";
    if (track.chunkBeforeFormat) {
        body += "LIST";
        put32(body, 6);
        body += "INFOab";
    }
    body += "fmt ";
    put32(body, 16);
    put16(body, 1); // PCM
    put16(body, track.channels);
    put32(body, track.sampleRate);
    put32(body, track.bytesPerSecond());
    put16(body, track.frameBytes());
    put16(body, track.bitsPerSample);
    if (track.hasData) {
        body += "data";
        put32(body, track.declaredBytes != 0 ? track.declaredBytes : track.dataBytes);
        for (uint32_t pos = 0; pos < track.dataBytes; ++pos)
            body.push_back(static_cast<char>(trackByte(track.id, pos)));
    }
    out += "RIFF";
    put32(out, static_cast<uint32_t>(body.size()));
    out += body;
    return writeBytes(track.name, out);
}

TestItem segmentItem(const TestTrack& track, uint32_t startMs, uint32_t endMs, int32_t segment)
{
    return TestItem{&track, std::string(), startMs, endMs, segment};
}

TestItem pauseItem(const TestTrack& track, uint32_t startMs, uint32_t endMs)
{
    return TestItem{&track, std::string(), startMs, endMs, -1};
}

TestItem missingItem(const std::string& name, int32_t segment)
{
    return TestItem{nullptr, name, 0, 1000, segment};
}

std::string describe(const std::vector<TestEvent>& events)
{
    std::string s;
    for (const TestEvent& e : events)
        s += std::string(1, e.kind) + std::to_string(e.segment) + " ";
    return s;
}

ChainPlan planChain(const std::vector<TestItem>& chain)
{
    ChainPlan plan;
    const TestTrack* open = nullptr;
    for (size_t i = 0; i < chain.size(); ++i) {
        const TestItem& item = chain[i];
        if (item.track == nullptr || !item.track->hasData) {
            plan.endsMissing = true;
            break;
        }
        const TestTrack& track = *item.track;
        bool newDevice = open != &track;
        open = &track;
        const uint32_t available =
            track.declaredBytes != 0 ? std::min(track.declaredBytes, track.dataBytes) : track.dataBytes;
        uint32_t start = 0;
        uint32_t end = 0;
        timeRangeToBytes(track.bytesPerSecond(), track.frameBytes(), item.startMs, item.endMs, available, start, end);
        for (uint32_t pos = start; pos < end;) {
            const uint32_t n = nextBlockBytes(end - pos, track.frameBytes());
            plan.blocks.push_back(TestBlock{i, track.id, pos, n, pos == start, pos + n >= end, newDevice});
            newDevice = false;
            pos += n;
        }
    }
    return plan;
}

std::string playedBytes(const ChainPlan& plan, size_t blockCount)
{
    std::string bytes;
    for (size_t b = 0; b < blockCount && b < plan.blocks.size(); ++b) {
        const TestBlock& block = plan.blocks[b];
        for (uint32_t k = 0; k < block.length; ++k)
            bytes.push_back(static_cast<char>(trackByte(block.trackId, block.start + k)));
    }
    return bytes;
}

std::vector<TestEvent> playedEvents(const std::vector<TestItem>& chain, const ChainPlan& plan, size_t blockCount)
{
    std::vector<TestEvent> events;
    for (size_t b = 0; b < blockCount && b < plan.blocks.size(); ++b) {
        const TestBlock& block = plan.blocks[b];
        if (block.firstOfItem)
            events.push_back(TestEvent{'S', chain[block.item].segment});
        if (block.lastOfItem)
            events.push_back(TestEvent{'F', chain[block.item].segment});
    }
    if (plan.endsMissing && blockCount >= plan.blocks.size())
        events.push_back(TestEvent{'M', 0});
    return events;
}

ChainPlayer::~ChainPlayer()
{
    close();
}

void ChainPlayer::close()
{
    if (shutdown(ShutdownTimeout))
        return;
    uint32_t queued = 0;
    {
        CriticalSectionLock lock(g_player_lock);
        queued = queuedBlockCount();
    }
    std::fflush(stdout);
    std::fprintf(stderr,
                 "%s%sThe player did not shut down within %lu ms: %s. Its threads may still use it: the test "
                 "program ends here.\n",
                 m_context.c_str(), m_context.empty() ? "" : ": ", static_cast<unsigned long>(ShutdownTimeout),
                 queued != 0 ? (std::to_string(queued) + " withdrawn blocks did not come back").c_str()
                             : "its player thread or completion thread did not end");
    std::fflush(stderr);
    TerminateProcess(GetCurrentProcess(), 3);
}

HANDLE ChainPlayer::play(const std::vector<TestItem>& chain)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_chains.push_back(chain);
    HANDLE thread = startThread();
    if (thread != nullptr)
        m_cursors[GetThreadId(thread)] = Cursor{m_chains.size() - 1, 0};
    return thread;
}

std::vector<TestEvent> ChainPlayer::events()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_events;
}

std::vector<TestEvent> ChainPlayer::takeEvents()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    std::vector<TestEvent> events;
    events.swap(m_events);
    return events;
}

bool ChainPlayer::firstItem()
{
    return storeItem(true);
}

bool ChainPlayer::nextItem()
{
    return storeItem(false);
}

bool ChainPlayer::storeItem(bool first)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    auto found = m_cursors.find(GetCurrentThreadId());
    if (found == m_cursors.end())
        return false;
    Cursor& cursor = found->second;
    if (first)
        cursor.next = 0;
    const std::vector<TestItem>& chain = m_chains[cursor.chain];
    if (cursor.next >= chain.size())
        return false;
    const TestItem& item = chain[cursor.next++];
    const std::string& name = item.track != nullptr ? item.track->name : item.fileName;
    std::u16string wide(name.begin(), name.end());
    AudioSegment segment;
    segment.trackName().assign(wide.c_str());
    segment.start().setMilliseconds(item.startMs);
    segment.end().setMilliseconds(item.endMs);
    if (item.segment >= 0)
        segment.setTextRange(0, 0, 0);
    // A pause's index is whatever the caller has at hand; its item says -1.
    setItem(SegmentPlayItem(segment, item.segment >= 0 ? item.segment : 99));
    return true;
}

void ChainPlayer::record(char kind, int32_t segment)
{
    const TestEvent event{kind, segment};
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_events.push_back(event);
    }
    if (m_on_event)
        m_on_event(event);
}

void ChainPlayer::onSegmentFinished(int32_t segment)
{
    record('F', segment);
}

void ChainPlayer::onSegmentStarted(int32_t segment)
{
    record('S', segment);
}

void ChainPlayer::onAudioFileMissing()
{
    record('M', 0);
}

std::string finishCapture(ChainPlayer& player)
{
    std::string failure;
    if (!player.waitIdle(PlaybackTimeout)) {
        CriticalSectionLock lock(g_player_lock);
        const uint32_t queued = player.queuedBlocks();
        failure = "waited " + std::to_string(PlaybackTimeout) + " ms in vain for the playback to end and play out: " +
                  (queued != 0 ? std::to_string(queued) + " blocks are still queued"
                               : std::string("its player thread still runs"));
    }
    // Wine reports a block done a few milliseconds before its end has gone
    // out, and closing the device takes that end back: let it go out first.
    Sleep(100);
    player.close();
    return failure;
}

const char* testVariant()
{
    return NarrowProgram ? "a" : "w";
}

std::string captureDir()
{
    char dir[MAX_PATH] = {};
    const DWORD n = GetEnvironmentVariableA("TAVREMS_CAPTURE_DIR", dir, MAX_PATH);
    return n > 0 && n < MAX_PATH ? std::string(dir) : std::string(".");
}

void clearCapture()
{
    for (const std::string& name : captureFiles())
        DeleteFileA((captureDir() + "\\" + name).c_str());
}

std::vector<std::string> readCapture()
{
    std::vector<std::string> contents;
    for (const std::string& name : captureFiles())
        contents.push_back(readFile(captureDir() + "\\" + name));
    return contents;
}

std::string withoutSilence(const std::string& bytes)
{
    std::string sound;
    sound.reserve(bytes.size());
    for (char c : bytes) {
        if (c != 0)
            sound.push_back(c);
    }
    return sound;
}

std::string joined(const std::vector<std::string>& parts)
{
    std::string all;
    for (const std::string& part : parts)
        all += part;
    return all;
}

std::string firstDifference(const std::string& actual, const std::string& expected)
{
    size_t i = 0;
    while (i < actual.size() && i < expected.size() && actual[i] == expected[i])
        ++i;
    return "sizes " + std::to_string(actual.size()) + " and " + std::to_string(expected.size()) +
           ", first difference at byte " + std::to_string(i);
}
