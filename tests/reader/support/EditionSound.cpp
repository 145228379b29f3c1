#include "EditionSound.h"

#include <cstdlib>

#include "ReaderTestSupport.h"
#include "SoundTestSupport.h"
#include "document/BookLoader.h"
#include "sound/TrackByteRange.h"

namespace {

uint32_t read32(const std::string& bytes, size_t at)
{
    uint32_t v = 0;
    for (size_t i = 0; i < 4; ++i)
        v |= static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + i])) << (8 * i);
    return v;
}

uint16_t read16(const std::string& bytes, size_t at)
{
    return static_cast<uint16_t>(static_cast<uint8_t>(bytes[at]) | static_cast<uint8_t>(bytes[at + 1]) << 8);
}

// The format and sound data of a RIFF WAVE file, chunk by chunk.
bool parseWave(const std::string& file, EditionTrack& track)
{
    if (file.size() < 12 || file.compare(0, 4, "RIFF") != 0 || file.compare(8, 4, "WAVE") != 0)
        return false;
    bool format = false;
    for (size_t at = 12; at + 8 <= file.size();) {
        const std::string id = file.substr(at, 4);
        const uint32_t size = read32(file, at + 4);
        const size_t body = at + 8;
        if (id == "fmt " && size >= 16 && body + 16 <= file.size()) {
            track.bytesPerSecond = read32(file, body + 8);
            track.frameBytes = read16(file, body + 12);
            format = true;
        } else if (id == "data") {
            track.data = file.substr(body, size);
            return format;
        }
        at = body + size + (size & 1);
    }
    return false;
}

std::string narrow(const WideString& name)
{
    std::string text;
    for (uint32_t i = 0; i < name.count() && name.at(i) != 0; ++i)
        text.push_back(static_cast<char>(name.at(i)));
    return text;
}

} // namespace

bool linkEdition(const std::wstring& source, const std::wstring& target, std::initializer_list<const wchar_t*> without)
{
    CreateDirectoryW(target.c_str(), nullptr);
    // What an earlier run left.
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((target + L"\\*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            DeleteFileW((target + L"\\" + found.cFileName).c_str());
        } while (FindNextFileW(find, &found));
        FindClose(find);
    }
    find = FindFirstFileW((source + L"\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return false;
    bool ok = true;
    do {
        const std::wstring name = found.cFileName;
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
            continue;
        bool skip = false;
        for (const wchar_t* left : without)
            skip = skip || lstrcmpiW(name.c_str(), left) == 0;
        if (skip)
            continue;
        const std::wstring from = source + L"\\" + name;
        const std::wstring to = target + L"\\" + name;
        // The tracks are large: a link when the file system allows it.
        if (!CreateHardLinkW(to.c_str(), from.c_str(), nullptr) && !CopyFileW(from.c_str(), to.c_str(), FALSE))
            ok = false;
    } while (FindNextFileW(find, &found));
    FindClose(find);
    return ok;
}

uint32_t EditionTrack::durationMs() const
{
    return soundDurationMilliseconds(static_cast<uint32_t>(data.size()), bytesPerSecond);
}

uint32_t EditionTrack::endMs() const
{
    return durationMs() / 1000 * 1000;
}

std::string EditionTrack::range(uint32_t startMs, uint32_t endMs) const
{
    uint32_t start = 0;
    uint32_t end = 0;
    timeRangeToBytes(bytesPerSecond, frameBytes, startMs, endMs, static_cast<uint32_t>(data.size()), start, end);
    return end > start ? data.substr(start, end - start) : std::string();
}

EditionSound::EditionSound(const std::wstring& directory) : m_directory(directory)
{
    BookLoader::fillSegmentTable(m_table);
}

std::string EditionSound::trackName(uint32_t segment) const
{
    return narrow(m_table.at(segment).trackName());
}

const EditionTrack* EditionSound::track(const std::string& name)
{
    const auto known = m_tracks.find(name);
    if (known != m_tracks.end())
        return &known->second;
    if (m_missing.count(name) != 0)
        return nullptr;
    std::string file;
    EditionTrack track;
    if (name.empty() || !readFileBytes(m_directory + L"\\" + std::wstring(name.begin(), name.end()), file) ||
        !parseWave(file, track)) {
        m_missing[name] = true;
        return nullptr;
    }
    return &(m_tracks[name] = track);
}

std::string EditionSound::segmentBytes(uint32_t segment)
{
    const AudioSegment& s = m_table.at(segment);
    const EditionTrack* t = track(trackName(segment));
    return t == nullptr ? std::string() : t->range(s.start().toMilliseconds(), s.end().toMilliseconds());
}

std::string EditionSound::pauseBytes(uint32_t segment)
{
    const EditionTrack* t = track(trackName(segment));
    if (t == nullptr)
        return std::string();
    const uint32_t start = m_table.at(segment).end().toMilliseconds();
    const bool sameTrack = segment + 1 < m_table.count() && trackName(segment + 1) == trackName(segment);
    return t->range(start, sameTrack ? m_table.at(segment + 1).start().toMilliseconds() : t->endMs());
}

std::vector<std::string> EditionSound::playedBytes(uint32_t first, uint32_t last, bool pauseAfterLast)
{
    std::vector<std::string> devices;
    std::string open;
    for (uint32_t s = first; s <= last && s < m_table.count(); ++s) {
        if (devices.empty() || trackName(s) != open) {
            devices.emplace_back();
            open = trackName(s);
        }
        devices.back() += segmentBytes(s);
        if (s < last || pauseAfterLast)
            devices.back() += pauseBytes(s);
    }
    return devices;
}

namespace {

const size_t BlockBytes = 16384;
const size_t LastBlockMaximum = 32768;

void addBlockEnds(std::vector<size_t>& ends, size_t start, size_t itemBytes)
{
    size_t at = start;
    const size_t end = start + itemBytes;
    while (end - at > LastBlockMaximum) {
        at += BlockBytes;
        ends.push_back(at);
    }
    if (end > at)
        ends.push_back(end);
}

} // namespace

std::vector<std::vector<size_t>> EditionSound::playedBlockEnds(uint32_t first, uint32_t last, bool pauseAfterLast)
{
    std::vector<std::vector<size_t>> devices;
    std::string open;
    size_t at = 0;
    for (uint32_t s = first; s <= last && s < m_table.count(); ++s) {
        if (devices.empty() || trackName(s) != open) {
            devices.emplace_back();
            open = trackName(s);
            at = 0;
        }
        const size_t segment = segmentBytes(s).size();
        addBlockEnds(devices.back(), at, segment);
        at += segment;
        if (s < last || pauseAfterLast) {
            const size_t pause = pauseBytes(s).size();
            addBlockEnds(devices.back(), at, pause);
            at += pause;
        }
    }
    return devices;
}

std::vector<EditionSound::SegmentStart> EditionSound::playedSegmentStarts(uint32_t first, uint32_t last)
{
    std::vector<SegmentStart> starts;
    size_t device = 0;
    size_t at = 0;
    std::string open = trackName(first);
    for (uint32_t s = first; s <= last && s < m_table.count(); ++s) {
        if (trackName(s) != open) {
            ++device;
            at = 0;
            open = trackName(s);
        }
        starts.push_back(SegmentStart{device, at});
        at += segmentBytes(s).size() + pauseBytes(s).size();
    }
    return starts;
}

size_t capturedBytes8(const std::string& capture, const std::string& expected)
{
    size_t e = 0;
    for (size_t c = 0; c < capture.size() && e < expected.size(); ++c) {
        if (capture[c] == expected[e])
            ++e;
        else if (capture[c] != static_cast<char>(0x80))
            break;
    }
    return e;
}

std::string captureDeparture8(const std::string& capture, const std::string& expected)
{
    const char silence = static_cast<char>(0x80);
    // Taking each expected byte at its first chance is enough: whichever
    // of two equal 0x80 bytes counts as inserted makes no difference.
    size_t e = 0;
    for (size_t c = 0; c < capture.size(); ++c) {
        if (e < expected.size() && capture[c] == expected[e])
            ++e;
        else if (capture[c] != silence)
            return "capture byte " + std::to_string(c) + " (" + std::to_string(static_cast<uint8_t>(capture[c])) +
                   ") is neither expected byte " + std::to_string(e) + " nor silence; " +
                   std::to_string(capture.size()) + " bytes captured, " + std::to_string(expected.size()) + " expected";
    }
    if (e < expected.size())
        return "the capture ends after expected byte " + std::to_string(e) + " of " + std::to_string(expected.size());
    return std::string();
}

DWORD playLimitMs(size_t bytes)
{
    return static_cast<DWORD>(20000 + 2 * (bytes * 1000 / QuickEditionBytesPerSecond));
}

std::string waitForCapture(size_t device, const std::string& expected, size_t count)
{
    const DWORD limit = playLimitMs(count);
    std::vector<std::string> files;
    size_t got = 0;
    if (waitFor(
            [&] {
                files = readCapture();
                got = files.size() > device ? capturedBytes8(files[device], expected) : 0;
                return got >= count;
            },
            limit))
        return std::string();
    std::string arrived = std::to_string(files.size()) + " capture files";
    if (files.size() > device)
        arrived += "; file " + std::to_string(device) + " holds " + std::to_string(files[device].size()) +
                   " bytes, the expected ones to byte " + std::to_string(got) + " (" +
                   captureDeparture8(files[device], expected) + ")";
    return "waited " + std::to_string(limit) + " ms for " + std::to_string(count) + " of the " +
           std::to_string(expected.size()) + " expected bytes in capture file " + std::to_string(device) + ": " +
           arrived;
}
