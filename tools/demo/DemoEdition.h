#pragma once

#include <cstdint>
#include <string>

#include "document/AudioSegment.h"
#include "tools/demo/DemoTrack.h"

// The two sound formats of the demo edition: the full one for listening, and
// the quick one (a sixth of the size) for tests and quick runs.
const DemoSoundFormat kDemoFullFormat = {22050, 16};
const DemoSoundFormat kDemoQuickFormat = {8000, 8};

// Silence after a track's last segment.
const uint32_t kDemoTrackTailMilliseconds = 500;

struct DemoEditionSummary {
    uint32_t m_paragraphs = 0;
    uint32_t m_sentences = 0;
    uint32_t m_tracks = 0;
    uint64_t m_sound_milliseconds = 0;
    uint64_t m_text_bytes = 0;
    uint64_t m_sound_bytes = 0;
    uint64_t m_picture_bytes = 0;
};

// Writes a text file as the loader reads it: UTF-16LE after a byte-order mark.
bool writeUtf16File(const std::string& path, const std::u16string& text);

// Writes the whole demo edition into the directory (made when missing):
// "book.txt", "book_t1.txt" (Russian), "book_t2.txt" (English), "Vireau.bmp"
// and every track the segment table names, in the given format. False, with
// the reason, when something cannot be made or written.
bool writeDemoEdition(const std::string& directory, const DemoSoundFormat& format, DemoEditionSummary& summary,
                      std::string& error);

// The tracks alone, for the filled table.
bool writeDemoTracks(const std::string& directory, const DemoSoundFormat& format, const AudioSegmentArray& table,
                     DemoEditionSummary& summary, std::string& error);
