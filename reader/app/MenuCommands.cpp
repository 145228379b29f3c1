#include "reader/app/ReaderApp.h"

#include <new>

#include "edition/EditionHooks.h"
#include "reader/app/MenuCommand.h"
#include "reader/window/WebAddresses.h"
#include "resources/ResourceIds.h"

namespace {

const int ClassNameUnits = 200;
const WORD ComboEditUpdate = 6;

} // namespace

LRESULT ReaderApp::onMenuCommand(HWND hwnd, WPARAM wParam, LPARAM lParam, int32_t)
{
    switch (menuActionFor(wParam)) {
    case MenuAction::Exit:
        DestroyWindow(hwnd);
        break;
    case MenuAction::HelpDialog:
        m_reader->showHelpDialog(hwnd, wParam);
        break;
    case MenuAction::AboutDialog:
        m_reader->showAboutDialog(hwnd);
        break;
    case MenuAction::StoreLinks:
        m_reader->openStoreLinks();
        break;
    case MenuAction::TeacherPage:
        WinApiWindow::openInBrowser(getBrowserPath(), TeacherPageAddress);
        break;
    case MenuAction::DictionaryDownload:
        WinApiWindow::openInBrowser(getBrowserPath(), DictionaryDownloadAddress);
        break;
    case MenuAction::Glossary:
        editionOpenGlossary(wParam);
        break;
    case MenuAction::GoToChapter:
        m_reader->goToChapter(wParam);
        break;
    case MenuAction::ToggleTranslation:
        m_reader->toggleTranslation(lParam, wParam);
        break;
    case MenuAction::SetupProgram:
        m_reader->runSetupProgram();
        break;
    case MenuAction::DictionaryLanguage:
        m_reader->selectDictionaryLanguage(lParam, wParam);
        break;
    case MenuAction::None:
        break;
    }
    return 0;
}

// The program makes no child controls: these come only from outside.
LRESULT ReaderApp::onControlCommand(HWND hwnd, uint32_t notification, WPARAM wParam, HWND control)
{
    PlatformChar className[ClassNameUnits];
    if (GetClassName(control, className, ClassNameUnits) == 0)
        return 0;
    if (lstrcmp(className, TEXT("ComboBox")) == 0)
        return onComboBoxCommand(hwnd, notification, wParam, control);
    return 0;
}

LRESULT ReaderApp::onComboBoxCommand(HWND hwnd, uint32_t notification, WPARAM wParam, HWND control)
{
    const int length = GetWindowTextLength(control);
    PlatformChar* text = new (std::nothrow) PlatformChar[length + 1];
    if (text != nullptr)
        GetWindowText(control, text, length + 1);
    switch (static_cast<int16_t>(notification)) {
    case CBN_SELENDOK:
        onComboSelEndOk(hwnd, wParam, control);
        break;
    default:
        break;
    }
    delete[] text;
    return 0;
}

void ReaderApp::onComboSelEndOk(HWND hwnd, WPARAM wParam, HWND control)
{
    PostMessage(hwnd, WM_COMMAND, MAKEWPARAM(LOWORD(wParam), ComboEditUpdate), reinterpret_cast<LPARAM>(control));
}

INT_PTR CALLBACK aboutDialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_COMMAND:
        // "More..." opens the home page and leaves the dialog open.
        if (LOWORD(wParam) == IDC_ABOUT_MORE) {
            if (g_reader_window != nullptr)
                WinApiWindow::openInBrowser(getBrowserPath(), HomePageAddress);
        } else {
            EndDialog(hwnd, 1);
        }
        return TRUE;
    default:
        return FALSE;
    }
}
