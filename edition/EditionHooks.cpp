#include "edition/EditionHooks.h"

#include "edition/ChapterTable.h"
#include "reader/MenuIds.h"
#include "reader/MenuItems.h"
#include "reader/PlatformText.h"
#include "reader/WinApiWindow.h"
#include "resources/ResourceIds.h"

namespace {

const uint32_t BookLanguage = 1; // "FR"
const UINT GlossaryPosition = 2;
const uint32_t MenuTextUnits = 64;
const int32_t WidgetFontHeight = 16;

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

int32_t editionWidgetFontHeight()
{
    return WidgetFontHeight;
}
