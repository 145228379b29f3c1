#pragma once

#include <windows.h>

#include <cstdint>

#include "core/PlatformChar.h"

class PictureLayer;
class ReaderWindow;

// What belongs to this one edition of the book; the generic reader only
// calls these.

// The outside dictionary's setup program, a bare file name.
const PlatformChar* editionSetupProgramName();
// The window class's small icon.
HICON editionLoadIcon(HINSTANCE instance);
// The twenty "Go to..." items, 7000 + position.
void editionBuildGoToMenu(HMENU menu);
// "Russian" 8000 and "English" 8001, both checked.
void editionBuildTranslationMenu(HMENU menu);
// The glossary item after the item described by `before`, one identifier higher.
void editionAddGlossaryMenuItem(HMENU menu, MENUITEMINFO before);
void editionOpenGlossary(WPARAM wParam);
// The book's language among the dictionary languages: French.
uint32_t editionBookLanguage();
// The settings key of the saved scroll offset.
const PlatformChar* editionScrollOffsetKey();
// The heights of the page's text font and of the balloons' font.
int32_t editionTextFontHeight();
int32_t editionWidgetFontHeight();
// The picture slots of the page, and the pictures placed after paragraph
// `paragraph`, whose end is at the running y (moved past them).
uint32_t editionPictureCount();
void editionPlacePictures(PictureLayer& pictures, uint32_t paragraph, int32_t& y);

// Starts the browser on one store's pages of both audio editions.
void openAudioEditionPages(const char16_t* firstEdition, const char16_t* secondEdition);

// The window for which the audio-edition dialog was shown last. Inert: set
// and never read, since the store buttons start the browser without a window.
extern ReaderWindow* g_edition_dialog_owner;
// Tells the user how to get the audio tracks, when one cannot be opened; runs
// on the player's thread and waits until the dialog closes. Answers the
// dialog's result, or the platform's last error when it could not open.
INT_PTR showAudioEditionDialog(ReaderWindow* window);
INT_PTR CALLBACK audioEditionDialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
