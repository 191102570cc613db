// Any bytes as a particle emitter list and as a particle effect over the
// sample game's emitters; the effect is then run for a few frames.
#include <memory>

#include "Engine/RerivuzoZurodo/ParticleEffect.h"
#include "Engine/rovovoz/GameCore.h"
#include "Engine/rovovoz/ParticleStateManager.h"
#include "Engine/zuzorev/Device.h"
#include "FuzzSupport.h"
#include "Platform/Random.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzzsupport::SetUp();
  static std::unique_ptr<rovovoz::CGameCore> core = [] {
    zuzorev::SetDeviceKind(zuzorev::EDeviceKind::Headless);
    auto made = std::make_unique<rovovoz::CGameCore>();
    auto states = std::make_shared<rovovoz::CParticleStateManager>();
    states->LoadEmiters(L"Data\\Particles\\Emiters.xml");
    made->SetParticleStateManager(states);
    return made;
  }();
  Platform::SeedRandom(7);
  const std::wstring file = fuzzsupport::WriteInput(data, size, "particles.xml");

  rovovoz::CParticleStateManager emiters;
  emiters.LoadEmiters(file);

  RerivuzoZurodo::CParticleEffect effect(core.get());
  if (effect.LoadEffect(file, 0, nullptr, 11) == 1)
    for (int frame = 0; frame < 8 && !effect.IsEffectWorkEnd(); ++frame) effect.Update(1.0f / 32.0f, nullptr);
  effect.Release(0);
  return 0;
}
