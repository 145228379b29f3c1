// Loads an edition with the reader's own loader and checks that it fits the
// compiled-in segment and chapter tables. Usage: check_edition <directory>
// Prints what does not fit and answers 1, or a summary and 0.

#include <cstdio>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "document/BookData.h"
#include "document/BookLoader.h"
#include "tools/demo/EditionCheck.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: check_edition <directory>\n");
        return 2;
    }
    std::error_code changed;
    std::filesystem::current_path(argv[1], changed);
    if (changed) {
        std::fprintf(stderr, "check_edition: no directory %s\n", argv[1]);
        return 2;
    }
    // The loader reads the files by their bare names, as the reader does.
    BookLoader::instance().loadAll();
    BookData& document = BookData::instance();
    const BookText& text = document.text();
    const AudioSegmentArray& table = document.segments();

    std::vector<std::string> problems;
    checkSegmentsInText(text, table, problems);
    checkChapterCells(text, table, problems);
    checkTranslations(text, problems);
    checkTracks(table, problems);
    checkPicture("Vireau.bmp", problems);

    if (!problems.empty()) {
        const size_t shown = 40;
        for (size_t i = 0; i < problems.size() && i < shown; ++i)
            std::printf("%s\n", problems[i].c_str());
        if (problems.size() > shown)
            std::printf("... and %zu more\n", problems.size() - shown);
        std::printf("check_edition: %s does not fit the tables (%zu problems)\n", argv[1], problems.size());
        return 1;
    }
    uint32_t sentences = 0;
    for (uint32_t p = 0; p < text.count(); ++p)
        sentences += text.at(p).translations().at(0).count();
    std::set<std::u16string> tracks;
    for (uint32_t i = 0; i < table.count(); ++i)
        tracks.insert(std::u16string(table.at(i).trackName().items(), table.at(i).trackName().count()));
    std::printf("check_edition: %s fits: %u paragraphs, %u characters, %u sentences in both translations, "
                "%u segments in %zu tracks, the picture\n",
                argv[1], text.count(), document.totalCharacters(), sentences, table.count(), tracks.size());
    return 0;
}
