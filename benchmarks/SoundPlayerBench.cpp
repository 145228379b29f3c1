// Plays a 5-minute 44.1 kHz stereo track through the sound player into the
// capture device and prints what was played against what was expected, the
// silence the output inserted inside the track, the largest gap between two
// block completions and the CPU time it took.
// Run by scripts/bench-sound.sh.
#include <windows.h>

#include <tlhelp32.h>

#include <cstdio>
#include <map>

#include "SoundTestSupport.h"
#include "sound/TrackByteRange.h"

namespace {

double seconds(const FILETIME& t)
{
    ULARGE_INTEGER v;
    v.LowPart = t.dwLowDateTime;
    v.HighPart = t.dwHighDateTime;
    return static_cast<double>(v.QuadPart) / 1e7;
}

double threadCpu(HANDLE thread)
{
    FILETIME created, ended, kernel, user;
    if (!GetThreadTimes(thread, &created, &ended, &kernel, &user))
        return 0;
    return seconds(kernel) + seconds(user);
}

// The CPU time of each thread of the process so far, by thread id. A thread
// that has ended no longer reports its time, so the benchmark samples while
// the threads run and keeps the last figure of each.
void sampleThreads(std::map<DWORD, double>& cpu)
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return;
    THREADENTRY32 entry;
    entry.dwSize = sizeof(entry);
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
        if (entry.th32OwnerProcessID != GetCurrentProcessId())
            continue;
        HANDLE thread = OpenThread(THREAD_QUERY_LIMITED_INFORMATION, FALSE, entry.th32ThreadID);
        if (thread == nullptr)
            continue;
        const double t = threadCpu(thread);
        if (t > cpu[entry.th32ThreadID])
            cpu[entry.th32ThreadID] = t;
        CloseHandle(thread);
    }
    CloseHandle(snapshot);
}

double processCpu()
{
    FILETIME created, ended, kernel, user;
    if (!GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user))
        return 0;
    return seconds(kernel) + seconds(user);
}

// The silence the output inserted inside a track's sound: the zero bytes
// between the first and the last sound byte of each device's capture, with
// the place of each run, counted in sound bytes played before it.
size_t insertedSilence(const std::vector<std::string>& captures, std::string& places)
{
    size_t inserted = 0;
    for (const std::string& capture : captures) {
        const size_t first = capture.find_first_not_of('\0');
        if (first == std::string::npos)
            continue;
        const size_t last = capture.find_last_not_of('\0');
        size_t sound = 0;
        for (size_t i = first; i <= last;) {
            if (capture[i] != 0) {
                ++sound;
                ++i;
                continue;
            }
            const size_t end = capture.find_first_not_of('\0', i);
            inserted += end - i;
            places += " " + std::to_string(end - i) + " at byte " + std::to_string(sound) + ";";
            i = end;
        }
    }
    return inserted;
}

double now()
{
    LARGE_INTEGER count, frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

} // namespace

int main()
{
    const TestTrack track = {captureDir() + "\\bench.wav", 21, 44100, 2, 16, 52920000};
    if (!writeTrack(track)) {
        std::printf("cannot write %s\n", track.name.c_str());
        return 1;
    }
    clearCapture();
    const std::vector<TestItem> chain = {segmentItem(track, 0, 300000, 0)};
    const ChainPlan plan = planChain(chain);

    ChainPlayer player;
    const double cpuBefore = processCpu();
    const double begin = now();
    HANDLE thread = player.play(chain);
    // Watches the count of completed blocks; a poll every millisecond.
    std::map<DWORD, double> cpu;
    double lastSample = begin;
    uint32_t seen = 0;
    double lastChange = begin;
    double largestGap = 0;
    double firstCompletion = 0;
    while (!player.waitIdle(0)) {
        Sleep(1);
        const uint32_t done = player.completedBlocks();
        if (done != seen) {
            const double t = now();
            if (seen == 0)
                firstCompletion = t - begin;
            else if (t - lastChange > largestGap)
                largestGap = t - lastChange;
            lastChange = t;
            seen = done;
        }
        if (now() - lastSample > 0.1) {
            sampleThreads(cpu);
            lastSample = now();
        }
    }
    sampleThreads(cpu);
    const double wall = now() - begin;
    const double monitorCpu = threadCpu(GetCurrentThread());
    const double allCpu = processCpu() - cpuBefore;
    const double playerCpu = cpu[GetThreadId(thread)];
    double otherCpu = 0; // the completion thread and the platform's audio threads
    for (const auto& entry : cpu) {
        if (entry.first != GetThreadId(thread) && entry.first != GetCurrentThreadId())
            otherCpu += entry.second;
    }
    const uint32_t completed = player.completedBlocks();
    const std::string failure = finishCapture(player);

    const std::vector<std::string> captures = readCapture();
    const std::string capture = joined(captures);
    const std::string played = withoutSilence(capture);
    const std::string expected = playedBytes(plan, plan.blocks.size());
    const double blockSeconds = static_cast<double>(PlayBlockBytes) / track.bytesPerSecond();
    std::printf("track: %u bytes of 16-bit stereo at 44,100 Hz (300 s)\n", track.dataBytes);
    std::printf("bytes played:   %zu of %zu expected, %s\n", played.size(), expected.size(),
                played == expected ? "identical, in order" : firstDifference(played, expected).c_str());
    std::string places;
    const size_t inside = insertedSilence(captures, places);
    std::printf("bytes inserted inside the track: %zu (target 0)%s\n", inside, places.c_str());
    std::printf("silence the output added before and after the sound: %zu bytes\n",
                capture.size() - played.size() - inside);
    std::printf("blocks completed: %u of %zu\n", completed, plan.blocks.size());
    std::printf("wall time: %.1f s (the capture device runs faster than real time)\n", wall);
    std::printf("largest gap between block completions: %.1f ms (first completion after %.1f ms;"
                " a block holds %.1f ms of sound)\n",
                largestGap * 1000, firstCompletion * 1000, blockSeconds * 1000);
    std::printf("CPU: player thread %.3f s; completion thread and the platform's audio threads %.3f s;\n"
                "     whole process %.3f s, of which this benchmark's own polling %.3f s\n",
                playerCpu, otherCpu, allCpu, monitorCpu);
    if (!failure.empty())
        std::printf("%s\n", failure.c_str());
    return played == expected && failure.empty() ? 0 : 1;
}
