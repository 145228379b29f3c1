#include <gtest/gtest.h>

#include "reader/app/MenuCommand.h"

TEST(MenuCommandTest, SingleIdentifiers)
{
    EXPECT_EQ(menuActionFor(2000), MenuAction::Exit);
    EXPECT_EQ(menuActionFor(3000), MenuAction::HelpDialog);
    EXPECT_EQ(menuActionFor(4000), MenuAction::AboutDialog);
    EXPECT_EQ(menuActionFor(4001), MenuAction::StoreLinks);
    EXPECT_EQ(menuActionFor(4002), MenuAction::TeacherPage);
    EXPECT_EQ(menuActionFor(4100), MenuAction::DictionaryDownload);
    EXPECT_EQ(menuActionFor(14000), MenuAction::SetupProgram);
}

TEST(MenuCommandTest, RangesIncludeTheirFirstAndExcludeTheirEnd)
{
    EXPECT_EQ(menuActionFor(4101), MenuAction::Glossary);
    EXPECT_EQ(menuActionFor(4199), MenuAction::Glossary);
    EXPECT_EQ(menuActionFor(4200), MenuAction::None);
    EXPECT_EQ(menuActionFor(6999), MenuAction::None);
    EXPECT_EQ(menuActionFor(7000), MenuAction::GoToChapter);
    EXPECT_EQ(menuActionFor(7999), MenuAction::GoToChapter);
    EXPECT_EQ(menuActionFor(8000), MenuAction::ToggleTranslation);
    EXPECT_EQ(menuActionFor(8999), MenuAction::ToggleTranslation);
    for (uintptr_t id : {9000u, 9001u, 9100u, 9200u, 13999u, 14001u, 14999u, 15016u, 15017u, 15018u, 15019u, 15021u})
        EXPECT_EQ(menuActionFor(id), MenuAction::None) << id;
    EXPECT_EQ(menuActionFor(15000), MenuAction::DictionaryLanguage);
    EXPECT_EQ(menuActionFor(15015), MenuAction::DictionaryLanguage);
    EXPECT_EQ(menuActionFor(15020), MenuAction::DictionaryLanguage);
}

TEST(MenuCommandTest, HighWordOfTheParameterIsIgnored)
{
    EXPECT_EQ(menuActionFor((1u << 16) | 2000u), MenuAction::Exit);
    EXPECT_EQ(menuActionFor((0xFFFFu << 16) | 7005u), MenuAction::GoToChapter);
    EXPECT_EQ(menuActionFor((5u << 16) | 9000u), MenuAction::None);
}
