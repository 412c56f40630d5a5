#pragma once
#include <windows.h>

#include <functional>

// How long a test waits for what it expects before it gives up: generous, so that a busy
// machine slows a test down instead of failing it.
constexpr DWORD Patience = 20000;

// Handles this thread's messages until `ready` holds or the time is up; whether it held.
bool PumpUntil(const std::function<bool()>& ready, DWORD milliseconds = Patience);

// Waits until `ready` holds or the time is up, handling no message: `ready` looks at the queue
// itself. Whether it held.
bool WaitUntil(const std::function<bool()>& ready, DWORD milliseconds = Patience);
