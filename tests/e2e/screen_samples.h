#pragma once
// What the saver shows, read back from the screen, and waits for what it shows: its window, a car
// over the background, a box.

#include <windows.h>

#include <string>
#include <vector>

#include "e2e/process_runner.h"

// What a window shows, read back from the screen in one copy, sampled every `step` pixels, row by
// row from the top.
std::vector<COLORREF> Snapshot(HWND window, int step = 8);
int SampleColumns(HWND window, int step = 8);

int CountNot(const std::vector<COLORREF>& pixels, COLORREF color);
int CountDifferent(const std::vector<COLORREF>& a, const std::vector<COLORREF>& b);
COLORREF CornerOf(HWND window);

// The first sample row that shows anything but the background: the top of the car.
int TopOf(const std::vector<COLORREF>& pixels, int columns, COLORREF background);

// The sample rows and columns that show anything but the background.
struct SampleBounds {
    bool found = false;
    int left = 0, top = 0, right = 0, bottom = 0;
    double CentreX() const { return (left + right) / 2.0; }
    int Width() const { return right - left + 1; }
    int Height() const { return bottom - top + 1; }
};
SampleBounds BoundsOfAllBut(HWND window, COLORREF background, int step = 8);

bool ShowsABox(const SaverProcess& saver);
// The message of a message box.
std::string BoxText(HWND box);

HWND WaitForSaverWindow();
// Waits until a car covers part of the window, over the background: more than one sample in 50
// differs from it.
bool WaitForCar(HWND window, COLORREF background, int step = 8);
// A visible box of the saver's with that title, or null when none shows within the time.
HWND WaitForBox(const SaverProcess& saver, const std::string& title, DWORD milliseconds = Patience);
