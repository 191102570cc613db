#pragma once
// Small numeric helpers shared by puzzles and movers.

// x x + y y + z z, summed in that order (no square root).
float Vector3LengthSquared(float x, float y, float z);
