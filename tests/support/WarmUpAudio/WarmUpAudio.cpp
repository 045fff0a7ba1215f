// Opens the wave output once, before the tests run side by side.
//
// Wine names a new prefix's sound devices the first time a program asks for them. Several
// programs asking at once in a fresh prefix each make up their own names, and the one whose
// name lost cannot open the device ("Activate failed: 88890004"): its sounds end at once,
// without playing. Asked once here, the names are settled before any test starts.
#include <windows.h>
#include <mmsystem.h>

#include <cstdio>

int main() {
    WAVEFORMATEX format = {};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = 1;
    format.nSamplesPerSec = 22050;
    format.wBitsPerSample = 16;
    format.nBlockAlign = 2;
    format.nAvgBytesPerSec = format.nSamplesPerSec * format.nBlockAlign;
    HWAVEOUT device = nullptr;
    const MMRESULT result = waveOutOpen(&device, WAVE_MAPPER, &format, 0, 0, CALLBACK_NULL);
    if (result != MMSYSERR_NOERROR) {
        std::fprintf(stderr, "warm_up_audio: no wave output (error %u): sound tests will fail\n", result);
        return 1;
    }
    waveOutClose(device);
    return 0;
}
