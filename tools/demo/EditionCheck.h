#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "document/AudioSegment.h"
#include "document/BookText.h"

// Checks that an edition's files fit the compiled-in segment table and
// chapter table, as the reader will use them. Each check adds a line per
// problem it finds and goes on; no problem means the edition fits.

// The paragraphs the book must have at least: one past the highest paragraph
// that a segment or a chapter title names.
uint32_t requiredParagraphCount(const AudioSegmentArray& table);

// Every segment lies inside its paragraph, its last character before the
// paragraph's carriage return; the book has every paragraph the tables name.
void checkSegmentsInText(const BookText& text, const AudioSegmentArray& table, std::vector<std::string>& problems);

// Every "Go to..." cell is the first character of its title's paragraph (or
// of the part's paragraph just before it, when the two share the cell), and
// that paragraph holds the title and no segment.
void checkChapterCells(const BookText& text, const AudioSegmentArray& table, std::vector<std::string>& problems);

// Two translations, Russian (Cyrillic) then English, with the same sentences
// in the same order: equal ranges, each inside its paragraph, none empty.
void checkTranslations(const BookText& text, std::vector<std::string>& problems);

// What the player takes from a WAV track.
struct WavFacts {
    uint16_t m_format_tag = 0;
    uint16_t m_channels = 0;
    uint32_t m_rate = 0;
    uint32_t m_byte_rate = 0;
    uint16_t m_block_align = 0;
    uint16_t m_bits = 0;
    uint32_t m_data_size = 0;
};

// Reads a RIFF "WAVE" file's "fmt " chunk and the size of its "data" chunk,
// which must follow it and lie whole inside the file.
bool readWavFacts(const std::string& fileName, WavFacts& facts, std::string& problem);

// A track is a PCM WAV file that the player plays, with sound data at least
// up to the given time.
void checkTrack(const std::string& fileName, uint32_t lastEndMilliseconds, std::vector<std::string>& problems);

// Every track the table names, in the current directory, against its last segment's end.
void checkTracks(const AudioSegmentArray& table, std::vector<std::string>& problems);

// An uncompressed 24-bit bitmap file with a BITMAPINFOHEADER, as the picture
// layer loads it.
void checkPicture(const std::string& fileName, std::vector<std::string>& problems);
