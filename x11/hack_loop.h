#pragma once
// The display mode's frame loop, apart from X so that tests drive it with a fake clock and a
// memory window: frames paced to the display's refresh, the model switch, the extra delay, and
// what the window asks for, until a signal or the window ends it.

#include <cstdint>

#include "retained/com_types.h"

// What happened while the loop waited.
struct HostEvents {
    bool stop = false;  // a signal came, the window was closed or went away
    bool resized = false;
    int width = 0, height = 0;  // with resized
    bool exposed = false;       // part of the window must be painted again
};

// What the loop asks of the system and the display.
class HackHost {
public:
    virtual ~HackHost() = default;
    virtual double Seconds() = 0;  // a steady clock
    virtual uint32_t Ticks() = 0;  // milliseconds of a steady clock
    // Waits until Seconds() reaches `deadline` or until something happens, whichever comes first,
    // and says what happened; returns at once with what is waiting when the deadline has passed.
    virtual HostEvents Wait(double deadline) = 0;
    // A frame was shown.
    virtual void FrameShown() {}
};

struct LoopSettings {
    double refreshHz = 60.0;
    int64_t delayMicroseconds = 0;  // an extra pause after every frame
};

// Opens the saver's picture on the window with the model the settings name, or with the next
// one that can be read when it cannot; each failure is reported. False when none can be shown.
bool OpenHackPicture(HWND window);

// Draws frames until the host says stop; the picture must be open. 0, or 1 once no model can be
// read any more.
int RunHackLoop(HackHost& host, HWND window, const LoopSettings& settings);
