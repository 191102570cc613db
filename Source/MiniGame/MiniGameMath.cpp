#include "MiniGame/MiniGameMath.h"

float Vector3LengthSquared(float x, float y, float z) { return (x * x + y * y) + z * z; }
