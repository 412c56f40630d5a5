#pragma once
// A stand-in for a shipped car: a textured, shiny ellipsoid of a chosen number of triangles.

#include "retained/mesh_data.h"

namespace bench {

// rings x segments quads, two triangles each; radii in model units.
varnoka::rm::MeshData Ellipsoid(int rings, int segments, varnoka::rm::Vec3 radii, IDirect3DRMTexture* texture);

// A 256 x 256 texture of coloured stripes and a grid; null when it cannot be made.
IDirect3DRMTexture* StripedTexture();

}  // namespace bench
