#include "Engine/rovovoz/Core.h"

#include "Engine/zorsound/SoundSystem.h"

namespace rovovoz {

CCore::CCore() : mSound(std::make_unique<zorsound::CSoundSystem>()) {}
CCore::~CCore() = default;

}  // namespace rovovoz
