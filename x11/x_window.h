#pragma once
// The window the display mode draws in, on an X display: its own, the daemon's (or the root
// window) or one named by id. Frames go to it through MIT-SHM when the server offers it, else
// through plain XPutImage.

#include <X11/Xlib.h>
#include <X11/extensions/XShm.h>

#include <memory>
#include <string>

#include "retained/native_window.h"
#include "x11/hack_options.h"

class XHackWindow final : public varnoka::rm::NativeWindow {
public:
    // Opens the display ($DISPLAY) and the window the options name; null with `error` set when
    // either cannot be had or the window's visual is not one of 24 or 32 bits in RGB order.
    static std::unique_ptr<XHackWindow> Open(const HackOptions& options, std::string& error);
    ~XHackWindow() override;
    XHackWindow(const XHackWindow&) = delete;
    XHackWindow& operator=(const XHackWindow&) = delete;

    int ClientWidth() const override { return width_; }
    int ClientHeight() const override { return height_; }
    void Show(const varnoka::rm::RenderTarget& frame, const varnoka::rm::ShownRects& rects) override;

    Display* XDisplay() const { return display_; }
    Window XWindow() const { return window_; }
    bool Own() const { return own_; }
    bool SharedMemory() const { return shm_.shmaddr != nullptr; }
    // Whether a client message is the window manager's close button on our own window.
    bool IsCloseRequest(const XClientMessageEvent& message) const;
    // The size from a ConfigureNotify of the window.
    void Resized(int width, int height);
    // The window was destroyed: nothing more is drawn in it, nor is it destroyed again.
    void Gone() { gone_ = true; }
    // Draws lines of text in the window's bottom left corner, over the picture.
    void DrawCornerText(const std::string& text);

private:
    XHackWindow() = default;
    bool MakeImage(int width, int height);
    void DropImage();

    Display* display_ = nullptr;
    Window window_ = 0;
    bool own_ = false;
    bool gone_ = false;
    Visual* visual_ = nullptr;
    int depth_ = 0;
    unsigned long alpha_ = 0;  // opaque alpha bits, on a 32-bit visual
    int width_ = 0, height_ = 0;
    GC gc_ = nullptr;
    Atom deleteWindow_ = 0;
    bool shmUsable_ = false;
    XShmSegmentInfo shm_{};
    XImage* image_ = nullptr;
    int ascent_ = 0, lineHeight_ = 0;  // of the corner text's font, once asked for
};
