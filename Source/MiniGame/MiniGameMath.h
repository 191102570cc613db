#pragma once
// Small numeric helpers shared by puzzles and movers.
#include "Engine/zormath/Math.h"

// x x + y y + z z, summed in that order (no square root).
float Vector3LengthSquared(float x, float y, float z);

// x rounded to the nearest whole number, halves toward zero (2.5 -> 2,
// -2.5 -> -2). Defined for values whose whole part fits 32 bits.
float RoundToNearest(float x);

// Turns the triple about the y axis by the angle (radians); x-z turn
// counter-clockwise seen from above, y stays. An angle of 0 changes nothing.
void Vector3RotateY(zormath::Vec3f& v, float angle);

// Eases 0..1 in and out: (1 - cos(t pi)) / 2.
float CosineEase(float t);
