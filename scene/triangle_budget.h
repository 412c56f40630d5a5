#pragma once
// A user's car drawn with no more triangles than the saver can afford at every frame. Ours have
// about 12,000; a car from a model site may have ten times as many, far more than a screen shows.

#include <cstddef>

#include "retained/mesh_data.h"

// What an own car may cost: a little more than the most detailed of the nine.
constexpr std::size_t OwnCarTriangleBudget = 20000;

// Leaves a mesh of at most `maxTriangles` triangles as it is. A larger one is made coarser by
// clustering its vertices in a grid, as fine as the budget allows: the vertices of a cell become
// one at their mean, triangles left without area go, the rest keep their corners' normals and
// materials. Vertices with texture coordinates far apart stay apart, so seams keep their texture.
// No face is dropped to meet the budget: a mesh that even the coarsest grid leaves above it (a
// texture cut into very many pieces) keeps what that grid leaves.
// Faces of more than three corners count as the triangles they are drawn as.
void KeepWithinTriangleBudget(varnoka::rm::MeshData& mesh, std::size_t maxTriangles);
