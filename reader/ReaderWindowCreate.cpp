#include <new>

#include "reader/ReaderWindow.h"

bool ReaderWindow::create(ReaderWindow*& out)
{
    out = new (std::nothrow) ReaderWindow();
    return out != nullptr;
}
