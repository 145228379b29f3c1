// The figures of scripts/bench-reader.sh: the reader window in this process
// with a page of the demo book's size (162,110 cells) on the test grid, at
// the screen's size: one full paint, a Page Down with its settings write,
// and a line up at the book's end, which finds the visible run from cell 0.

#include <windows.h>

#include <cstdio>
#include <new>
#include <vector>

#include "BenchSupport.h"
#include "ReaderTestSupport.h"
#include "TestPageWindow.h"
#include "reader/app/ReaderApp.h"

namespace {

const uint32_t BookCells = 162110;
const int Rounds = 200;

std::vector<std::u16string> benchLines()
{
    static const char16_t* const words[] = {u"le",     u"chat",   u"dormait", u"sous",  u"la",     u"table",
                                            u"quand",  u"l'homme", u"entra",  u"avec",  u"\u00E9t\u00E9", u"une",
                                            u"lettre", u"et",     u"un",      u"parapluie", u"noir", u"1,"};
    std::vector<std::u16string> lines;
    uint32_t total = 0;
    uint32_t w = 0;
    while (total < BookCells) {
        std::u16string line;
        while (line.size() < 80) {
            line += words[w % (sizeof(words) / sizeof(words[0]))];
            line += u' ';
            w = w * 7 + 3;
        }
        if (total + line.size() > BookCells)
            line.resize(BookCells - total);
        total += static_cast<uint32_t>(line.size());
        lines.push_back(line);
    }
    return lines;
}

} // namespace

bool ReaderWindow::create(ReaderWindow*& out)
{
    out = new (std::nothrow) TestPageWindow(benchLines());
    return out != nullptr;
}

int main()
{
    writeSavedOffset(nullptr);
    ReaderApp* app = ReaderApp::instance();
    app->init(GetModuleHandle(nullptr), SW_SHOWNORMAL);
    TestPageWindow* reader = static_cast<TestPageWindow*>(app->reader());
    if (!waitFor([&] { return IsWindowVisible(reader->hwnd()) && IsZoomed(reader->hwnd()); }, 30000)) {
        std::printf("the window did not show maximised: %p %d %d\n", static_cast<void*>(reader->hwnd()), IsWindowVisible(reader->hwnd()), IsZoomed(reader->hwnd()));
        return 1;
    }
    pumpMessages();
    reader->updateClientBox();
    const Rect* client = reader->clientBox();

    const CellArray& cells = reader->textLayer().cells();
    std::printf("page: %u cells, %zu lines, document height %d px; client %d x %d\n", cells.count(),
                reader->lines().size(), reader->documentHeight(), client->width(), client->height());

    const int32_t maximum = reader->maxScrollOffset();
    const int32_t places[] = {0, maximum / 2, maximum};
    const char* names[] = {"top", "middle", "end"};
    for (int p = 0; p < 3; ++p) {
        reader->scrollUp(INT32_MAX, 1);
        reader->scrollDown(places[p], 1);
        std::vector<double> ms;
        for (int i = 0; i < Rounds; ++i) {
            const double t0 = nowMs();
            reader->drawLayers();
            GdiFlush();
            ms.push_back(nowMs() - t0);
        }
        char what[64];
        std::snprintf(what, sizeof(what), "full paint at the %s (%d TextOutW)", names[p],
                      textOutCount(cells, reader->scrollOffset(), client->height()));
        printFigures(what, ms);
    }

    reader->scrollUp(INT32_MAX, 1);
    std::vector<double> pageDown;
    for (int i = 0; i < Rounds; ++i) {
        if (reader->scrollOffset() >= maximum)
            reader->scrollUp(INT32_MAX, 1);
        const double t0 = nowMs();
        reader->pageDown();
        pageDown.push_back(nowMs() - t0);
        pumpMessages();
    }
    printFigures("Page Down with its settings write", pageDown);

    std::vector<double> up;
    std::vector<double> scan;
    for (int i = 0; i < Rounds; ++i) {
        reader->scrollDown(INT32_MAX, 1);
        const double t0 = nowMs();
        reader->lineUp();
        up.push_back(nowMs() - t0);
        const double t1 = nowMs();
        const VisibleRun run = findVisibleRun(cells, 0, reader->scrollOffset(), client->height());
        scan.push_back(nowMs() - t1);
        if (!run.any)
            std::printf("no visible run\n");
        pumpMessages();
    }
    printFigures("Up at the end (scan from cell 0, ini write)", up);
    printFigures("  of which the scan from cell 0", scan);

    std::vector<double> write;
    for (int i = 0; i < Rounds; ++i) {
        const double t0 = nowMs();
        writeSavedOffset(L"4242");
        write.push_back(nowMs() - t0);
    }
    printFigures("settings write alone", write);
    writeSavedOffset(nullptr);
    DestroyWindow(reader->hwnd());
    return 0;
}
