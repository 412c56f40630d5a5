#pragma once
// Lighting of one point of a face: ambient and directional lights on the material's face colour,
// its emissive colour, and highlights of its specular colour and power.

#include "retained/compiled_mesh.h"
#include "retained/pipeline/scene_gather.h"

namespace varnoka::rm {

enum class ColorModel { Rgb, Mono };

// In the RGB model the lit colour; in the mono model the light's intensity (light colours count
// only by their brightness) in all three channels, which the face colour's ramp then turns into
// a colour. Without lighting, the face colour, or full intensity.
Vec3 LightPoint(const CompiledMaterial& material, Vec3 position, Vec3 normal, const LightSet& lights, ColorModel model,
                bool lightingOn);

}  // namespace varnoka::rm
