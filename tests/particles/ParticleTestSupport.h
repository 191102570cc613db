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

namespace particletest {

class ParticleCore {
 public:
  ParticleCore() : mCore(zuzorev::EDeviceKind::Headless) {
    Platform::SeedRandom(7);
    Render().GetRenderSetingsManager()->LoadSetingsFromXml(L"BaseSetings.xml", 1);
    mCore.SetupCamera();
    auto states = std::make_shared<rovovoz::CParticleStateManager>();
    states->LoadEmiters(L"Data\\Particles\\Emiters.xml");
    mCore.Get()->SetParticleStateManager(states);
    Render().Begin();
  }
  rovovoz::CGameCore* Get() { return mCore.Get(); }
  zuzorev::CRenderSystem& Render() { return mCore.Render(); }
  rovovoz::CParticleStateManager& States() { return *mCore.Get()->GetParticleStateManager(); }
  const std::vector<zuzorev::SVertex>& LastVertices() {
    return dynamic_cast<zuzorev::CDeviceHeadless*>(Render().GetDevice())->LastVertices();
  }

 private:
  rendertest::Core mCore;
};

// An element parsed from text, kept alive with its document.
class Element {
 public:
  explicit Element(const std::string& xml) { ParseXmlDocument(mDoc, xml); }
  const TiXmlElement* Get() const { return mDoc.RootElement(); }

 private:
  TiXmlDocument mDoc;
};

}  // namespace particletest
