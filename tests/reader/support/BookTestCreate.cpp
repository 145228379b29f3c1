#include <new>

#include "BookTestWindow.h"

bool ReaderWindow::create(ReaderWindow*& out)
{
    out = new (std::nothrow) BookTestWindow();
    return out != nullptr;
}
