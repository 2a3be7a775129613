// The executable's entry point.
#include "forms/errors.h"
#include "forms/win.h"
#include "startup/main.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    forms::GuardRuntimeErrors([] { zelvane::Main(); });
    return 0;
}
