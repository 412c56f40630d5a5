#pragma once
// The retained-mode interfaces the saver draws through: objects are reference counted, every call
// returns a result code unless it reads a plain value.

#include "retained/d3drm_types.h"
#include "retained/ddraw_api.h"

struct IDirect3DRMFrame;
struct IDirect3DRMFrame2;
struct IDirect3DRMFrameArray;
struct IDirect3DRMVisual;
struct IDirect3DRMTexture;
using LPDIRECT3DRMFRAME = IDirect3DRMFrame*;
using LPDIRECT3DRMFRAME2 = IDirect3DRMFrame2*;
using LPDIRECT3DRMFRAMEARRAY = IDirect3DRMFrameArray*;
using LPDIRECT3DRMVISUAL = IDirect3DRMVisual*;
using LPDIRECT3DRMTEXTURE = IDirect3DRMTexture*;

using D3DRMLOADTEXTURECALLBACK = HRESULT (*)(char* textureName, void* argument, LPDIRECT3DRMTEXTURE* texture);

extern const IID IID_IDirect3DRM;
extern const IID IID_IDirect3DRM2;
extern const IID IID_IDirect3DRMVisual;
extern const IID IID_IDirect3DRMFrame;
extern const IID IID_IDirect3DRMFrame2;
extern const IID IID_IDirect3DRMLight;
extern const IID IID_IDirect3DRMTexture;
extern const IID IID_IDirect3DRMMeshBuilder;
extern const IID IID_IDirect3DRMMeshBuilder2;
extern const IID IID_IDirect3DRMProgressiveMesh;
extern const IID IID_IDirect3DRMDevice;
extern const IID IID_IDirect3DRMDevice2;
extern const IID IID_IDirect3DRMWinDevice;
extern const IID IID_IDirect3DRMViewport;
extern const IID IID_IDirect3DRMPickedArray;
extern const IID IID_IDirect3DRMFrameArray;

// Anything a frame can carry and draw.
struct IDirect3DRMVisual : public IUnknown {
protected:
    ~IDirect3DRMVisual() = default;
};

struct IDirect3DRMLight : public IUnknown {
protected:
    ~IDirect3DRMLight() = default;
};
using LPDIRECT3DRMLIGHT = IDirect3DRMLight*;

struct IDirect3DRMTexture : public IDirect3DRMVisual {
protected:
    ~IDirect3DRMTexture() = default;
};

struct IDirect3DRMFrame : public IDirect3DRMVisual {
    virtual HRESULT STDMETHODCALLTYPE AddChild(LPDIRECT3DRMFRAME child) = 0;
    virtual HRESULT STDMETHODCALLTYPE AddLight(LPDIRECT3DRMLIGHT light) = 0;
    virtual HRESULT STDMETHODCALLTYPE AddVisual(LPDIRECT3DRMVISUAL visual) = 0;
    virtual HRESULT STDMETHODCALLTYPE DeleteVisual(LPDIRECT3DRMVISUAL visual) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetPosition(LPDIRECT3DRMFRAME reference, D3DVALUE x, D3DVALUE y, D3DVALUE z) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetPosition(LPDIRECT3DRMFRAME reference, LPD3DVECTOR position) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetOrientation(LPDIRECT3DRMFRAME reference, D3DVALUE dx, D3DVALUE dy, D3DVALUE dz,
                                                     D3DVALUE ux, D3DVALUE uy, D3DVALUE uz) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetOrientation(LPDIRECT3DRMFRAME reference, LPD3DVECTOR direction,
                                                     LPD3DVECTOR up) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetRotation(LPDIRECT3DRMFRAME reference, D3DVALUE x, D3DVALUE y, D3DVALUE z,
                                                  D3DVALUE theta) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetVelocity(LPDIRECT3DRMFRAME reference, D3DVALUE x, D3DVALUE y, D3DVALUE z,
                                                  BOOL withRotation) = 0;
    virtual HRESULT STDMETHODCALLTYPE LookAt(LPDIRECT3DRMFRAME target, LPDIRECT3DRMFRAME reference,
                                             D3DRMFRAMECONSTRAINT constraint) = 0;
    virtual HRESULT STDMETHODCALLTYPE Move(D3DVALUE delta) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetSceneBackgroundRGB(D3DVALUE red, D3DVALUE green, D3DVALUE blue) = 0;

protected:
    ~IDirect3DRMFrame() = default;
};

struct IDirect3DRMFrame2 : public IDirect3DRMFrame {
protected:
    ~IDirect3DRMFrame2() = default;
};

struct IDirect3DRMMeshBuilder : public IDirect3DRMVisual {
    // Every mesh of a `.x` file, with its frames' transforms, replaces the builder's mesh; a file
    // that is missing or malformed leaves the builder empty.
    virtual HRESULT STDMETHODCALLTYPE Load(LPVOID source, LPVOID objectName, D3DRMLOADOPTIONS options,
                                           D3DRMLOADTEXTURECALLBACK loadTexture, LPVOID argument) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetTexture(LPDIRECT3DRMTEXTURE texture) = 0;
    virtual int STDMETHODCALLTYPE GetFaceCount() = 0;

protected:
    ~IDirect3DRMMeshBuilder() = default;
};
using LPDIRECT3DRMMESHBUILDER = IDirect3DRMMeshBuilder*;

struct IDirect3DRMMeshBuilder2 : public IDirect3DRMMeshBuilder {
protected:
    ~IDirect3DRMMeshBuilder2() = default;
};
using LPDIRECT3DRMMESHBUILDER2 = IDirect3DRMMeshBuilder2*;

struct IDirect3DRMProgressiveMesh : public IDirect3DRMVisual {
    virtual HRESULT STDMETHODCALLTYPE SetDetail(D3DVALUE detail) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetDetail(D3DVALUE* detail) = 0;

protected:
    ~IDirect3DRMProgressiveMesh() = default;
};
using LPDIRECT3DRMPROGRESSIVEMESH = IDirect3DRMProgressiveMesh*;

struct IDirect3DRMDevice : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE SetShades(DWORD shades) = 0;
    virtual DWORD STDMETHODCALLTYPE GetShades() = 0;
    virtual HRESULT STDMETHODCALLTYPE SetDither(BOOL dither) = 0;
    virtual BOOL STDMETHODCALLTYPE GetDither() = 0;
    virtual HRESULT STDMETHODCALLTYPE SetQuality(D3DRMRENDERQUALITY quality) = 0;
    virtual D3DRMRENDERQUALITY STDMETHODCALLTYPE GetQuality() = 0;
    virtual HRESULT STDMETHODCALLTYPE SetTextureQuality(D3DRMTEXTUREQUALITY quality) = 0;
    virtual D3DRMTEXTUREQUALITY STDMETHODCALLTYPE GetTextureQuality() = 0;
    virtual DWORD STDMETHODCALLTYPE GetWidth() = 0;
    virtual DWORD STDMETHODCALLTYPE GetHeight() = 0;
    virtual HRESULT STDMETHODCALLTYPE Update() = 0;

protected:
    ~IDirect3DRMDevice() = default;
};
using LPDIRECT3DRMDEVICE = IDirect3DRMDevice*;

struct IDirect3DRMDevice2 : public IDirect3DRMDevice {
    virtual HRESULT STDMETHODCALLTYPE SetRenderMode(DWORD flags) = 0;
    virtual DWORD STDMETHODCALLTYPE GetRenderMode() = 0;

protected:
    ~IDirect3DRMDevice2() = default;
};
using LPDIRECT3DRMDEVICE2 = IDirect3DRMDevice2*;

// A device's side facing its window, reached from the device with QueryInterface.
struct IDirect3DRMWinDevice : public IUnknown {
    // Repaints the window with the last frame shown, from WM_PAINT; a frame being drawn meanwhile
    // shows the whole window when it is done instead.
    virtual HRESULT STDMETHODCALLTYPE HandlePaint(HDC dc) = 0;

protected:
    ~IDirect3DRMWinDevice() = default;
};
using LPDIRECT3DRMWINDEVICE = IDirect3DRMWinDevice*;

struct IDirect3DRMFrameArray : public IUnknown {
    virtual DWORD STDMETHODCALLTYPE GetSize() = 0;
    virtual HRESULT STDMETHODCALLTYPE GetElement(DWORD index, LPDIRECT3DRMFRAME* frame) = 0;

protected:
    ~IDirect3DRMFrameArray() = default;
};

struct IDirect3DRMPickedArray : public IUnknown {
    virtual DWORD STDMETHODCALLTYPE GetSize() = 0;
    virtual HRESULT STDMETHODCALLTYPE GetPick(DWORD index, LPDIRECT3DRMVISUAL* visual, LPDIRECT3DRMFRAMEARRAY* frames,
                                              LPD3DRMPICKDESC description) = 0;

protected:
    ~IDirect3DRMPickedArray() = default;
};
using LPDIRECT3DRMPICKEDARRAY = IDirect3DRMPickedArray*;

struct IDirect3DRMViewport : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE SetFront(D3DVALUE front) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetBack(D3DVALUE back) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetField(D3DVALUE field) = 0;
    virtual D3DVALUE STDMETHODCALLTYPE GetFront() = 0;
    virtual D3DVALUE STDMETHODCALLTYPE GetBack() = 0;
    virtual D3DVALUE STDMETHODCALLTYPE GetField() = 0;
    virtual HRESULT STDMETHODCALLTYPE Clear() = 0;
    virtual HRESULT STDMETHODCALLTYPE Render(LPDIRECT3DRMFRAME scene) = 0;
    virtual HRESULT STDMETHODCALLTYPE Pick(LONG x, LONG y, LPDIRECT3DRMPICKEDARRAY* picked) = 0;
    virtual HRESULT STDMETHODCALLTYPE Transform(LPD3DRMVECTOR4D screen, LPD3DVECTOR world) = 0;
    virtual HRESULT STDMETHODCALLTYPE InverseTransform(LPD3DVECTOR world, LPD3DRMVECTOR4D screen) = 0;

protected:
    ~IDirect3DRMViewport() = default;
};
using LPDIRECT3DRMVIEWPORT = IDirect3DRMViewport*;

struct IDirect3DRM : public IUnknown {
    // BMP, PPM, PNG, TGA or JPEG files, opened relative to the current directory.
    virtual HRESULT STDMETHODCALLTYPE LoadTexture(const char* fileName, LPDIRECT3DRMTEXTURE* texture) = 0;

protected:
    ~IDirect3DRM() = default;
};
using LPDIRECT3DRM = IDirect3DRM*;

struct IDirect3DRM2 : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE CreateFrame(LPDIRECT3DRMFRAME parent, LPDIRECT3DRMFRAME2* frame) = 0;
    virtual HRESULT STDMETHODCALLTYPE CreateLightRGB(D3DRMLIGHTTYPE type, D3DVALUE red, D3DVALUE green, D3DVALUE blue,
                                                     LPDIRECT3DRMLIGHT* light) = 0;
    virtual HRESULT STDMETHODCALLTYPE CreateMeshBuilder(LPDIRECT3DRMMESHBUILDER2* builder) = 0;
    virtual HRESULT STDMETHODCALLTYPE CreateProgressiveMesh(LPDIRECT3DRMPROGRESSIVEMESH* mesh) = 0;
    virtual HRESULT STDMETHODCALLTYPE CreateDeviceFromClipper(LPDIRECTDRAWCLIPPER clipper, LPGUID deviceGuid, int width,
                                                              int height, LPDIRECT3DRMDEVICE2* device) = 0;
    virtual HRESULT STDMETHODCALLTYPE CreateViewport(LPDIRECT3DRMDEVICE device, LPDIRECT3DRMFRAME camera, DWORD x,
                                                     DWORD y, DWORD width, DWORD height,
                                                     LPDIRECT3DRMVIEWPORT* viewport) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetDefaultTextureColors(DWORD colors) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetDefaultTextureShades(DWORD shades) = 0;

protected:
    ~IDirect3DRM2() = default;
};
using LPDIRECT3DRM2 = IDirect3DRM2*;

HRESULT Direct3DRMCreate(LPDIRECT3DRM* direct3drm);

D3DVECTOR* D3DRMVectorCrossProduct(D3DVECTOR* destination, D3DVECTOR* first, D3DVECTOR* second);
D3DCOLOR D3DRMCreateColorRGB(D3DVALUE red, D3DVALUE green, D3DVALUE blue);
D3DCOLOR D3DRMCreateColorRGBA(D3DVALUE red, D3DVALUE green, D3DVALUE blue, D3DVALUE alpha);
D3DVALUE D3DRMColorGetRed(D3DCOLOR color);
D3DVALUE D3DRMColorGetGreen(D3DCOLOR color);
D3DVALUE D3DRMColorGetBlue(D3DCOLOR color);
D3DVALUE D3DRMColorGetAlpha(D3DCOLOR color);
