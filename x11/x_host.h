#pragma once
// The frame loop's host on an X display: a steady clock, waiting on the display's connection and
// on the signals that end a display mode, the window's events, mouse drags of the car in a window
// of our own, and the frame rate drawn in a corner with --fps.

#include <sys/resource.h>

#include "x11/hack_loop.h"
#include "x11/x_window.h"

class XHackHost final : public HackHost {
public:
    // SIGTERM and SIGINT end the loop from here on.
    XHackHost(XHackWindow& window, bool showFps);
    ~XHackHost() override;
    XHackHost(const XHackHost&) = delete;
    XHackHost& operator=(const XHackHost&) = delete;

    double Seconds() override;
    uint32_t Ticks() override;
    HostEvents Wait(double deadline) override;
    void FrameShown() override;

private:
    void Handle(const XEvent& event, HostEvents& events);
    void Press(const XButtonEvent& press);
    void Drag(const XMotionEvent& motion);

    XHackWindow& window_;
    bool showFps_;
    // Mouse drags: the button held on the car, and where the pointer was last.
    unsigned dragButton_ = 0;
    int lastX_ = 0, lastY_ = 0;
    // Frames and processor time since the rate was last worked out.
    int frames_ = 0;
    double rateStart_ = 0;
    double rateCpuStart_ = 0;
    std::string rateText_;
};
