#pragma once
// Plain values, constants and result codes of the retained-mode layer.

#include "retained/com_types.h"

using D3DVALUE = float;
using D3DCOLOR = DWORD;  // 0xAARRGGBB

struct D3DVECTOR {
    D3DVALUE x;
    D3DVALUE y;
    D3DVALUE z;
};
using LPD3DVECTOR = D3DVECTOR*;

struct D3DRMVECTOR4D {
    D3DVALUE x;
    D3DVALUE y;
    D3DVALUE z;
    D3DVALUE w;
};
using LPD3DRMVECTOR4D = D3DRMVECTOR4D*;

struct D3DRMPICKDESC {
    ULONG ulFaceIdx;
    LONG lGroupIdx;
    D3DVECTOR vPosition;
};
using LPD3DRMPICKDESC = D3DRMPICKDESC*;

// The enumerations hold any 32-bit value a caller passes, so that a method can refuse an unknown
// one rather than the program holding a value its type cannot have.
enum D3DRMLIGHTTYPE : int {
    D3DRMLIGHT_AMBIENT = 0,
    D3DRMLIGHT_POINT = 1,
    D3DRMLIGHT_SPOT = 2,
    D3DRMLIGHT_DIRECTIONAL = 3,
    D3DRMLIGHT_PARALLELPOINT = 4,
};

enum D3DRMFRAMECONSTRAINT : int {
    D3DRMCONSTRAIN_Z = 0,  // no roll
    D3DRMCONSTRAIN_Y = 1,  // no yaw
    D3DRMCONSTRAIN_X = 2,  // no pitch
};

enum D3DRMTEXTUREQUALITY : int {
    D3DRMTEXTURE_NEAREST = 0,
    D3DRMTEXTURE_LINEAR = 1,
};

using D3DRMRENDERQUALITY = DWORD;
constexpr DWORD D3DRMSHADE_FLAT = 0x000;
constexpr DWORD D3DRMSHADE_GOURAUD = 0x001;
constexpr DWORD D3DRMSHADE_PHONG = 0x002;
constexpr DWORD D3DRMSHADE_MASK = 0x007;
constexpr DWORD D3DRMLIGHT_OFF = 0x000;
constexpr DWORD D3DRMLIGHT_ON = 0x008;
constexpr DWORD D3DRMLIGHT_MASK = 0x018;
constexpr DWORD D3DRMFILL_POINTS = 0x000;
constexpr DWORD D3DRMFILL_WIREFRAME = 0x040;
constexpr DWORD D3DRMFILL_SOLID = 0x080;
constexpr DWORD D3DRMFILL_MASK = 0x1C0;
constexpr D3DRMRENDERQUALITY D3DRMRENDER_FLAT = D3DRMSHADE_FLAT | D3DRMLIGHT_ON | D3DRMFILL_SOLID;
constexpr D3DRMRENDERQUALITY D3DRMRENDER_GOURAUD = D3DRMSHADE_GOURAUD | D3DRMLIGHT_ON | D3DRMFILL_SOLID;

constexpr DWORD D3DRMRENDERMODE_BLENDEDTRANSPARENCY = 1;
constexpr DWORD D3DRMRENDERMODE_SORTEDTRANSPARENCY = 2;

using D3DRMLOADOPTIONS = DWORD;
constexpr D3DRMLOADOPTIONS D3DRMLOAD_FROMFILE = 0x00;

// DirectDraw render bit-depth flags, as found in a device description.
constexpr DWORD DDBD_1 = 0x4000;
constexpr DWORD DDBD_2 = 0x2000;
constexpr DWORD DDBD_4 = 0x1000;
constexpr DWORD DDBD_8 = 0x0800;
constexpr DWORD DDBD_16 = 0x0400;
constexpr DWORD DDBD_24 = 0x0200;
constexpr DWORD DDBD_32 = 0x0100;

constexpr HRESULT MakeDirectXError(unsigned code) { return static_cast<HRESULT>(0x88760000u + code); }

constexpr HRESULT D3DRM_OK = 0;
constexpr HRESULT DD_OK = 0;
constexpr HRESULT D3D_OK = 0;

constexpr HRESULT D3DRMERR_BADOBJECT = MakeDirectXError(781);
constexpr HRESULT D3DRMERR_BADTYPE = MakeDirectXError(782);
constexpr HRESULT D3DRMERR_BADALLOC = MakeDirectXError(783);
constexpr HRESULT D3DRMERR_FACEUSED = MakeDirectXError(784);
constexpr HRESULT D3DRMERR_NOTFOUND = MakeDirectXError(785);
constexpr HRESULT D3DRMERR_NOTDONEYET = MakeDirectXError(786);
constexpr HRESULT D3DRMERR_FILENOTFOUND = MakeDirectXError(787);
constexpr HRESULT D3DRMERR_BADFILE = MakeDirectXError(788);
constexpr HRESULT D3DRMERR_BADDEVICE = MakeDirectXError(789);
constexpr HRESULT D3DRMERR_BADVALUE = MakeDirectXError(790);
constexpr HRESULT D3DRMERR_BADMAJORVERSION = MakeDirectXError(791);
constexpr HRESULT D3DRMERR_BADMINORVERSION = MakeDirectXError(792);
constexpr HRESULT D3DRMERR_UNABLETOEXECUTE = MakeDirectXError(793);

constexpr HRESULT D3DERR_BADMAJORVERSION = MakeDirectXError(700);
constexpr HRESULT D3DERR_BADMINORVERSION = MakeDirectXError(701);
constexpr HRESULT D3DERR_TEXTURE_LOAD_FAILED = MakeDirectXError(725);

constexpr HRESULT DDERR_INVALIDOBJECT = MakeDirectXError(130);
constexpr HRESULT DDERR_NOTFOUND = MakeDirectXError(255);
constexpr HRESULT DDERR_INVALIDDIRECTDRAWGUID = MakeDirectXError(561);
constexpr HRESULT DDERR_NOHWND = MakeDirectXError(569);
constexpr HRESULT DDERR_HWNDALREADYSET = MakeDirectXError(571);
