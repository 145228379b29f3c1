#include <new>

#include "reader/window/ReaderWindow.h"

bool ReaderWindow::create(ReaderWindow*& out)
{
    out = new (std::nothrow) ReaderWindow();
    return out != nullptr;
}
