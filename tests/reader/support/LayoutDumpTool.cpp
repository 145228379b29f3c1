// Writes the layout dump of the book in the current directory:
//   reader_layout_dump <file>
// The reader's own window lays the book out as the program does, on this
// screen; the window closes again at once.

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <cstdio>
#include <string>

#include "BookTestWindow.h"
#include "reader/app/ReaderApp.h"

int main()
{
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argv == nullptr || argc != 2) {
        std::fprintf(stderr, "usage: reader_layout_dump <file>\n");
        return 2;
    }
    ReaderApp* app = ReaderApp::instance();
    if (app == nullptr || app->reader() == nullptr)
        return 1;
    app->init(GetModuleHandle(nullptr), SW_SHOWNORMAL);
    BookTestWindow* reader = static_cast<BookTestWindow*>(app->reader());
    const bool written = reader->writeLayoutDump(argv[1]);
    DestroyWindow(reader->hwnd());
    if (!written) {
        std::fprintf(stderr, "reader_layout_dump: cannot write the dump\n");
        return 1;
    }
    return 0;
}
