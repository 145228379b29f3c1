// Opens and closes the default waveform output once, alone, before the sound
// tests run. In a new Wine prefix the first programs to use sound set up its
// device list; two doing so at once can leave one of them without a device.
#include <windows.h>

#include <mmsystem.h>

#include <cstdio>

int main()
{
    WAVEFORMATEX format = {};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = 1;
    format.nSamplesPerSec = 8000;
    format.wBitsPerSample = 16;
    format.nBlockAlign = 2;
    format.nAvgBytesPerSec = 16000;
    HWAVEOUT device = nullptr;
    const MMRESULT result = waveOutOpen(&device, WAVE_MAPPER, &format, 0, 0, CALLBACK_NULL);
    std::printf("waveform output devices: %u, open: %u\n", waveOutGetNumDevs(), result);
    if (result != MMSYSERR_NOERROR)
        return 1;
    waveOutClose(device);
    return 0;
}
