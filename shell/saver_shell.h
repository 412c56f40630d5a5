#pragma once
#include <windows.h>

#include "shell/saver_messages.h"

// The shell's process-wide record. Read and written on the main thread only.
struct SaverShellState {
    HINSTANCE instance;
    HWND window;
    BOOL isPreview;
    BOOL closeApproved;
    BOOL verifying;
    HMODULE passwordModule;
    BOOL(WINAPI* verifyPassword)(HWND window);
    HMODULE imeModule;
    HIMC(WINAPI* associateContext)(HWND window, HIMC context);
    HIMC savedInputContext;
    BOOL isWin95Family;
    DWORD mouseMoveLimit;
    DWORD lastVerifyTick;
    POINT referenceCursor;
};

// Value of lastVerifyTick before the first password request.
constexpr DWORD NoVerifyYet = 0xFFFFFFFF;

extern SaverShellState saverShellState;

// Start-up and mode dispatch.
int WINAPI SaverEntry(HINSTANCE instance, HINSTANCE previousInstance, LPSTR commandLine, int showCommand);
[[noreturn]] void StartFromCommandLine();
const char* SkipProgramName(const char* commandLine);
int DispatchMode(HINSTANCE instance, const char* switchText);
DWORD ParseWindowNumber(const char* text);
INT_PTR RunOptionsDialog(HWND parent);

// The saver window.
int RunSaverWindow(HWND parent);
ATOM RegisterSaverClass();
LRESULT CALLBACK SaverClassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK SaverDefaultProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
BOOL ConfirmClose(HWND window);
// The input rules of the default handling: `window` gets the system's handling of the message,
// `saver` the close requests it makes.
LRESULT FilterSaverInput(HWND window, HWND saver, UINT message, WPARAM wParam, LPARAM lParam);

// Plain black windows over every monitor but the primary one, owned by the full-screen saver
// window, whose closing rules they share; and bringing them to the front again.
constexpr char MonitorCoverClassName[] = "VarnokaMonitorCover";
void CoverOtherMonitors(HWND saver);
void RaiseMonitorCovers(HWND saver);

// The procedures the shell runs but does not own, put in by the program at start-up: the one
// the class procedure hands messages on to (tests may put a recorder in its place), and the
// options dialog's.
extern WNDPROC programWindowProc;
extern DLGPROC optionsDialogProc;

// The system's screen-saver password.
void LoadPasswordVerifier();
void ReleasePasswordVerifier();
void SetSaverRunning(BOOL on);
void ChangeSaverPassword(HWND parent);
