#pragma once
// A headless game core over the sample game for the particle suites: render
// settings, the game's camera, a particle-state manager with the sample
// emitter list, and a frame begun so that draws are recorded.
#include <memory>
#include <string>

#include "Engine/TinyXmlExt/TinyXmlExt.h"
#include "Engine/rovovoz/ParticleStateManager.h"
#include "Engine/zuzorev/DeviceHeadless.h"
#include "Platform/Random.h"
#include "render/RenderTestSupport.h"
#include "support/CoreSupport.h"

namespace particletest {

using testsupport::Element;

class ParticleCore : public rendertest::Core {
 public:
  ParticleCore() : rendertest::Core(zuzorev::EDeviceKind::Headless) {
    Platform::SeedRandom(7);
    UseGameView();
    auto states = std::make_shared<rovovoz::CParticleStateManager>();
    states->LoadEmiters(L"Data\\Particles\\Emiters.xml");
    Get()->SetParticleStateManager(states);
    Render().Begin();
  }
  rovovoz::CParticleStateManager& States() { return *Get()->GetParticleStateManager(); }
  const std::vector<zuzorev::SVertex>& LastVertices() {
    return dynamic_cast<zuzorev::CDeviceHeadless*>(Render().GetDevice())->LastVertices();
  }
};

}  // namespace particletest
