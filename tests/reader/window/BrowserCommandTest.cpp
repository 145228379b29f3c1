#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "reader/window/BrowserCommand.h"
#include "reader/window/DictionaryLanguages.h"
#include "reader/window/WebAddresses.h"

namespace {

std::u16string lookup(const std::u16string& word, uint32_t target, uint32_t ui, uint32_t capacity = 1024)
{
    std::u16string padded(word);
    char16_t out[1024];
    const uint32_t n = buildLookupAddress(padded.c_str(), target, ui, out, capacity);
    EXPECT_EQ(n, std::char_traits<char16_t>::length(out));
    return std::u16string(out, n);
}

std::string pathOf(const std::string& value, uint32_t capacity = 100)
{
    char path[100] = "unchanged";
    if (!browserPathFromCommand(value.c_str(), static_cast<uint32_t>(value.size()), path, capacity))
        return "(none)";
    return path;
}

} // namespace

TEST(DictionaryLanguagesTest, CodesAndIndexes)
{
    EXPECT_EQ(std::u16string(dictionaryLanguageCode(0)), u"EN");
    EXPECT_EQ(std::u16string(dictionaryLanguageCode(1)), u"FR");
    EXPECT_EQ(std::u16string(dictionaryLanguageCode(6)), u"ZHT");
    EXPECT_EQ(std::u16string(dictionaryLanguageCode(16)), u"OT");
    EXPECT_EQ(std::u16string(dictionaryLanguageCode(17)), u"English");
    EXPECT_EQ(std::u16string(dictionaryLanguageCode(UINT32_MAX)), u"English");

    EXPECT_EQ(dictionaryLanguageIndex(15000), 0u);
    EXPECT_EQ(dictionaryLanguageIndex(15015), 15u);
    EXPECT_EQ(dictionaryLanguageIndex(15020), 16u);
    EXPECT_EQ(dictionaryLanguageIndex(15016), 0u);
    ASSERT_EQ(dictionaryLanguageCount(), 17u);
    for (uint32_t i = 0; i < dictionaryLanguageCount(); ++i)
        EXPECT_EQ(dictionaryLanguageIndex(dictionaryLanguage(i).m_command_id), i);
    EXPECT_EQ(std::u16string(dictionaryLanguage(16).m_menu_text), u"Others");
}

TEST(BrowserCommandTest, LookupAddressCarriesTheWordAndBothCodes)
{
    const std::u16string address = lookup(u"maison", 3, 1);
    EXPECT_EQ(address.substr(0, 1), u" ") << "appended directly to the program path";
    EXPECT_EQ(address.substr(0, std::char_traits<char16_t>::length(LookupAddressPrefix)), LookupAddressPrefix);
    const std::u16string tail = u"&rt=ol&tid=pop&x=21&y=13&term=maison&tl=DE&uil=FR";
    ASSERT_GE(address.size(), tail.size());
    EXPECT_EQ(address.substr(address.size() - tail.size()), tail);
    EXPECT_NE(address.find(u"?cid="), std::u16string::npos);

    // No encoding: an ampersand or a blank goes as it is.
    EXPECT_NE(lookup(u"a&b c", 0, 1).find(u"term=a&b c&tl=EN&uil=FR"), std::u16string::npos);
    EXPECT_NE(lookup(u"\u00E9t\u00E9", 17, 1).find(u"term=\u00E9t\u00E9&tl=English&uil=FR"), std::u16string::npos);
}

TEST(BrowserCommandTest, LookupAddressIsCutToItsBuffer)
{
    const std::u16string longWord(2000, u'w');
    const std::u16string address = lookup(longWord, 0, 1);
    EXPECT_EQ(address.size(), LookupAddressCapacity - 1);
    EXPECT_EQ(lookup(u"maison", 0, 1, 10), u" https://");
    char16_t out[1];
    EXPECT_EQ(buildLookupAddress(u"x", 0, 1, out, 1), 0u);
    EXPECT_EQ(out[0], 0);
}

TEST(BrowserCommandTest, ProgramPathFromTheOpenCommand)
{
    EXPECT_EQ(pathOf("\"C:\\Program Files\\Browser\\browser.exe\" -osint -url \"%1\""),
              "C:\\Program Files\\Browser\\browser.exe");
    EXPECT_EQ(pathOf("\"C:\\Browser\\b.exe"), "C:\\Browser\\b.exe") << "no closing quotation mark";
    EXPECT_EQ(pathOf("C:\\Browser\\b.exe %1"), "C:\\Browser\\b.exe") << "unquoted: its first word, whole";
    EXPECT_EQ(pathOf("C:\\b.exe"), "C:\\b.exe");
    EXPECT_EQ(pathOf("\""), "(none)") << "a lone quotation mark";
    EXPECT_EQ(pathOf("\"\" %1"), "(none)");
    EXPECT_EQ(pathOf(""), "(none)");
    EXPECT_EQ(pathOf(" b.exe"), "(none)");
    EXPECT_EQ(pathOf("\"C:\\a.exe\"", 6), "(none)") << "too long for the buffer";

    // Only the returned length counts: what follows in the buffer is not read.
    const char value[] = "\"C:\\a.exe\"garbage";
    char path[100];
    ASSERT_TRUE(browserPathFromCommand(value, 4, path, 100));
    EXPECT_STREQ(path, "C:\\");
}

TEST(BrowserCommandTest, CommandLineQuotesThePath)
{
    char* line = newBrowserCommandLine("C:\\Program Files\\Fake Browser\\fake.exe", u" https://x.example.com/?a=1&b");
    ASSERT_NE(line, nullptr);
    EXPECT_STREQ(line, "\"C:\\Program Files\\Fake Browser\\fake.exe\" https://x.example.com/?a=1&b");
    delete[] line;
    EXPECT_EQ(newBrowserCommandLine(nullptr, u" x"), nullptr);
    EXPECT_EQ(newBrowserCommandLine("", u" x"), nullptr);
    EXPECT_EQ(newBrowserCommandLine("C:\\b.exe", nullptr), nullptr);
}

TEST(WebAddressesTest, EveryAddressBeginsWithOneBlank)
{
    for (const char16_t* a : {LookupAddressPrefix, HomePageAddress, TeacherPageAddress, DictionaryDownloadAddress}) {
        EXPECT_EQ(a[0], u' ');
        EXPECT_NE(a[1], u' ');
        EXPECT_NE(std::u16string(a).find(u".example.com/"), std::u16string::npos);
    }
}
