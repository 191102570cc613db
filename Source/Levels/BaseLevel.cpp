#include "Levels/BaseLevel.h"

CBaseLevel::CBaseLevel() = default;

CBaseLevel::~CBaseLevel() = default;
