#include "edition/AudioEditions.h"
#include "edition/EditionHooks.h"
#include "reader/window/ReaderWindow.h"
#include "resources/ResourceIds.h"

ReaderWindow* g_edition_dialog_owner = nullptr;

INT_PTR showAudioEditionDialog(ReaderWindow* window)
{
    g_edition_dialog_owner = window;
    const INT_PTR result = DialogBoxParam(window->hinstance(), MAKEINTRESOURCE(IDD_AUDIO_EDITION), window->hwnd(),
                                          audioEditionDialogProc, 0);
    return result == -1 ? static_cast<INT_PTR>(GetLastError()) : result;
}

// The store buttons open both editions' pages and leave the dialog open;
// there is no German store. Everything else closes it.
INT_PTR CALLBACK audioEditionDialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_AUDIO_EDITION_US:
            openAudioEditionPages(UsStoreFirstEdition, UsStoreSecondEdition);
            break;
        case IDC_AUDIO_EDITION_FRANCE:
            openAudioEditionPages(FrenchStoreFirstEdition, FrenchStoreSecondEdition);
            break;
        case IDC_AUDIO_EDITION_GERMANY:
            break;
        default:
            EndDialog(hwnd, 1);
            break;
        }
        return TRUE;
    default:
        return FALSE;
    }
}
