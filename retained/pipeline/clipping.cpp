#include "retained/pipeline/clipping.h"

namespace varnoka::rm {
namespace {

float Mix(float a, float b, float t) { return a + (b - a) * t; }

ClipVertex Between(const ClipVertex& a, const ClipVertex& b, float t) {
    ClipVertex out;
    out.position = {Mix(a.position.x, b.position.x, t), Mix(a.position.y, b.position.y, t),
                    Mix(a.position.z, b.position.z, t), Mix(a.position.w, b.position.w, t)};
    out.u = Mix(a.u, b.u, t);
    out.v = Mix(a.v, b.v, t);
    out.color = {Mix(a.color.x, b.color.x, t), Mix(a.color.y, b.color.y, t), Mix(a.color.z, b.color.z, t)};
    return out;
}

}  // namespace

ClipVolume MakeClipVolume(const Projection& p) {
    const float x0 = static_cast<float>(p.rect.x);
    const float y0 = static_cast<float>(p.rect.y);
    return {p.front,
            p.back,
            x0 - GuardBandPixels,
            x0 + static_cast<float>(p.rect.width) + GuardBandPixels,
            y0 - GuardBandPixels,
            y0 + static_cast<float>(p.rect.height) + GuardBandPixels};
}

int ClipPolygon(ClipVertex* corners, int count, const ClipVolume& volume) {
    ClipVertex scratch[MaxClippedCorners];
    for (int plane = 0; plane < ClipPlaneCount && count > 0; ++plane) {
        int kept = 0;
        for (int i = 0; i < count; ++i) {
            const ClipVertex& a = corners[i];
            const ClipVertex& b = corners[(i + 1) % count];
            const float da = ClipDistance(a.position, plane, volume);
            const float db = ClipDistance(b.position, plane, volume);
            if (da >= 0) scratch[kept++] = a;
            if ((da >= 0) != (db >= 0) && kept < MaxClippedCorners) scratch[kept++] = Between(a, b, da / (da - db));
        }
        for (int i = 0; i < kept; ++i) corners[i] = scratch[i];
        count = kept >= 3 ? kept : 0;
    }
    return count;
}

bool ClipSegment(ClipVertex& a, ClipVertex& b, const ClipVolume& volume) {
    float enter = 0, leave = 1;
    for (int plane = 0; plane < ClipPlaneCount; ++plane) {
        const float da = ClipDistance(a.position, plane, volume);
        const float db = ClipDistance(b.position, plane, volume);
        if (!(da >= 0) && !(db >= 0)) return false;
        if (da < 0) enter = enter > da / (da - db) ? enter : da / (da - db);
        if (db < 0) leave = leave < da / (da - db) ? leave : da / (da - db);
    }
    if (enter > leave) return false;
    const ClipVertex start = Between(a, b, enter);
    const ClipVertex end = Between(a, b, leave);
    a = start;
    b = end;
    return true;
}

}  // namespace varnoka::rm
