// Writes the demo edition: a made-up book, its two translations, the author's
// picture and the 45 tracks, cut to the compiled-in segment and chapter
// tables. Usage: make_demo_edition [--quick] <directory>
//   full:    tracks at 22050 Hz, mono, 16-bit PCM
//   --quick: tracks at 8000 Hz, mono, 8-bit PCM
// The output is the same, byte for byte, on every run.

#include <cstdio>
#include <cstring>
#include <string>

#include "tools/demo/DemoEdition.h"

int main(int argc, char** argv)
{
    bool quick = false;
    bool understood = true;
    std::string directory;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--quick") == 0)
            quick = true;
        else if (directory.empty() && argv[i][0] != '-')
            directory = argv[i];
        else
            understood = false;
    }
    if (!understood || directory.empty()) {
        std::fprintf(stderr, "usage: make_demo_edition [--quick] <directory>\n");
        return 2;
    }
    const DemoSoundFormat& format = quick ? kDemoQuickFormat : kDemoFullFormat;
    DemoEditionSummary summary;
    std::string error;
    if (!writeDemoEdition(directory, format, summary, error)) {
        std::fprintf(stderr, "make_demo_edition: %s\n", error.c_str());
        return 1;
    }
    const double mega = 1024.0 * 1024.0;
    std::printf("demo edition (%s) in %s\n", quick ? "quick" : "full", directory.c_str());
    std::printf("  text:    %u paragraphs, %u sentences, %.2f MiB (book and two translations)\n", summary.m_paragraphs,
                summary.m_sentences, summary.m_text_bytes / mega);
    std::printf("  picture: %.2f MiB\n", summary.m_picture_bytes / mega);
    std::printf("  sound:   %u tracks, %u Hz mono %u-bit PCM, %.0f s, %.1f MiB\n", summary.m_tracks, format.m_rate,
                format.m_bits, summary.m_sound_milliseconds / 1000.0, summary.m_sound_bytes / mega);
    return 0;
}
