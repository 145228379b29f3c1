#pragma once

#include <windows.h>

#include <cstdint>

#include "core/PlatformChar.h"

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
// The height of the balloons' font.
int32_t editionWidgetFontHeight();
