#include "reader/window/WinApiWindow.h"

#include "edition/EditionHooks.h"
#include "reader/app/MenuIds.h"
#include "reader/window/DictionaryLanguages.h"
#include "reader/window/MenuItems.h"
#include "reader/window/PlatformText.h"

namespace {

void insertItem(HMENU menu, UINT position, UINT id, const PlatformChar* text)
{
    insertMenuItemAt(menu, position, stringMenuItem(id, const_cast<PlatformChar*>(text)));
}

HMENU addPopup(HMENU bar, const PlatformChar* title)
{
    HMENU popup = CreatePopupMenu();
    InsertMenu(bar, static_cast<UINT>(-1), MF_BYPOSITION | MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup),
               title);
    return popup;
}

} // namespace

void WinApiWindow::buildMenuBar()
{
    HMENU bar = CreateMenu();
    SetMenu(m_hwnd, bar);
    HMENU file = addPopup(bar, TEXT("File"));
    HMENU goTo = addPopup(bar, TEXT("Go to..."));
    m_translation_menu = addPopup(bar, TEXT("Translations"));
    HMENU dictionaries = addPopup(bar, TEXT("Dictionaries"));
    HMENU help = addPopup(bar, TEXT("Help"));

    insertItem(file, 0, CmdExit, TEXT("Exit"));

    PlatformChar download[] = TEXT("Download Babylon Dictionary");
    const MENUITEMINFO downloadItem = stringMenuItem(CmdDownloadDictionary, download);
    insertMenuItemAt(dictionaries, 1, downloadItem);

    editionBuildGoToMenu(goTo);
    editionBuildTranslationMenu(m_translation_menu);
    editionAddGlossaryMenuItem(dictionaries, downloadItem);
    buildDictionaryLanguageMenu(dictionaries);

    // "Get a teacher." goes in before "About the audio book".
    insertItem(help, 0, CmdHowToUse, TEXT("How to Use..."));
    insertItem(help, 1, CmdAbout, TEXT("About..."));
    insertItem(help, 2, CmdAboutAudioBook, TEXT("About the audio book"));
    insertItem(help, 2, CmdGetTeacher, TEXT("Get a teacher."));

    DrawMenuBar(m_hwnd);
}

void WinApiWindow::buildDictionaryLanguageMenu(HMENU dictionaries)
{
    m_dictionary_language_menu = CreatePopupMenu();
    AppendMenu(dictionaries, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(m_dictionary_language_menu),
               TEXT("Online Babylon Emulator"));
    for (uint32_t i = 0; i < dictionaryLanguageCount(); ++i) {
        const DictionaryLanguage& language = dictionaryLanguage(i);
        PlatformChar text[32];
        toPlatformText(language.m_menu_text, text, 32);
        insertItem(m_dictionary_language_menu, i, language.m_command_id, text);
    }
    CheckMenuItem(m_dictionary_language_menu, CmdLanguageFirst, MF_BYCOMMAND | MF_CHECKED);
    m_checked_language_id = CmdLanguageFirst;
}

void WinApiWindow::selectDictionaryLanguage(LPARAM, WPARAM id)
{
    CheckMenuItem(m_dictionary_language_menu, m_checked_language_id, MF_BYCOMMAND | MF_UNCHECKED);
    m_checked_language_id = LOWORD(id);
    CheckMenuItem(m_dictionary_language_menu, m_checked_language_id, MF_BYCOMMAND | MF_CHECKED);
    setDictionaryLanguage(dictionaryLanguageIndex(LOWORD(id)));
}

void WinApiWindow::toggleTranslation(LPARAM, WPARAM id)
{
    const UINT command = LOWORD(id);
    const uint32_t index = command - CmdTranslationFirst;
    const UINT state = GetMenuState(m_translation_menu, command, MF_BYCOMMAND);
    // A command without its menu item names no translation.
    if (state == static_cast<UINT>(-1))
        return;
    // The first translation can be shown but never hidden.
    if ((state & MF_CHECKED) != 0 && index != 0) {
        CheckMenuItem(m_translation_menu, command, MF_BYCOMMAND | MF_UNCHECKED);
        setTranslationVisible(index, 0);
    } else {
        CheckMenuItem(m_translation_menu, command, MF_BYCOMMAND | MF_CHECKED);
        setTranslationVisible(index, 1);
    }
}
