#include <new>

#include "TestPageWindow.h"

bool ReaderWindow::create(ReaderWindow*& out)
{
    out = new (std::nothrow) TestPageWindow(testPageLines());
    return out != nullptr;
}
