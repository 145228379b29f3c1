#include <windows.h>

#include "reader/app/ReaderApp.h"

namespace {

// At exit the player's thread may be playing, or waiting in the
// audio-edition dialog, which nothing here can close.
const DWORD PlayerShutdownMs = 2000;

int runMessageLoop()
{
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

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand)
{
    ReaderApp* app = ReaderApp::instance();
    if (app == nullptr || app->reader() == nullptr)
        return 1;
    // Without a window nothing could ever end the message loop.
    if (app->init(instance, showCommand) != 1)
        return 1;
    const int code = runMessageLoop();
    // What is queued no longer plays. When a thread does not end in time,
    // nothing is destroyed: the process ends around it.
    app->reader()->shutdownPlayer(PlayerShutdownMs);
    return code;
}
