// The floor the start-up benchmark measures the player against: the smallest Win32 program
// with a window of the player's size, built with the same compiler, flags and runtime. With
// "/silence" it also plays silence through the wave output for as long as it runs, the floor
// of what playing costs.
#include <windows.h>
#include <mmsystem.h>

#include <string.h>

namespace {

const int bufferCount = 20, bufferSamples = 8820; // as the player queues its sound
short silence[bufferCount][2 * bufferSamples];
WAVEHDR headers[bufferCount];
HWAVEOUT device;

void QueueSilence(HWND window) {
    WAVEFORMATEX format = {WAVE_FORMAT_PCM, 2, 44100, 44100 * 4, 4, 16, 0};
    if (waveOutOpen(&device, WAVE_MAPPER, &format, DWORD_PTR(window), 0, CALLBACK_WINDOW) !=
        MMSYSERR_NOERROR) {
        device = nullptr;
        return;
    }
    for (WAVEHDR& header : headers) {
        header.lpData = reinterpret_cast<LPSTR>(silence[&header - headers]);
        header.dwBufferLength = sizeof silence[0];
        waveOutPrepareHeader(device, &header, sizeof header);
        waveOutWrite(device, &header, sizeof header);
    }
}

void CloseSilence() {
    if (!device) return;
    waveOutReset(device);
    for (WAVEHDR& header : headers)
        waveOutUnprepareHeader(device, &header, sizeof header);
    waveOutClose(device);
}

void OnPaint(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    FillRect(dc, &paint.rcPaint, HBRUSH(GetStockObject(DKGRAY_BRUSH)));
    EndPaint(window, &paint);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: OnPaint(window); return 0;
    case MM_WOM_DONE:
        waveOutWrite(HWAVEOUT(wParam), reinterpret_cast<WAVEHDR*>(lParam), sizeof(WAVEHDR));
        return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = "LumivoxenBenchEmptyWindow";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, windowClass.lpszClassName, "Empty", WS_POPUP, 100, 100, 275,
                                  116, nullptr, nullptr, instance, nullptr);
    if (strstr(commandLine, "/silence")) QueueSilence(window);
    ShowWindow(window, SW_SHOWNORMAL);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    CloseSilence();
    return 0;
}
