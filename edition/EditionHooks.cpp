#include "edition/EditionHooks.h"

#include "edition/AudioEditions.h"
#include "edition/ChapterTable.h"
#include "reader/app/MenuIds.h"
#include "reader/window/MenuItems.h"
#include "reader/window/PlatformText.h"
#include "reader/window/ReaderWindow.h"
#include "resources/ResourceIds.h"

namespace {

const uint32_t BookLanguage = 1; // "FR"
const UINT GlossaryPosition = 2;
const uint32_t MenuTextUnits = 64;
const int32_t TextFontHeight = 20;
const int32_t WidgetFontHeight = 16;

// The author's picture stands after paragraph 1, in a gap of its own.
const uint32_t PictureCount = 1;
const uint32_t PictureParagraph = 1;
const PlatformChar PictureFile[] = TEXT("Vireau.bmp");
const int32_t PictureX = 120;
const int32_t PictureTopGap = 10;
const int32_t PictureGap = 550;

PlatformChar g_glossary_title[] = TEXT("Ombrelune Glossary");
const char16_t GlossaryAddress[] = u" https://dictionary.example.com/glossary/ombrelune?cid=tavrems-1401";

const PlatformChar* const TranslationTitles[] = {TEXT("Russian"), TEXT("English")};

} // namespace

const PlatformChar* editionSetupProgramName()
{
    return TEXT("Babylon7r_setup.exe");
}

HICON editionLoadIcon(HINSTANCE instance)
{
    return LoadIcon(instance, MAKEINTRESOURCE(IDI_TAVREMS));
}

void editionBuildGoToMenu(HMENU menu)
{
    for (uint32_t k = 0; k < chapterCount(); ++k) {
        PlatformChar title[MenuTextUnits];
        toPlatformText(chapterEntry(k).m_title, title, MenuTextUnits);
        if (!insertMenuItemAt(menu, k, stringMenuItem(CmdChapterFirst + k, title)))
            GetLastError();
    }
}

void editionBuildTranslationMenu(HMENU menu)
{
    for (UINT i = 0; i < 2; ++i) {
        const MENUITEMINFO item = stringMenuItem(CmdTranslationFirst + i, const_cast<PlatformChar*>(TranslationTitles[i]));
        if (!insertMenuItemAt(menu, i, item))
            GetLastError();
        CheckMenuItem(menu, i, MF_BYPOSITION | MF_CHECKED);
    }
}

void editionAddGlossaryMenuItem(HMENU menu, MENUITEMINFO before)
{
    before.wID += 1;
    before.dwTypeData = g_glossary_title;
    before.cch = static_cast<UINT>(lstrlen(g_glossary_title));
    insertMenuItemAt(menu, GlossaryPosition, before);
}

void editionOpenGlossary(WPARAM)
{
    WinApiWindow::openInBrowser(getBrowserPath(), GlossaryAddress);
}

uint32_t editionBookLanguage()
{
    return BookLanguage;
}

const PlatformChar* editionScrollOffsetKey()
{
    return TEXT("OmbreluneVertshift");
}

int32_t editionTextFontHeight()
{
    return TextFontHeight;
}

int32_t editionWidgetFontHeight()
{
    return WidgetFontHeight;
}

uint32_t editionPictureCount()
{
    return PictureCount;
}

// The gap is kept whatever the picture's size, also when it is missing.
void editionPlacePictures(PictureLayer& pictures, uint32_t paragraph, int32_t& y)
{
    if (paragraph != PictureParagraph)
        return;
    pictures.loadPicture(0, PictureFile, y + PictureTopGap, PictureX);
    y += PictureGap;
}

// The chapter's first cell at the top of the client area, unless the page
// ends first. Items past the chapter table do nothing.
void ReaderWindow::goToChapter(WPARAM commandId)
{
    const uint32_t k = static_cast<uint32_t>(LOWORD(commandId)) - CmdChapterFirst;
    if (LOWORD(commandId) < CmdChapterFirst || k >= chapterCount())
        return;
    const int32_t y = m_text_layer.cellAt(chapterEntry(k).m_text_cell).top();
    const int32_t o = scrollOffset();
    if (o < y)
        scrollDown(y - o, 1);
    else
        scrollUp(o - y, 1);
    invalidate();
}

void openAudioEditionPages(const char16_t* firstEdition, const char16_t* secondEdition)
{
    const PlatformChar* browser = getBrowserPath();
    WinApiWindow::openInBrowser(browser, firstEdition);
    WinApiWindow::openInBrowser(browser, secondEdition);
}

void ReaderWindow::openStoreLinks()
{
    openAudioEditionPages(UsStoreFirstEdition, UsStoreSecondEdition);
}
