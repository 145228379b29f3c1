#include <windows.h>

#include "reader/ReaderApp.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand)
{
    ReaderApp* app = ReaderApp::instance();
    if (app == nullptr || app->reader() == nullptr)
        return 1;
    app->init(instance, showCommand);
    MSG msg;
    for (;;) {
        const BOOL got = GetMessage(&msg, nullptr, 0, 0);
        if (got == 0)
            return 0;
        if (got == -1)
            return 1;
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
}
