#include "tools/demo/DemoEdition.h"

#include <cstdio>
#include <filesystem>
#include <map>
#include <vector>

#include "document/BookLoader.h"
#include "tools/demo/DemoBook.h"
#include "tools/demo/DemoFiles.h"
#include "tools/demo/DemoPortrait.h"

namespace {

struct TrackSegment {
    uint32_t m_index;
    uint32_t m_start;
    uint32_t m_end;
};

std::string inDirectory(const std::string& directory, const char* name)
{
    return (std::filesystem::path(directory) / name).string();
}

} // namespace

bool writeUtf16File(const std::string& path, const std::u16string& text)
{
    std::string bytes = "\xFF\xFE";
    bytes.reserve(2 + 2 * text.size());
    for (char16_t c : text) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>(c >> 8);
    }
    return writeFileBytes(path, bytes);
}

bool writeDemoTracks(const std::string& directory, const DemoSoundFormat& format, const AudioSegmentArray& table,
                     DemoEditionSummary& summary, std::string& error)
{
    // Tracks in the order of their names, each with its segments.
    std::map<std::string, std::vector<TrackSegment>> tracks;
    for (uint32_t i = 0; i < table.count(); ++i) {
        const AudioSegment& s = table.at(i);
        if (s.isValid())
            tracks[asciiFileName(s.trackName())].push_back({i, s.start().toMilliseconds(), s.end().toMilliseconds()});
    }
    for (const auto& track : tracks) {
        uint32_t length = 0;
        for (const TrackSegment& s : track.second)
            length = s.m_end > length ? s.m_end : length;
        length += kDemoTrackTailMilliseconds;
        DemoTrack sound(format, length);
        for (const TrackSegment& s : track.second)
            sound.addSegment(s.m_index, s.m_start, s.m_end);
        if (!sound.write(inDirectory(directory, track.first.c_str()))) {
            error = "cannot write " + track.first;
            return false;
        }
        ++summary.m_tracks;
        summary.m_sound_milliseconds += length;
        summary.m_sound_bytes += 44 + static_cast<uint64_t>(sound.sampleCount()) * (format.m_bits / 8u);
    }
    return true;
}

bool writeDemoEdition(const std::string& directory, const DemoSoundFormat& format, DemoEditionSummary& summary,
                      std::string& error)
{
    std::error_code made;
    std::filesystem::create_directories(directory, made);
    if (made) {
        error = "cannot make the directory " + directory;
        return false;
    }
    AudioSegmentArray* table = new AudioSegmentArray;
    if (!BookLoader::fillSegmentTable(*table)) {
        delete table;
        error = "the segment table cannot be allocated";
        return false;
    }

    DemoBook book;
    bool ok = book.build(*table, error);
    if (ok) {
        const std::u16string text = book.bookText();
        const std::u16string russian = book.translationText(0);
        const std::u16string english = book.translationText(1);
        ok = writeUtf16File(inDirectory(directory, "book.txt"), text) &&
             writeUtf16File(inDirectory(directory, "book_t1.txt"), russian) &&
             writeUtf16File(inDirectory(directory, "book_t2.txt"), english);
        if (!ok)
            error = "cannot write the text files";
        summary.m_paragraphs = static_cast<uint32_t>(book.paragraphs().size());
        for (const DemoParagraph& p : book.paragraphs())
            summary.m_sentences += static_cast<uint32_t>(p.m_records.size());
        summary.m_text_bytes = 6 + 2 * (text.size() + russian.size() + english.size());
    }
    if (ok) {
        const DemoPortrait portrait;
        ok = portrait.write(inDirectory(directory, "Vireau.bmp"));
        if (!ok)
            error = "cannot write Vireau.bmp";
        summary.m_picture_bytes = portrait.bmpBytes().size();
    }
    if (ok)
        ok = writeDemoTracks(directory, format, *table, summary, error);
    delete table;
    return ok;
}
