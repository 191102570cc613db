#pragma once
// A headless game core over the sample game for the animation suites, with
// an animated-model manager and a frame begun so that draws are recorded.
#include <memory>
#include <string>

#include "Engine/TinyXmlExt/TinyXmlExt.h"
#include "Engine/rovovoz/AnimModelManager.h"
#include "render/RenderTestSupport.h"

namespace animtest {

class AnimCore {
 public:
  AnimCore() : mCore(zuzorev::EDeviceKind::Headless) {
    Render().GetRenderSetingsManager()->LoadSetingsFromXml(L"BaseSetings.xml", 1);
    mCore.SetupCamera();
    mCore.Get()->SetAnimModelManager(std::make_shared<rovovoz::CAnimModelManager>(mCore.Get()));
    Render().Begin();
  }
  rovovoz::CGameCore* Get() { return mCore.Get(); }
  zuzorev::CRenderSystem& Render() { return mCore.Render(); }
  rovovoz::CAnimModelManager& Anims() { return *mCore.Get()->GetAnimModelManager(); }
  // The last draw of a mesh in this frame; null when it was not drawn.
  const zuzorev::SDrawRecord* LastDrawOf(const std::wstring& mesh) {
    const auto& draws = Render().GetFrameDraws();
    for (auto it = draws.rbegin(); it != draws.rend(); ++it)
      if (it->mesh == mesh) return &*it;
    return nullptr;
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

}  // namespace animtest
