#pragma once
// A headless game core over the sample game for the animation suites, with
// an animated-model manager and a frame begun so that draws are recorded.
#include <memory>
#include <string>

#include "Engine/TinyXmlExt/TinyXmlExt.h"
#include "Engine/rovovoz/AnimModelManager.h"
#include "render/RenderTestSupport.h"
#include "support/CoreSupport.h"

namespace animtest {

using testsupport::Element;

class AnimCore : public rendertest::Core {
 public:
  AnimCore() : rendertest::Core(zuzorev::EDeviceKind::Headless) {
    UseGameView();
    Get()->SetAnimModelManager(std::make_shared<rovovoz::CAnimModelManager>(Get()));
    Render().Begin();
  }
  rovovoz::CAnimModelManager& Anims() { return *Get()->GetAnimModelManager(); }
  // The last draw of a mesh in this frame; null when it was not drawn.
  const zuzorev::SDrawRecord* LastDrawOf(const std::wstring& mesh) {
    const auto& draws = Render().GetFrameDraws();
    for (auto it = draws.rbegin(); it != draws.rend(); ++it)
      if (it->mesh == mesh) return &*it;
    return nullptr;
  }
};

}  // namespace animtest
