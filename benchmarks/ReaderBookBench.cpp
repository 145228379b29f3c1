// The figures of scripts/bench-reader.sh on the demo edition's book in the
// current directory, under Wine on the screen it is given:
//   reader_book_bench                    the reader in this process: the time
//                                        from entry to the book's first paint
//                                        and its parts, the layout with and
//                                        without its width cache, paints at
//                                        the top, middle and end, and during
//                                        playback with a balloon open (sound
//                                        goes to HOME's ALSA device)
//   reader_book_bench startup READER BARE [ROUNDS]
//                                        process creation to WaitForInputIdle
//                                        and to first paint of both programs,
//                                        alternately

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "ReaderTestSupport.h"
#include "ReaderTestWindow.h"
#include "document/BookData.h"
#include "document/BookLoader.h"
#include "edition/EditionHooks.h"
#include "reader/app/ReaderApp.h"

namespace {

const int PaintRounds = 300;
const int StartupRounds = 10;
// Where the reader's first line and the bare window's band are drawn.
const RECT Probe = {64, 40, 900, 60};

// Widths measured on the window for every character: the layout as it was
// without the cache.
class UncachedMeasurer : public CharMeasurer {
public:
    explicit UncachedMeasurer(WinApiWindow& window) : m_window(window) {}
    int32_t charWidth(CellChar c) override { return m_window.charWidth(static_cast<PlatformChar>(c), 0); }

private:
    WinApiWindow& m_window;
};

// The reader window with its start-up steps timed, and its first paint of
// the book.
class BenchBookWindow : public ReaderTestWindow {
public:
    struct Times {
        double start = 0;
        double loaded = 0;
        double sized = 0;
        double cells = 0;
        double regions = 0;
        double started = 0;
        double paintBegin = 0;
        double painted = 0;
    };

    // The steps of the reader's own start.
    void start() override
    {
        m_times.start = nowMs();
        BookLoader::instance().loadAll();
        m_times.loaded = nowMs();
        m_text_layer.setCellCount(BookData::instance().totalCharacters());
        m_times.sized = nowMs();
        layOutCells();
        m_times.cells = nowMs();
        buildRegions();
        m_times.regions = nowMs();
        finishLayout();
        resumeAtSavedOffset();
        m_times.started = nowMs();
        m_started = true;
    }

    void paint(const Rect* update) override
    {
        const double begin = nowMs();
        ReaderWindow::paint(update);
        if (m_started && m_times.painted == 0) {
            GdiFlush();
            m_times.paintBegin = begin;
            m_times.painted = nowMs();
        }
    }

    const Times& times() const { return m_times; }
    bool bookPainted() const { return m_times.painted != 0; }

    // The same layout into cells of its own, every character measured on
    // the window; answers its time and whether its cells equal the page's.
    double layOutUncached(bool& same)
    {
        BookText& text = BookData::instance().text();
        CellArray cells;
        cells.setSize(m_text_layer.cells().count());
        UncachedMeasurer measurer(*this);
        PageLayout layout(cells, measurer);
        PictureLayer pictures(this);
        const double t0 = nowMs();
        layout.setMetrics(m_layout_width, measurer.charWidth(0x20), lineHeight(0));
        int32_t y = 2 * layout.lineHeight();
        uint32_t index = 0;
        pictures.setPictureCount(editionPictureCount());
        for (uint32_t i = 0; i < text.count(); ++i) {
            layout.layOutParagraph(y, index, text.at(i));
            editionPlacePictures(pictures, i, y);
        }
        const double ms = nowMs() - t0;
        same = true;
        for (uint32_t i = 0; i < cells.count(); ++i) {
            const TextCell& a = cells.at(i);
            const TextCell& b = m_text_layer.cellAt(i);
            if (a.character() != b.character() || a.left() != b.left() || a.top() != b.top() ||
                a.box().width() != b.box().width() || a.box().height() != b.box().height())
                same = false;
        }
        return ms;
    }

    DrawLayer* layer(uint32_t i)
    {
        switch (i) {
        case PictureLayerIndex:
            return &m_picture_layer;
        case TextLayerIndex:
            return &m_text_layer;
        default:
            return nullptr;
        }
    }

private:
    Times m_times;
    bool m_started = false;
};

bool probeHasInk(HWND hwnd)
{
    const int w = Probe.right - Probe.left;
    const int h = Probe.bottom - Probe.top;
    HDC windowDc = GetDC(hwnd);
    if (windowDc == nullptr)
        return false;
    HDC memory = CreateCompatibleDC(windowDc);
    HBITMAP bitmap = CreateCompatibleBitmap(windowDc, w, h);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, w, h, windowDc, Probe.left, Probe.top, SRCCOPY);
    bool ink = false;
    for (int y = 0; y < h && !ink; y += 2)
        for (int x = 0; x < w && !ink; ++x)
            ink = (GetPixel(memory, x, y) & 0xFFFFFF) != 0xFFFFFF;
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(hwnd, windowDc);
    return ink;
}

// Starts a program with no saved offset; t0 is when CreateProcess was called.
bool startProgram(const std::wstring& program, PROCESS_INFORMATION& pi, double& t0)
{
    writeSavedOffset(nullptr);
    STARTUPINFOW si;
    ZeroMemory(&si, sizeof(si));
    si.cb = sizeof(si);
    std::wstring commandLine = L"\"" + program + L"\"";
    t0 = nowMs();
    return CreateProcessW(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                          &pi) != FALSE;
}

// The window of class `className` that the process owns, or null.
HWND windowOf(const PROCESS_INFORMATION& pi, const wchar_t* className)
{
    HWND found = FindWindowW(className, nullptr);
    DWORD pid = 0;
    if (found != nullptr)
        GetWindowThreadProcessId(found, &pid);
    return pid == pi.dwProcessId ? found : nullptr;
}

// Closes the window and waits for the process, which ends by force when it hangs.
void closeProgram(const PROCESS_INFORMATION& pi, HWND window)
{
    if (window != nullptr)
        PostMessageW(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(pi.hProcess, 10000) != WAIT_OBJECT_0)
        TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
}

// Milliseconds from CreateProcess to the first ink in the probe of the
// program's window of class `className`; negative when it never shows.
double timeToFirstPaint(const std::wstring& program, const wchar_t* className)
{
    PROCESS_INFORMATION pi;
    double t0 = 0;
    if (!startProgram(program, pi, t0))
        return -1;
    double ms = -1;
    HWND window = nullptr;
    while (nowMs() - t0 < 20000) {
        if (window == nullptr)
            window = windowOf(pi, className);
        if (window != nullptr && IsWindowVisible(window) && probeHasInk(window)) {
            ms = nowMs() - t0;
            break;
        }
        Sleep(1);
    }
    closeProgram(pi, window);
    return ms;
}

// Milliseconds from CreateProcess to the end of WaitForInputIdle: the
// program waits for input with nothing left to do, its first paint done.
double timeToInputIdle(const std::wstring& program, const wchar_t* className)
{
    PROCESS_INFORMATION pi;
    double t0 = 0;
    if (!startProgram(program, pi, t0))
        return -1;
    const bool idle = WaitForInputIdle(pi.hProcess, 20000) == 0;
    const double ms = idle ? nowMs() - t0 : -1;
    HWND window = nullptr;
    for (int i = 0; i < 2000 && (window = windowOf(pi, className)) == nullptr; ++i)
        Sleep(1);
    closeProgram(pi, window);
    return ms;
}

// Times both programs alternately; false when one of them never got there.
bool timeBoth(double (*measure)(const std::wstring&, const wchar_t*), const std::wstring& reader,
              const std::wstring& bare, int rounds, std::vector<double>& readerMs, std::vector<double>& bareMs)
{
    for (int r = 0; r < rounds; ++r) {
        const double a = measure(reader, L"Tavrem");
        const double b = measure(bare, L"BareWindow");
        if (a < 0 || b < 0) {
            std::printf("a program never got there (reader %.0f, bare %.0f)\n", a, b);
            return false;
        }
        readerMs.push_back(a);
        bareMs.push_back(b);
    }
    return true;
}

int startupBench(const std::wstring& reader, const std::wstring& bare, int rounds)
{
    std::vector<double> readerIdle;
    std::vector<double> bareIdle;
    if (!timeBoth(timeToInputIdle, reader, bare, rounds, readerIdle, bareIdle))
        return 1;
    printFigures("CreateProcess to WaitForInputIdle: Tavrems.exe", readerIdle);
    printFigures("CreateProcess to WaitForInputIdle: bare window", bareIdle);

    std::vector<double> readerMs;
    std::vector<double> bareMs;
    if (!timeBoth(timeToFirstPaint, reader, bare, rounds, readerMs, bareMs))
        return 1;
    printFigures("process creation to first paint: Tavrems.exe", readerMs);
    printFigures("process creation to first paint: bare window", bareMs);
    std::sort(readerMs.begin(), readerMs.end());
    std::sort(bareMs.begin(), bareMs.end());
    std::printf("  ratio of the medians: %.2f (target: within 1.3)\n",
                readerMs[readerMs.size() / 2] / bareMs[bareMs.size() / 2]);
    return 0;
}

void paintFigures(BenchBookWindow* reader)
{
    const int32_t maximum = reader->maxScrollOffset();
    const int32_t places[] = {0, maximum / 2, maximum};
    const char* names[] = {"top", "middle", "end"};
    HWND hwnd = reader->hwnd();
    for (int p = 0; p < 3; ++p) {
        reader->scrollUp(INT32_MAX, 1);
        reader->scrollDown(places[p], 1);
        pumpMessages();
        std::vector<double> layers;
        std::vector<double> text;
        std::vector<double> picture;
        std::vector<double> update;
        for (int i = 0; i < PaintRounds; ++i) {
            double t0 = nowMs();
            reader->drawLayers();
            GdiFlush();
            layers.push_back(nowMs() - t0);

            t0 = nowMs();
            reader->layer(ReaderWindow::TextLayerIndex)->draw(reader->hdc());
            GdiFlush();
            text.push_back(nowMs() - t0);

            t0 = nowMs();
            reader->layer(ReaderWindow::PictureLayerIndex)->draw(reader->hdc());
            GdiFlush();
            picture.push_back(nowMs() - t0);

            t0 = nowMs();
            InvalidateRect(hwnd, nullptr, TRUE);
            UpdateWindow(hwnd);
            GdiFlush();
            update.push_back(nowMs() - t0);
        }
        char what[96];
        std::printf("at the %s (offset %d, %d TextOutW):\n", names[p], static_cast<int>(reader->scrollOffset()),
                    textOutCount(reader->textLayer().cells(), reader->scrollOffset(), reader->clientBox()->height()));
        std::snprintf(what, sizeof(what), "  drawLayers");
        printFigures(what, layers);
        printFigures("    of which the text layer", text);
        printFigures("    of which the picture layer", picture);
        printFigures("  InvalidateRect + UpdateWindow (erase and paint)", update);
    }
}

// Paints while the book plays from chapter VI's first segment with the
// balloon of its first sentence open, the page following the playback.
void playbackPaintFigures(BenchBookWindow* reader)
{
    HWND hwnd = reader->hwnd();
    reader->goToChapter(7006);
    pumpMessages();
    const uint32_t segment = 1194;
    const TextRegion& region = reader->segmentRegions().at(segment);
    const Rect& box = region.at(0);
    const LPARAM point =
        MAKELPARAM(box.left() + box.width() / 2, box.top() + box.height() / 2 - reader->scrollOffset());
    SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, point);
    SendMessageW(hwnd, WM_RBUTTONDOWN, MK_RBUTTON, point);
    const double t0 = nowMs();
    while (reader->highlightFirst() == ReaderWindow::NoHighlight && nowMs() - t0 < 10000)
        pumpMessages();
    std::vector<double> layers;
    std::vector<double> update;
    for (int i = 0; i < PaintRounds; ++i) {
        pumpMessages();
        double t = nowMs();
        reader->drawLayers();
        GdiFlush();
        layers.push_back(nowMs() - t);
        t = nowMs();
        InvalidateRect(hwnd, nullptr, TRUE);
        UpdateWindow(hwnd);
        GdiFlush();
        update.push_back(nowMs() - t);
    }
    const bool playing = reader->playing() == 1 && reader->highlightFirst() != ReaderWindow::NoHighlight;
    std::printf("during playback with a balloon open (%s, offset now %d):\n",
                playing ? "segments highlighted" : "NOTHING PLAYED", static_cast<int>(reader->scrollOffset()));
    printFigures("  drawLayers", layers);
    printFigures("  InvalidateRect + UpdateWindow (erase and paint)", update);
    reader->shutdownPlayer(5000);
}

} // namespace

bool ReaderWindow::create(ReaderWindow*& out)
{
    out = new (std::nothrow) BenchBookWindow();
    return out != nullptr;
}

int main()
{
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argv != nullptr && argc >= 4 && lstrcmpW(argv[1], L"startup") == 0)
        return startupBench(argv[2], argv[3], argc >= 5 ? _wtoi(argv[4]) : StartupRounds);

    writeSavedOffset(nullptr);
    // As the reader's WinMain from here: the application, its window and the
    // message loop until the book's first paint has ended.
    const double entry = nowMs();
    ReaderApp* app = ReaderApp::instance();
    app->init(GetModuleHandle(nullptr), SW_SHOWNORMAL);
    BenchBookWindow* reader = static_cast<BenchBookWindow*>(app->reader());
    MSG msg;
    while (!reader->bookPainted() && GetMessage(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
    const BenchBookWindow::Times& t = reader->times();
    reader->updateClientBox();
    const Rect* client = reader->clientBox();
    std::printf("book: %u paragraphs, %u cells, document height %d px; desktop %d x %d, client %d x %d\n",
                BookData::instance().text().count(), reader->textLayer().cells().count(), reader->documentHeight(),
                reader->layoutWidth(), reader->layoutHeight(), client->width(), client->height());
    std::printf("first paint, entry to the end of the book's first paint: %8.1f ms (target 150)\n", t.painted - entry);
    std::printf("  window and menus                                  %8.1f ms\n", t.start - entry);
    std::printf("  loadAll                                           %8.1f ms\n", t.loaded - t.start);
    std::printf("  text cells made (setCellCount)                    %8.1f ms\n", t.sized - t.loaded);
    std::printf("  layout (cells laid out)                           %8.1f ms\n", t.cells - t.sized);
    std::printf("  regions                                           %8.1f ms\n", t.regions - t.cells);
    std::printf("  title, saved offset, timer                        %8.1f ms\n", t.started - t.regions);
    std::printf("  until the paint                                   %8.1f ms\n", t.paintBegin - t.started);
    std::printf("  paint                                             %8.1f ms\n", t.painted - t.paintBegin);
    std::printf("  from ReaderWindow::start                          %8.1f ms\n", t.painted - t.start);

    std::printf("layout: cells %.1f ms, regions %.1f ms (%u sentences, %u segments); %u units measured\n",
                t.cells - t.sized, t.regions - t.cells, reader->sentenceRegions().count(),
                reader->segmentRegions().count(), reader->charWidths().measuredCount());
    bool same = false;
    const double uncached = reader->layOutUncached(same);
    std::printf("  the same layout measuring every character: %.1f ms, cells %s\n", uncached,
                same ? "identical" : "DIFFERENT");

    paintFigures(reader);
    playbackPaintFigures(reader);
    DestroyWindow(reader->hwnd());
    return 0;
}
