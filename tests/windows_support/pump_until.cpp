#include "windows_support/pump_until.h"

bool PumpUntil(const std::function<bool()>& ready, DWORD milliseconds) {
    const DWORD start = GetTickCount();
    for (;;) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        if (ready()) return true;
        if (GetTickCount() - start >= milliseconds) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
}

bool WaitUntil(const std::function<bool()>& ready, DWORD milliseconds) {
    const DWORD start = GetTickCount();
    while (!ready()) {
        if (GetTickCount() - start >= milliseconds) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}
