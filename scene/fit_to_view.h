#pragma once
// A user's car, of whatever size, wherever centred and facing whichever way, made to stand where
// the nine stand: nose along +x, length 9 units, centred on the turning axis, wheels on their
// ground line.

#include "retained/mesh_data.h"

// The nine's common stance, as the model generator makes them.
constexpr float FittedCarLength = 9.0f;
constexpr float FittedGroundY = -1.53f;  // the mean of the nine's lowest points
constexpr float FittedMaxHeight = 3.7f;  // the tallest of the nine

// Moves, turns and scales the mesh in place. A car read in the loaders' usual axes faces -z (a
// glTF car's +z), so it is turned to face +x; one whose length lies across after that is turned a
// quarter more, and one standing on its end (taller than it is long, as files made with z up are)
// is laid down first. Positions all alike are only moved.
void FitToView(varnoka::rm::MeshData& mesh);
