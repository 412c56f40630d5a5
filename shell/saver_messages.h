#pragma once
#include <windows.h>

// The saver window's private messages, listed in one place so that no two share a number.

// Check the screen-saver password; nonzero result when it was given correctly.
constexpr UINT WM_SAVER_CHECK_PASSWORD = WM_APP;

// A report of the render thread is waiting for the window thread to show it.
constexpr UINT WM_SAVER_SHOW_REPORT = WM_APP + 1;
