#include "scene/error_text.h"

#include <algorithm>

#include "retained/d3drm_types.h"

namespace {

constexpr const char* OutOfMemoryText = "DirectDraw does not have enough memory to perform the operation.";
constexpr const char* UnrecognizedText = "Unrecognized error value.";

// Codes the engine never returns, so its headers leave them unnamed.
constexpr HRESULT DDERR_ALREADYINITIALIZED = MakeDirectXError(5);
constexpr HRESULT DDERR_CANNOTATTACHSURFACE = MakeDirectXError(10);
constexpr HRESULT DDERR_CANNOTDETACHSURFACE = MakeDirectXError(20);
constexpr HRESULT DDERR_CURRENTLYNOTAVAIL = MakeDirectXError(40);
constexpr HRESULT DDERR_EXCEPTION = MakeDirectXError(55);
constexpr HRESULT DDERR_HEIGHTALIGN = MakeDirectXError(90);
constexpr HRESULT DDERR_INCOMPATIBLEPRIMARY = MakeDirectXError(95);
constexpr HRESULT DDERR_INVALIDCAPS = MakeDirectXError(100);
constexpr HRESULT DDERR_INVALIDCLIPLIST = MakeDirectXError(110);
constexpr HRESULT DDERR_INVALIDMODE = MakeDirectXError(120);
constexpr HRESULT DDERR_INVALIDPIXELFORMAT = MakeDirectXError(145);
constexpr HRESULT DDERR_INVALIDRECT = MakeDirectXError(150);
constexpr HRESULT DDERR_LOCKEDSURFACES = MakeDirectXError(160);
constexpr HRESULT DDERR_NO3D = MakeDirectXError(170);
constexpr HRESULT DDERR_NOALPHAHW = MakeDirectXError(180);
constexpr HRESULT DDERR_NOCLIPLIST = MakeDirectXError(205);
constexpr HRESULT DDERR_NOCOLORCONVHW = MakeDirectXError(210);
constexpr HRESULT DDERR_NOCOOPERATIVELEVELSET = MakeDirectXError(212);
constexpr HRESULT DDERR_NOCOLORKEY = MakeDirectXError(215);
constexpr HRESULT DDERR_NOCOLORKEYHW = MakeDirectXError(220);
constexpr HRESULT DDERR_NOEXCLUSIVEMODE = MakeDirectXError(225);
constexpr HRESULT DDERR_NOFLIPHW = MakeDirectXError(230);
constexpr HRESULT DDERR_NOGDI = MakeDirectXError(240);
constexpr HRESULT DDERR_NOMIRRORHW = MakeDirectXError(250);
constexpr HRESULT DDERR_NOOVERLAYHW = MakeDirectXError(260);
constexpr HRESULT DDERR_NORASTEROPHW = MakeDirectXError(280);
constexpr HRESULT DDERR_NOROTATIONHW = MakeDirectXError(290);
constexpr HRESULT DDERR_NOSTRETCHHW = MakeDirectXError(310);
constexpr HRESULT DDERR_NOT4BITCOLOR = MakeDirectXError(316);
constexpr HRESULT DDERR_NOT4BITCOLORINDEX = MakeDirectXError(317);
constexpr HRESULT DDERR_NOT8BITCOLOR = MakeDirectXError(320);
constexpr HRESULT DDERR_NOTEXTUREHW = MakeDirectXError(330);
constexpr HRESULT DDERR_NOVSYNCHW = MakeDirectXError(335);
constexpr HRESULT DDERR_NOZBUFFERHW = MakeDirectXError(340);
constexpr HRESULT DDERR_NOZOVERLAYHW = MakeDirectXError(350);
constexpr HRESULT DDERR_OUTOFCAPS = MakeDirectXError(360);
constexpr HRESULT DDERR_OUTOFVIDEOMEMORY = MakeDirectXError(380);
constexpr HRESULT DDERR_OVERLAYCANTCLIP = MakeDirectXError(382);
constexpr HRESULT DDERR_OVERLAYCOLORKEYONLYONEACTIVE = MakeDirectXError(384);
constexpr HRESULT DDERR_PALETTEBUSY = MakeDirectXError(387);
constexpr HRESULT DDERR_COLORKEYNOTSET = MakeDirectXError(400);
constexpr HRESULT DDERR_SURFACEALREADYATTACHED = MakeDirectXError(410);
constexpr HRESULT DDERR_SURFACEALREADYDEPENDENT = MakeDirectXError(420);
constexpr HRESULT DDERR_SURFACEBUSY = MakeDirectXError(430);
constexpr HRESULT DDERR_SURFACEISOBSCURED = MakeDirectXError(440);
constexpr HRESULT DDERR_SURFACELOST = MakeDirectXError(450);
constexpr HRESULT DDERR_SURFACENOTATTACHED = MakeDirectXError(460);
constexpr HRESULT DDERR_TOOBIGHEIGHT = MakeDirectXError(470);
constexpr HRESULT DDERR_TOOBIGSIZE = MakeDirectXError(480);
constexpr HRESULT DDERR_TOOBIGWIDTH = MakeDirectXError(490);
constexpr HRESULT DDERR_UNSUPPORTEDFORMAT = MakeDirectXError(510);
constexpr HRESULT DDERR_UNSUPPORTEDMASK = MakeDirectXError(520);
constexpr HRESULT DDERR_VERTICALBLANKINPROGRESS = MakeDirectXError(537);
constexpr HRESULT DDERR_WASSTILLDRAWING = MakeDirectXError(540);
constexpr HRESULT DDERR_XALIGN = MakeDirectXError(560);
constexpr HRESULT DDERR_DIRECTDRAWALREADYCREATED = MakeDirectXError(562);
constexpr HRESULT DDERR_NODIRECTDRAWHW = MakeDirectXError(563);
constexpr HRESULT DDERR_PRIMARYSURFACEALREADYEXISTS = MakeDirectXError(564);
constexpr HRESULT DDERR_NOEMULATION = MakeDirectXError(565);
constexpr HRESULT DDERR_REGIONTOOSMALL = MakeDirectXError(566);
constexpr HRESULT DDERR_CLIPPERISUSINGHWND = MakeDirectXError(567);
constexpr HRESULT DDERR_NOCLIPPERATTACHED = MakeDirectXError(568);
constexpr HRESULT DDERR_HWNDSUBCLASSED = MakeDirectXError(570);
constexpr HRESULT DDERR_NOPALETTEATTACHED = MakeDirectXError(572);
constexpr HRESULT DDERR_NOPALETTEHW = MakeDirectXError(573);
constexpr HRESULT DDERR_BLTFASTCANTCLIP = MakeDirectXError(574);
constexpr HRESULT DDERR_NOBLTHW = MakeDirectXError(575);
constexpr HRESULT DDERR_NODDROPSHW = MakeDirectXError(576);
constexpr HRESULT DDERR_OVERLAYNOTVISIBLE = MakeDirectXError(577);
constexpr HRESULT DDERR_NOOVERLAYDEST = MakeDirectXError(578);
constexpr HRESULT DDERR_INVALIDPOSITION = MakeDirectXError(579);
constexpr HRESULT DDERR_NOTAOVERLAYSURFACE = MakeDirectXError(580);
constexpr HRESULT DDERR_EXCLUSIVEMODEALREADYSET = MakeDirectXError(581);
constexpr HRESULT DDERR_NOTFLIPPABLE = MakeDirectXError(582);
constexpr HRESULT DDERR_CANTDUPLICATE = MakeDirectXError(583);
constexpr HRESULT DDERR_NOTLOCKED = MakeDirectXError(584);
constexpr HRESULT DDERR_CANTCREATEDC = MakeDirectXError(585);
constexpr HRESULT DDERR_NODC = MakeDirectXError(586);
constexpr HRESULT DDERR_WRONGMODE = MakeDirectXError(587);
constexpr HRESULT DDERR_IMPLICITLYCREATED = MakeDirectXError(588);
constexpr HRESULT DDERR_NOTPALETTIZED = MakeDirectXError(589);
constexpr HRESULT D3DERR_EXECUTE_CREATE_FAILED = MakeDirectXError(710);
constexpr HRESULT D3DERR_EXECUTE_DESTROY_FAILED = MakeDirectXError(711);
constexpr HRESULT D3DERR_EXECUTE_LOCK_FAILED = MakeDirectXError(712);
constexpr HRESULT D3DERR_EXECUTE_UNLOCK_FAILED = MakeDirectXError(713);
constexpr HRESULT D3DERR_EXECUTE_LOCKED = MakeDirectXError(714);
constexpr HRESULT D3DERR_EXECUTE_NOT_LOCKED = MakeDirectXError(715);
constexpr HRESULT D3DERR_EXECUTE_FAILED = MakeDirectXError(716);
constexpr HRESULT D3DERR_EXECUTE_CLIPPED_FAILED = MakeDirectXError(717);
constexpr HRESULT D3DERR_TEXTURE_NO_SUPPORT = MakeDirectXError(720);
constexpr HRESULT D3DERR_TEXTURE_CREATE_FAILED = MakeDirectXError(721);
constexpr HRESULT D3DERR_TEXTURE_DESTROY_FAILED = MakeDirectXError(722);
constexpr HRESULT D3DERR_TEXTURE_LOCK_FAILED = MakeDirectXError(723);
constexpr HRESULT D3DERR_TEXTURE_UNLOCK_FAILED = MakeDirectXError(724);
constexpr HRESULT D3DERR_TEXTURELOCKED = MakeDirectXError(727);
constexpr HRESULT D3DERR_TEXTURE_NOT_LOCKED = MakeDirectXError(728);
constexpr HRESULT D3DERR_MATRIX_CREATE_FAILED = MakeDirectXError(730);
constexpr HRESULT D3DERR_MATRIX_DESTROY_FAILED = MakeDirectXError(731);
constexpr HRESULT D3DERR_MATRIX_SETDATA_FAILED = MakeDirectXError(732);
constexpr HRESULT D3DERR_SETVIEWPORTDATA_FAILED = MakeDirectXError(734);
constexpr HRESULT D3DERR_MATERIAL_CREATE_FAILED = MakeDirectXError(740);
constexpr HRESULT D3DERR_MATERIAL_DESTROY_FAILED = MakeDirectXError(741);
constexpr HRESULT D3DERR_MATERIAL_SETDATA_FAILED = MakeDirectXError(742);
constexpr HRESULT D3DERR_LIGHT_SET_FAILED = MakeDirectXError(750);

// HRESULT is signed; the table keeps the success code first and the failure codes after it.
uint32_t SortKey(HRESULT code) { return static_cast<uint32_t>(code); }

}  // namespace

const ErrorTextEntry ErrorTexts[ErrorTextCount] = {
    {D3DRM_OK, "No error."},
    {E_NOTIMPL, "Action not supported."},
    {E_FAIL, "Generic failure."},
    {E_OUTOFMEMORY, OutOfMemoryText},
    {E_INVALIDARG, "One or more of the parameters passed to the function are incorrect."},

    {DDERR_ALREADYINITIALIZED, "The object has already been initialized."},
    {DDERR_CANNOTATTACHSURFACE, "The surface cannot be attached to the requested surface."},
    {DDERR_CANNOTDETACHSURFACE, "The surface cannot be detached from the requested surface."},
    {DDERR_CURRENTLYNOTAVAIL, "Support for this operation is not currently available."},
    {DDERR_EXCEPTION, "An exception was raised while the operation was being carried out."},
    {DDERR_HEIGHTALIGN, "The height of the rectangle is not a multiple of the required alignment."},
    {DDERR_INCOMPATIBLEPRIMARY,
     "The requested primary surface does not match the primary surface that already exists."},
    {DDERR_INVALIDCAPS, "One or more of the capability bits passed to the function are incorrect."},
    {DDERR_INVALIDCLIPLIST, "DirectDraw does not support the clip list provided."},
    {DDERR_INVALIDMODE, "DirectDraw does not support the requested display mode."},
    {DDERR_INVALIDOBJECT, "DirectDraw received a pointer to an invalid DirectDraw object."},
    {DDERR_INVALIDPIXELFORMAT, "The pixel format given is not valid."},
    {DDERR_INVALIDRECT, "The rectangle given is not valid."},
    {DDERR_LOCKEDSURFACES, "The operation cannot proceed because one or more surfaces are locked."},
    {DDERR_NO3D, "No 3D hardware or emulation is present."},
    {DDERR_NOALPHAHW, "No alpha blending hardware is present or available."},
    {DDERR_NOCLIPLIST, "No clip list is available."},
    {DDERR_NOCOLORCONVHW, "No color conversion hardware is present or available."},
    {DDERR_NOCOOPERATIVELEVELSET, "The operation needs a cooperative level, but none has been set."},
    {DDERR_NOCOLORKEY, "Surface doesn't currently have a color key"},
    {DDERR_NOCOLORKEYHW, "No hardware support for the destination color key is present or available."},
    {DDERR_NOEXCLUSIVEMODE, "The operation needs exclusive mode, but the application does not have it."},
    {DDERR_NOFLIPHW, "The hardware cannot flip visible surfaces."},
    {DDERR_NOGDI, "No GDI is present."},
    {DDERR_NOMIRRORHW, "Operation could not be carried out because there is no hardware present or available."},
    {DDERR_NOTFOUND, "The requested item was not found."},
    {DDERR_NOOVERLAYHW, "No overlay hardware is present or available."},
    {DDERR_NORASTEROPHW, "No hardware support for the requested raster operation is present or available."},
    {DDERR_NOROTATIONHW, "No rotation hardware is present or available."},
    {DDERR_NOSTRETCHHW, "No stretching hardware is present or available."},
    {DDERR_NOT4BITCOLOR, "The operation needs a surface with a 4-bit color palette."},
    {DDERR_NOT4BITCOLORINDEX, "The operation needs a surface with a 4-bit color index palette."},
    {DDERR_NOT8BITCOLOR, "The operation needs a surface with an 8-bit color palette."},
    {DDERR_NOTEXTUREHW, "No texture mapping hardware is present or available."},
    {DDERR_NOVSYNCHW, "No hardware support for vertical blank synchronization is present or available."},
    {DDERR_NOZBUFFERHW, "No z-buffer hardware is present or available."},
    {DDERR_NOZOVERLAYHW, "The hardware cannot order overlays by depth."},
    {DDERR_OUTOFCAPS, "The hardware the operation needs has already been allocated."},
    {DDERR_OUTOFVIDEOMEMORY, OutOfMemoryText},
    {DDERR_OVERLAYCANTCLIP, "The hardware cannot clip an overlay."},
    {DDERR_OVERLAYCOLORKEYONLYONEACTIVE, "Only one color key can be active on an overlay at a time."},
    {DDERR_PALETTEBUSY, "The palette is locked by another thread, so access to it is refused."},
    {DDERR_COLORKEYNOTSET, "No source color key has been set for the operation."},
    {DDERR_SURFACEALREADYATTACHED, "The surface is already attached to the surface it was to be attached to."},
    {DDERR_SURFACEALREADYDEPENDENT, "The surface already depends on the surface it was to be made dependent on."},
    {DDERR_SURFACEBUSY, "The surface is locked by another thread, so access to it is refused."},
    {DDERR_SURFACEISOBSCURED, "The surface is obscured, so access to it is refused."},
    {DDERR_SURFACELOST,
     "Access to this surface is being refused because the surface memory is gone. The DirectDrawSurface object "
     "representing this surface should have Restore called on it."},
    {DDERR_SURFACENOTATTACHED, "The requested surface is not attached."},
    {DDERR_TOOBIGHEIGHT, "The requested height is too large."},
    {DDERR_TOOBIGSIZE, "The requested size is too large."},
    {DDERR_TOOBIGWIDTH, "The requested width is too large."},
    {DDERR_UNSUPPORTEDFORMAT, "The requested surface format is not supported."},
    {DDERR_UNSUPPORTEDMASK, "The bit mask in the pixel format is not supported."},
    {DDERR_VERTICALBLANKINPROGRESS, "A vertical blank is in progress."},
    {DDERR_WASSTILLDRAWING, "A blit to or from this surface is still in progress."},
    {DDERR_XALIGN, "The rectangle's horizontal position is not on the required alignment boundary."},
    {DDERR_INVALIDDIRECTDRAWGUID, "The GUID given to DirectDrawCreate does not identify a valid driver."},
    {DDERR_DIRECTDRAWALREADYCREATED, "A DirectDraw object for this driver has already been created in this process."},
    {DDERR_NODIRECTDRAWHW,
     "A hardware-only DirectDraw object cannot be created because the driver has no hardware support."},
    {DDERR_PRIMARYSURFACEALREADYEXISTS, "This process has already created a primary surface."},
    {DDERR_NOEMULATION, "Software emulation is not available."},
    {DDERR_REGIONTOOSMALL, "The buffer given for the clip list is too small."},
    {DDERR_CLIPPERISUSINGHWND, "A clip list cannot be set because the clipper is already following a window."},
    {DDERR_NOCLIPPERATTACHED, "No clipper is attached to the surface."},
    {DDERR_NOHWND, "The operation needs a window, and none has been set for the clipper or the cooperative level."},
    {DDERR_HWNDSUBCLASSED,
     "DirectDraw cannot restore its state because the cooperative level window has been subclassed."},
    {DDERR_HWNDALREADYSET, "The cooperative level window cannot be changed while surfaces or palettes exist."},
    {DDERR_NOPALETTEATTACHED, "No palette is attached to the surface."},
    {DDERR_NOPALETTEHW, "No hardware support for 16- or 256-color palettes is present."},
    {DDERR_BLTFASTCANTCLIP, "BltFast cannot be used on a surface that has a clipper attached."},
    {DDERR_NOBLTHW, "No blitter hardware is present."},
    {DDERR_NODDROPSHW, "No DirectDraw raster operation hardware is present."},
    {DDERR_OVERLAYNOTVISIBLE, "The position of a hidden overlay was requested."},
    {DDERR_NOOVERLAYDEST, "The overlay's position was requested before its destination was set."},
    {DDERR_INVALIDPOSITION, "The overlay's position on the destination surface is no longer valid."},
    {DDERR_NOTAOVERLAYSURFACE, "An overlay operation was attempted on a surface that is not an overlay."},
    {DDERR_EXCLUSIVEMODEALREADYSET, "Another application already has exclusive mode."},
    {DDERR_NOTFLIPPABLE, "The surface cannot be flipped."},
    {DDERR_CANTDUPLICATE, "Primary, 3D and implicitly created surfaces cannot be duplicated."},
    {DDERR_NOTLOCKED, "The surface was unlocked without having been locked."},
    {DDERR_CANTCREATEDC, "Windows cannot create a device context for the surface."},
    {DDERR_NODC, "No device context has been created for the surface."},
    {DDERR_WRONGMODE, "The surface was created in another display mode and cannot be restored."},
    {DDERR_IMPLICITLYCREATED, "The surface was created together with another and cannot be restored on its own."},
    {DDERR_NOTPALETTIZED, "The surface does not use a palette."},

    {D3DERR_BADMAJORVERSION, "D3DERR_BADMAJORVERSION"},
    {D3DERR_BADMINORVERSION, "D3DERR_BADMINORVERSION"},
    {D3DERR_EXECUTE_CREATE_FAILED, "D3DERR_EXECUTE_CREATE_FAILED"},
    {D3DERR_EXECUTE_DESTROY_FAILED, "D3DERR_EXECUTE_DESTROY_FAILED"},
    {D3DERR_EXECUTE_LOCK_FAILED, "D3DERR_EXECUTE_LOCK_FAILED"},
    {D3DERR_EXECUTE_UNLOCK_FAILED, "D3DERR_EXECUTE_UNLOCK_FAILED"},
    {D3DERR_EXECUTE_LOCKED, "D3DERR_EXECUTE_LOCKED"},
    {D3DERR_EXECUTE_NOT_LOCKED, "D3DERR_EXECUTE_NOT_LOCKED"},
    {D3DERR_EXECUTE_FAILED, "D3DERR_EXECUTE_FAILED"},
    {D3DERR_EXECUTE_CLIPPED_FAILED, "D3DERR_EXECUTE_CLIPPED_FAILED"},
    {D3DERR_TEXTURE_NO_SUPPORT, "D3DERR_TEXTURE_NO_SUPPORT"},
    {D3DERR_TEXTURE_CREATE_FAILED, "D3DERR_TEXTURE_CREATE_FAILED"},
    {D3DERR_TEXTURE_DESTROY_FAILED, "D3DERR_TEXTURE_DESTROY_FAILED"},
    {D3DERR_TEXTURE_LOCK_FAILED, "D3DERR_TEXTURE_LOCK_FAILED"},
    {D3DERR_TEXTURE_UNLOCK_FAILED, "D3DERR_TEXTURE_UNLOCK_FAILED"},
    {D3DERR_TEXTURE_LOAD_FAILED, "D3DERR_TEXTURE_LOAD_FAILED"},
    {D3DERR_TEXTURELOCKED, "D3DERR_TEXTURELOCKED"},
    {D3DERR_TEXTURE_NOT_LOCKED, "D3DERR_TEXTURE_NOT_LOCKED"},
    {D3DERR_MATRIX_CREATE_FAILED, "D3DERR_MATRIX_CREATE_FAILED"},
    {D3DERR_MATRIX_DESTROY_FAILED, "D3DERR_MATRIX_DESTROY_FAILED"},
    {D3DERR_MATRIX_SETDATA_FAILED, "D3DERR_MATRIX_SETDATA_FAILED"},
    {D3DERR_SETVIEWPORTDATA_FAILED, "D3DERR_SETVIEWPORTDATA_FAILED"},
    {D3DERR_MATERIAL_CREATE_FAILED, "D3DERR_MATERIAL_CREATE_FAILED"},
    {D3DERR_MATERIAL_DESTROY_FAILED, "D3DERR_MATERIAL_DESTROY_FAILED"},
    {D3DERR_MATERIAL_SETDATA_FAILED, "D3DERR_MATERIAL_SETDATA_FAILED"},
    {D3DERR_LIGHT_SET_FAILED, "D3DERR_LIGHT_SET_FAILED"},

    {D3DRMERR_BADOBJECT, "D3DRMERR_BADOBJECT"},
    {D3DRMERR_BADTYPE, "D3DRMERR_BADTYPE"},
    {D3DRMERR_BADALLOC, "D3DRMERR_BADALLOC"},
    {D3DRMERR_FACEUSED, "D3DRMERR_FACEUSED"},
    {D3DRMERR_NOTFOUND, "D3DRMERR_NOTFOUND"},
    {D3DRMERR_NOTDONEYET, "D3DRMERR_NOTDONEYET"},
    {D3DRMERR_FILENOTFOUND, "The file was not found."},
    {D3DRMERR_BADFILE, "D3DRMERR_BADFILE"},
    {D3DRMERR_BADDEVICE, "D3DRMERR_BADDEVICE"},
    {D3DRMERR_BADVALUE, "D3DRMERR_BADVALUE"},
    {D3DRMERR_BADMAJORVERSION, "D3DRMERR_BADMAJORVERSION"},
    {D3DRMERR_BADMINORVERSION, "D3DRMERR_BADMINORVERSION"},
    {D3DRMERR_UNABLETOEXECUTE, "D3DRMERR_UNABLETOEXECUTE"},
};

const char* ErrorText(HRESULT code) {
    const ErrorTextEntry* end = ErrorTexts + ErrorTextCount;
    const ErrorTextEntry* found = std::lower_bound(
        ErrorTexts, end, code, [](const ErrorTextEntry& entry, HRESULT c) { return SortKey(entry.code) < SortKey(c); });
    return found != end && found->code == code ? found->text : UnrecognizedText;
}
