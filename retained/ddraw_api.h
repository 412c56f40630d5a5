#pragma once
// DirectDraw stand-ins: a clipper that names the window a device shows its frames in, and the
// device search that offers the engine's two software devices.

#include "retained/d3drm_types.h"

extern const IID IID_IDirectDraw;
extern const IID IID_IDirectDrawClipper;
extern const IID IID_IDirect3D;
extern const GUID IID_IDirect3DRGBDevice;
extern const GUID IID_IDirect3DRampDevice;

// Any 32-bit value, as the retained-mode enumerations.
enum D3DCOLORMODEL : int {
    D3DCOLOR_MONO = 1,
    D3DCOLOR_RGB = 2,
};

constexpr DWORD D3DFDS_COLORMODEL = 0x1;
constexpr DWORD D3DFDS_GUID = 0x2;
constexpr DWORD D3DFDS_HARDWARE = 0x4;

constexpr DWORD D3DDD_COLORMODEL = 0x1;
constexpr DWORD D3DDD_DEVICERENDERBITDEPTH = 0x80;

struct D3DPRIMCAPS {
    DWORD dwSize;
    DWORD dwMiscCaps;
    DWORD dwRasterCaps;
    DWORD dwZCmpCaps;
    DWORD dwSrcBlendCaps;
    DWORD dwDestBlendCaps;
    DWORD dwAlphaCmpCaps;
    DWORD dwShadeCaps;
    DWORD dwTextureCaps;
    DWORD dwTextureFilterCaps;
    DWORD dwTextureBlendCaps;
    DWORD dwTextureAddressCaps;
    DWORD dwStippleWidth;
    DWORD dwStippleHeight;
};

struct D3DTRANSFORMCAPS {
    DWORD dwSize;
    DWORD dwCaps;
};

struct D3DLIGHTINGCAPS {
    DWORD dwSize;
    DWORD dwCaps;
    DWORD dwLightingModel;
    DWORD dwNumLights;
};

struct D3DDEVICEDESC {
    DWORD dwSize;
    DWORD dwFlags;
    D3DCOLORMODEL dcmColorModel;
    DWORD dwDevCaps;
    D3DTRANSFORMCAPS dtcTransformCaps;
    BOOL bClipping;
    D3DLIGHTINGCAPS dlcLightingCaps;
    D3DPRIMCAPS dpcLineCaps;
    D3DPRIMCAPS dpcTriCaps;
    DWORD dwDeviceRenderBitDepth;
    DWORD dwDeviceZBufferBitDepth;
    DWORD dwMaxBufferSize;
    DWORD dwMaxVertexCount;
    DWORD dwMinTextureWidth;
    DWORD dwMinTextureHeight;
    DWORD dwMaxTextureWidth;
    DWORD dwMaxTextureHeight;
    DWORD dwMinStippleWidth;
    DWORD dwMaxStippleWidth;
    DWORD dwMinStippleHeight;
    DWORD dwMaxStippleHeight;
    DWORD dwMaxTextureRepeat;
    DWORD dwMaxTextureAspectRatio;
    DWORD dwMaxAnisotropy;
    D3DVALUE dvGuardBandLeft;
    D3DVALUE dvGuardBandTop;
    D3DVALUE dvGuardBandRight;
    D3DVALUE dvGuardBandBottom;
    D3DVALUE dvExtentsAdjust;
    DWORD dwStencilCaps;
    DWORD dwFVFCaps;
    DWORD dwTextureOpCaps;
    WORD wMaxTextureBlendStages;
    WORD wMaxSimultaneousTextures;
};

struct D3DFINDDEVICESEARCH {
    DWORD dwSize;
    DWORD dwFlags;
    BOOL bHardware;
    D3DCOLORMODEL dcmColorModel;
    GUID guid;
    DWORD dwCaps;
    D3DPRIMCAPS dpcPrimCaps;
};
using LPD3DFINDDEVICESEARCH = D3DFINDDEVICESEARCH*;

struct D3DFINDDEVICERESULT {
    DWORD dwSize;
    GUID guid;
    D3DDEVICEDESC ddHwDesc;
    D3DDEVICEDESC ddSwDesc;
};
using LPD3DFINDDEVICERESULT = D3DFINDDEVICERESULT*;

static_assert(sizeof(D3DDEVICEDESC) == 252, "device description layout");
static_assert(sizeof(D3DFINDDEVICESEARCH) == 92, "device search layout");
static_assert(sizeof(D3DFINDDEVICERESULT) == 524, "device search result layout");

struct IDirectDrawClipper : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE SetHWnd(DWORD flags, HWND window) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetHWnd(HWND* window) = 0;

protected:
    ~IDirectDrawClipper() = default;
};
using LPDIRECTDRAWCLIPPER = IDirectDrawClipper*;

struct IDirect3D : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE FindDevice(LPD3DFINDDEVICESEARCH search, LPD3DFINDDEVICERESULT result) = 0;

protected:
    ~IDirect3D() = default;
};
using LPDIRECT3D = IDirect3D*;

// Only reached for its IDirect3D interface.
struct IDirectDraw : public IUnknown {
protected:
    ~IDirectDraw() = default;
};
using LPDIRECTDRAW = IDirectDraw*;

HRESULT DirectDrawCreateClipper(DWORD flags, LPDIRECTDRAWCLIPPER* clipper, IUnknown* outer);
HRESULT DirectDrawCreate(GUID* driver, LPDIRECTDRAW* directDraw, IUnknown* outer);
