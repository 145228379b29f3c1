// The figures of scripts/bench-reader.sh that need the real program playing,
// driven from this process in the quick demo edition (the current directory)
// with the capture device of this process's HOME (TAVREMS_CAPTURE_DIR), which
// the program shares:
//   reader_play_bench PROGRAM [STARTS]
//   - highlight latency: for each of STARTS (default 60) segment starts of
//     one playback, from the moment the capture holds the segment's first
//     byte of sound to the first grab of the window that shows the segment's
//     first characters green (where they lie, this process's own reader
//     window finds by laying the book out);
//   - the program's memory after start-up, after 60 s of playback and after
//     200 balloon cycles (open, next translation, closed).

#include <windows.h>
// After windows.h, which they need.
#include <psapi.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "EditionSound.h"
#include "MemoryPicture.h"
#include "PageInk.h"
#include "ReaderProcess.h"
#include "ReaderTestSupport.h"
#include "SoundTestSupport.h"
#include "document/BookData.h"
#include "reader/app/ReaderApp.h"
#include "reader/window/ReaderWindow.h"

namespace {

const uint32_t FirstSegment = 1194; // chapter VI's first
const double PlaybackMs = 60000;
// Rows grabbed above and below a segment's first characters.
const int BoxMargin = 6;
const int BalloonCycles = 200;

// Follows the capture files as they grow and tells how many of the expected
// bytes of each device they hold (an 8-bit output inserts silence, 0x80).
class CaptureFollower {
public:
    explicit CaptureFollower(const std::vector<std::string>& expected)
        : m_expected(expected), m_read(expected.size(), 0), m_matched(expected.size(), 0)
    {}

    void poll()
    {
        for (size_t d = 0; d < m_expected.size(); ++d) {
            const std::string name = captureDir() + "\\capture.raw" + suffix(d);
            FILE* f = std::fopen(name.c_str(), "rb");
            if (f == nullptr)
                return;
            std::fseek(f, static_cast<long>(m_read[d]), SEEK_SET);
            char buffer[65536];
            size_t n = 0;
            while ((n = std::fread(buffer, 1, sizeof(buffer), f)) > 0) {
                for (size_t i = 0; i < n; ++i) {
                    const std::string& e = m_expected[d];
                    if (m_matched[d] < e.size() && buffer[i] == e[m_matched[d]])
                        ++m_matched[d];
                }
                m_read[d] += n;
            }
            std::fclose(f);
        }
    }
    size_t matched(size_t device) const { return m_matched[device]; }

private:
    static std::string suffix(size_t device)
    {
        char text[16] = "";
        if (device > 0)
            std::snprintf(text, sizeof(text), ".%04u", static_cast<unsigned>(device));
        return text;
    }

    std::vector<std::string> m_expected;
    std::vector<size_t> m_read;
    std::vector<size_t> m_matched;
};

// Grabs a band of rows of a window's client area into a picture kept for it.
class BandGrabber {
public:
    explicit BandGrabber(HWND hwnd)
        : m_hwnd(hwnd), m_window_dc(GetDC(hwnd)), m_picture(m_window_dc, clientWidth(hwnd), clientHeight(hwnd))
    {}
    ~BandGrabber() { ReleaseDC(m_hwnd, m_window_dc); }
    BandGrabber(const BandGrabber&) = delete;
    BandGrabber& operator=(const BandGrabber&) = delete;

    int height() const { return m_picture.height(); }
    // The client row where the last band began.
    int top() const { return m_top; }

    // Rows top to top + rows (kept inside the client area).
    Grab grab(int top, int rows)
    {
        m_top = std::max(0, std::min(top, height() - rows));
        BitBlt(m_picture.dc(), 0, 0, m_picture.width(), rows, m_window_dc, 0, m_top, SRCCOPY);
        Grab grab;
        grab.width = m_picture.width();
        grab.height = rows;
        grab.pixels = m_picture.pixels(rows);
        return grab;
    }

private:
    static RECT clientRect(HWND hwnd)
    {
        RECT r = {0, 0, 0, 0};
        GetClientRect(hwnd, &r);
        return r;
    }
    static int clientWidth(HWND hwnd) { return clientRect(hwnd).right; }
    static int clientHeight(HWND hwnd) { return clientRect(hwnd).bottom; }

    HWND m_hwnd;
    HDC m_window_dc;
    MemoryPicture m_picture;
    int m_top = 0;
};

void printMemory(const char* when, HANDLE process)
{
    PROCESS_MEMORY_COUNTERS counters;
    ZeroMemory(&counters, sizeof(counters));
    counters.cb = sizeof(counters);
    if (!GetProcessMemoryInfo(process, &counters, sizeof(counters))) {
        std::printf("memory %-28s not available (error %lu)\n", when, GetLastError());
        return;
    }
    const double mib = 1024.0 * 1024.0;
    std::printf("memory %-28s working set %7.1f MiB (peak %7.1f), private %7.1f MiB (peak %7.1f)\n", when,
                counters.WorkingSetSize / mib, counters.PeakWorkingSetSize / mib, counters.PagefileUsage / mib,
                counters.PeakPagefileUsage / mib);
}

void printLatencies(std::vector<double> ms)
{
    if (ms.empty()) {
        std::printf("highlight latency: no segment start measured\n");
        return;
    }
    std::sort(ms.begin(), ms.end());
    const size_t p95 = std::min(ms.size() - 1, (ms.size() * 95 + 99) / 100 - 1);
    std::printf("highlight latency, capture at the segment's first byte to the first green grab (%zu starts):\n"
                "  median %6.1f ms  p95 %6.1f ms  max %6.1f ms  min %6.1f ms  (target p95 50; below 0: green\n"
                "  before the capture file holds the byte)\n",
                ms.size(), ms[ms.size() / 2], ms[p95], ms.back(), ms.front());
}

// Where the first characters (up to four, on one line) of each segment from
// first to last lie on the page, in document pixels: the reader's own window
// lays the book in the current directory out here as the program does.
std::vector<Rect> segmentFirstCharacters(uint32_t first, uint32_t last)
{
    std::vector<Rect> boxes;
    ReaderApp* app = ReaderApp::instance();
    if (app == nullptr || app->reader() == nullptr)
        return boxes;
    app->init(GetModuleHandle(nullptr), SW_SHOWNORMAL);
    ReaderWindow* reader = app->reader();
    TextLayer& layer = reader->textLayer();
    const AudioSegmentArray& segments = BookData::instance().segments();
    for (uint32_t j = first; j <= last && j < segments.count(); ++j) {
        const AudioSegment& s = segments.at(j);
        const uint32_t c = static_cast<uint32_t>(reader->paragraphOffset(static_cast<uint32_t>(s.paragraphIndex())) +
                                                 s.firstChar());
        const TextCell& a = layer.cellAt(c);
        uint32_t end = c;
        while (end < c + 3 && end + 1 < layer.cells().count() && layer.cellAt(end + 1).top() == a.top())
            ++end;
        const TextCell& b = layer.cellAt(end);
        boxes.push_back(Rect(a.left(), a.top(), b.right() - a.left(), a.bottom() - a.top()));
    }
    DestroyWindow(reader->hwnd());
    return boxes;
}

} // namespace

int main()
{
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argv == nullptr || argc < 2) {
        std::printf("usage: reader_play_bench PROGRAM [STARTS]\n");
        return 2;
    }
    const std::wstring program = argv[1];
    const uint32_t starts = argc >= 3 ? static_cast<uint32_t>(_wtoi(argv[2])) : 60;
    const uint32_t last = FirstSegment + starts + 20;
    EditionSound sound(currentDirectory());
    const std::vector<std::string> expected = sound.playedBytes(FirstSegment, last, true);
    if (expected.empty() || expected[0].empty()) {
        std::printf("no demo edition in the current directory\n");
        return 1;
    }
    std::vector<EditionSound::SegmentStart> segmentStarts = sound.playedSegmentStarts(FirstSegment, last);
    // Silence (0x80) in the capture may be inserted by the device: a segment
    // counts as heard at its first byte of sound.
    for (EditionSound::SegmentStart& start : segmentStarts) {
        const std::string& bytes = expected[start.device];
        while (start.offset + 1 < bytes.size() && static_cast<unsigned char>(bytes[start.offset]) == 0x80)
            ++start.offset;
    }
    const std::vector<Rect> boxes = segmentFirstCharacters(FirstSegment, last);
    if (boxes.empty()) {
        std::printf("the book could not be laid out here\n");
        return 1;
    }

    clearCapture();
    writeSavedOffset(nullptr);
    ReaderProcess reader;
    if (!reader.start(program, currentDirectory())) {
        std::printf("the program did not start\n");
        return 1;
    }
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, reader.processId());
    printMemory("after start-up", process);

    // Chapter VI; its first text line is the third.
    reader.sendCommand(7006);
    std::vector<InkLine> lines;
    const double t0 = nowMs();
    while (nowMs() - t0 < 10000) {
        const Grab grab = grabClient(reader.window());
        lines = inkLines(grab, 0, grab.width);
        if (lines.size() > 3 && lines[0].top <= 5)
            break;
    }
    if (lines.size() < 3 || lines[2].runs.size() < 2) {
        std::printf("chapter VI not shown\n");
        return 1;
    }
    reader.rightClick(lines[2].runs[1].centre(), lines[2].centreY());

    // Each segment's start: when its first byte is in the capture, when its
    // first characters first show green. Only the rows of those characters
    // are grabbed (a grab of the whole client area takes tens of
    // milliseconds across processes).
    CaptureFollower capture(expected);
    BandGrabber grabber(reader.window());
    std::vector<double> captured;
    std::vector<double> green;
    std::vector<double> rounds;
    const double playStart = nowMs();
    double previous = playStart;
    while ((captured.size() < starts || green.size() < starts) && nowMs() - playStart < 120000) {
        const double now = nowMs();
        rounds.push_back(now - previous);
        previous = now;
        capture.poll();
        while (captured.size() < segmentStarts.size() &&
               capture.matched(segmentStarts[captured.size()].device) > segmentStarts[captured.size()].offset)
            captured.push_back(now);
        if (green.size() >= boxes.size())
            break;
        // The settings may run one timer step (5 pixels) ahead of the pixels.
        const Rect& box = boxes[green.size()];
        const int32_t offset = savedOffset();
        const int32_t top = box.top() - offset - BoxMargin;
        if (top < 0 || top + box.height() + 2 * BoxMargin > grabber.height())
            continue;
        const Grab grab = grabber.grab(top, box.height() + 2 * BoxMargin);
        const double grabbed = nowMs();
        const int rowTop = top - grabber.top();
        if (countColor(grab, box.left(), rowTop, box.right(), rowTop + box.height() + 2 * BoxMargin, HeardGreen) > 0)
            green.push_back(grabbed);
    }
    std::vector<double> latencies;
    for (size_t k = 0; k < captured.size() && k < green.size(); ++k)
        latencies.push_back(green[k] - captured[k]);
    printLatencies(latencies);
    printFigures("  one round of watching (capture, settings, grab)", rounds);
    if (captured.size() != green.size())
        std::printf("  (%zu starts reached the capture, %zu showed green)\n", captured.size(), green.size());

    while (nowMs() - playStart < PlaybackMs)
        Sleep(100);
    printMemory("after 60 s of playback", process);
    reader.rightClick(500, 300);

    // Balloons on the sentence at the top of the page.
    const Grab page = grabClient(reader.window());
    lines = inkLines(page, 0, page.width);
    if (lines.empty()) {
        std::printf("no text to click\n");
        return 1;
    }
    const LPARAM sentence = MAKELPARAM(lines[0].runs[0].centre(), lines[0].centreY());
    for (int i = 0; i < BalloonCycles * 3; ++i) {
        DWORD_PTR result = 0;
        SendMessageTimeoutW(reader.window(), WM_LBUTTONDOWN, MK_LBUTTON, sentence, SMTO_NORMAL, 10000, &result);
        UpdateWindow(reader.window());
    }
    reader.sync();
    printMemory("after 200 balloon cycles", process);
    CloseHandle(process);
    reader.postCommand(2000);
    DWORD code = 0;
    reader.waitForExit(10000, code);
    return 0;
}
