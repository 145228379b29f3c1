#include "reader/window/MenuItems.h"

MENUITEMINFO stringMenuItem(UINT id, PlatformChar* text)
{
    MENUITEMINFO item;
    ZeroMemory(&item, sizeof(item));
    item.cbSize = sizeof(item);
    item.fMask = MIIM_ID | MIIM_TYPE;
    item.fType = MFT_STRING;
    item.wID = id;
    item.dwTypeData = text;
    item.cch = static_cast<UINT>(lstrlen(text));
    return item;
}

BOOL insertMenuItemAt(HMENU menu, UINT position, const MENUITEMINFO& item)
{
    return InsertMenuItem(menu, position, TRUE, &item);
}
