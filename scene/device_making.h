#pragma once
// Making the rendering device on the saver window's clipper and the viewport on it: once when
// the picture is opened, and again whenever another colour model needs a new device.

#include "scene/viewer_context.h"

// The device for a colour model (1 mono, anything else RGB), or null when the search finds none
// and the library is to choose. The GUID stays valid until the next search.
GUID* FindDeviceGuid(int32_t colorModel, bool softwareOnly);

DWORD RenderBitDepthFlag(int bitsPerPixel);

enum class DeviceStep {
    Made,
    NoDevice,     // neither the device found first nor a software one could be made
    NoInterface,  // the device has no first-version interface
};

struct DeviceMaking {
    DeviceStep step;
    HRESULT result;  // of the step that failed
};

// Makes device2 on the clipper at the given size for the context's colour model (a software
// device of that model when the first choice fails), with blended, sorted transparency, and its
// first-version interface in device.
DeviceMaking MakeDevice(ViewerContext* context, int width, int height);

// A viewport over the whole of device2, seen through camera, with its back clipping plane.
HRESULT MakeViewport(ViewerContext* context, D3DVALUE backPlane);
