#pragma once

// What the reader's Windows tests share: polling with a limit, other
// programs, the fake browser's log, the saved offset, and the pixels of a
// window.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "PixelColors.h"

// The whole file, also one that another program is writing; false when it
// cannot be read.
bool readFileBytes(const std::wstring& path, std::string& bytes);

// Polls every few milliseconds until `done` or the limit; pumps this
// thread's messages meanwhile, so that an in-process window keeps working.
bool waitFor(const std::function<bool()>& done, DWORD limitMs);
void pumpMessages();

// CreateProcessW for the tests' own starts. Wine now and then refuses a
// start with ERROR_INTERNAL_ERROR, and nothing of it runs: such a start is
// tried again a few times, each retry said on the error output. Any other
// error fails at once. False with the last error set.
bool startProcess(const std::wstring& program, const std::wstring& commandLine, const std::wstring& directory,
                  PROCESS_INFORMATION& process);
// Runs a program in `directory` with one argument and waits for its end.
bool runProgram(const std::wstring& program, const std::wstring& argument, const std::wstring& directory,
                DWORD& exitCode);
// Runs the layout dump tool that environment variable `tool` names in the
// edition's directory, writing `path`; answers the dump, or an empty text
// and in `why` what failed.
std::string layoutDumpOf(const char* tool, const std::wstring& edition, const std::wstring& path, std::string& why);
// Waits until no process that process `parent` started still runs: then
// every browser it started has logged its start. Answers an empty text, or
// after the limit the names of those that still run.
std::string waitForChildProcessesToEnd(DWORD parent, DWORD limitMs);

// One start of the fake browser.
struct BrowserStart {
    std::string address; // its first argument
    int argumentCount;
    std::string program; // its own path
    unsigned long long createdAt; // its process's creation time
};

// Makes `name` in the working directory the fake browser's empty log for
// this process and its children.
std::wstring useFreshBrowserLog(const wchar_t* name);
// In the order the starts were made.
std::vector<BrowserStart> readBrowserLog(const std::wstring& path);
// For a failure message: how many lines the log holds, and each of them.
std::string describeBrowserLog(const std::wstring& path);
// Waits until the log holds `count` starts. Answers an empty text, or what
// the log holds once it holds more or after the limit with fewer.
std::string waitForBrowserStarts(const std::wstring& path, size_t count, DWORD limitMs);
bool endsWith(const std::string& text, const std::string& tail);
// What the browser gets of one of the program's addresses: all but the
// leading blank (the addresses are ASCII).
std::string browserArgument(const char16_t* address);

// The settings file's saved scroll offset.
bool readSavedOffset(int32_t& offset);
// The saved offset, -1 when there is none.
int32_t savedOffset();
bool savedOffsetIs(int32_t expected);
void writeSavedOffset(const wchar_t* text); // null deletes the key

// A copy of a window's client area.
struct Grab {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels; // 0x00RRGGBB, top row first
    uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};
Grab grabClient(HWND hwnd);
// Whether two grabs are equal, pixel for pixel.
bool samePixels(const Grab& a, const Grab& b);
// A grab of another process's window may show a paint half done (the page
// erased, some lines drawn), and on a loaded machine it may stay so for a
// while. This waits for the client area to stay the same over grabs at
// least 300 ms apart and for `drawn` to hold for it; false after the limit,
// `grab` then holding the last grab.
bool settledGrab(HWND hwnd, const std::function<bool(const Grab&)>& drawn, DWORD limitMs, Grab& grab);

// Pixels in [left, right) x [top, bottom) that are not white / of this colour.
int countInk(const Grab& grab, int left, int top, int right, int bottom);
int countColor(const Grab& grab, int left, int top, int right, int bottom, uint32_t rgb);

// A path of the Unix file system as Wine's drive Z: shows it.
std::wstring windowsPath(const std::string& unixPath);
std::wstring environmentPath(const char* name);
// The quick demo edition that the fixture makes (TAVREMS_DEMO_EDITION), or an
// empty text when it is missing.
std::wstring demoEditionDirectory();
std::wstring currentDirectory();
