#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "LoaderInvariants.h"
#include "LoaderTestFiles.h"
#include "document/BookLoader.h"

namespace {

// Units that matter to the parsers, weighted towards the structural ones.
char16_t randomUnit(std::mt19937& rng)
{
    static const char16_t units[] = {u'0', u'1', u'9', u'|',  u'|',   u'\r',  u'\n',  u'\n',  u' ',
                                     u' ', u'a', u'.', u'\t', 0xFEFF, 0xFFFE, 0xD800, 0x0000, 0x0430};
    return units[rng() % (sizeof(units) / sizeof(units[0]))];
}

std::string readAll(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The units the loader must hand back for a file of these bytes.
uint32_t expectedUnits(const std::string& bytes)
{
    const uint32_t units = static_cast<uint32_t>(bytes.size() / 2);
    if (units == 0)
        return 0;
    const unsigned first = static_cast<unsigned char>(bytes[0]) | (static_cast<unsigned char>(bytes[1]) << 8);
    return (first == 0xFEFF || first == 0xFFFE) ? units - 1 : units;
}

std::string mutate(std::string bytes, std::mt19937& rng)
{
    const int edits = 1 + static_cast<int>(rng() % 8);
    for (int e = 0; e < edits; ++e) {
        const size_t at = bytes.empty() ? 0 : rng() % bytes.size();
        switch (rng() % 4) {
        case 0:
            if (!bytes.empty())
                bytes[at] = static_cast<char>(rng());
            break;
        case 1:
            bytes.insert(at, 1, static_cast<char>(rng() % 2 ? '\n' : '|'));
            break;
        case 2:
            bytes.resize(at);
            break;
        default:
            bytes.insert(at, bytes.substr(at, rng() % 64));
            break;
        }
    }
    return bytes;
}

} // namespace

TEST(LoaderFuzzTest, RandomUnitsNeverBreakTheParsers)
{
    std::mt19937 rng(20261208);
    for (int round = 0; round < 3000; ++round) {
        std::vector<char16_t> units(rng() % 400);
        for (char16_t& u : units)
            u = randomUnit(rng);
        const std::string broken = checkLoaderInvariants(units.data(), static_cast<uint32_t>(units.size()));
        ASSERT_EQ(broken, "") << "round " << round;
    }
}

// Headers cut short at their line end, with no separator, one, or a bare
// line feed, and random lines: each spoils at most its own phrase.
TEST(LoaderFuzzTest, AMalformedRecordSpoilsNoOtherRecord)
{
    const std::u16string named[] = {
        u"",         u"\r",      u"|",         u"|\r",      u"|5\r",      u"|5|\r",  u"|5|9",       u"||\r",
        u"\r\nA",  u"\nA",     u"|5\nA",    u"\r5|9\nB", u"|5|9|\nC", u"\r\n12", u"\r\n1|0|1", u"x\r\n0|5|9",
        u"|5\r\n\r", u"\r\r\n7",
    };
    for (const std::u16string& lines : named) {
        for (char16_t place = 0; place < 12; ++place) {
            const std::u16string units = std::u16string(1, static_cast<char16_t>(place + (place & 1) * 0x100)) + lines;
            const std::string broken = checkMalformedRecord(units.data(), static_cast<uint32_t>(units.size()));
            ASSERT_EQ(broken, "") << "place " << place << ", case " << &lines - named;
        }
    }

    std::mt19937 rng(8082026);
    for (int round = 0; round < 5000; ++round) {
        std::vector<char16_t> units(rng() % 40);
        for (char16_t& u : units)
            u = randomUnit(rng);
        if (!units.empty())
            units[0] = static_cast<char16_t>(rng());
        const std::string broken = checkMalformedRecord(units.data(), static_cast<uint32_t>(units.size()));
        ASSERT_EQ(broken, "") << "round " << round;
    }
}

TEST(LoaderFuzzTest, MutatedCorpusFilesReadAndParseSoundly)
{
    const std::filesystem::path corpus(LOADER_CORPUS_DIR);
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(corpus))
        files.push_back(readAll(entry.path()));
    ASSERT_GE(files.size(), 10u);

    ScratchDirectory dir;
    std::mt19937 rng(8122026);
    for (size_t f = 0; f < files.size(); ++f) {
        for (int round = 0; round < 60; ++round) {
            const std::string bytes = round == 0 ? files[f] : mutate(files[f], rng);
            writeBytes("input.txt", bytes);
            char16_t* units = nullptr;
            uint32_t length = 12345;
#if defined(_WIN32) && defined(UNICODE)
            ASSERT_TRUE(BookLoader::readUtf16File(units, L"input.txt", length));
#else
            ASSERT_TRUE(BookLoader::readUtf16File(units, "input.txt", length));
#endif
            ASSERT_EQ(length, expectedUnits(bytes)) << "file " << f << " round " << round;
            ASSERT_EQ(units == nullptr, length == 0);
            std::string broken = checkLoaderInvariants(units, length);
            if (broken.empty())
                broken = checkMalformedRecord(units, length);
            delete[] units;
            ASSERT_EQ(broken, "") << "file " << f << " round " << round;
        }
    }
}
