// Test host: reports the system's screen-saver-running flag as its exit code (1 raised,
// 0 lowered, 2 unreadable). A fresh process reads the flag as it stands now; a long-lived
// reader may be served a value it read earlier.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    BOOL running = FALSE;
    if (!::SystemParametersInfoA(SPI_GETSCREENSAVERRUNNING, 0, &running, 0))
        return 2;
    return running ? 1 : 0;
}
