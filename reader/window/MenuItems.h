#pragma once

#include <windows.h>

#include "core/PlatformChar.h"

// A string menu item with its identifier, as every item of the menu bar is
// described; the text must outlive the insertion.
MENUITEMINFO stringMenuItem(UINT id, PlatformChar* text);
// Inserts by position; the platform's answer.
BOOL insertMenuItemAt(HMENU menu, UINT position, const MENUITEMINFO& item);
