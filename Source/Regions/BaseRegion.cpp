#include "Regions/BaseRegion.h"

CBaseRegion::CBaseRegion() = default;

CBaseRegion::~CBaseRegion() = default;
