#include "Engine/rovovoz/GameLight.h"

#include "Engine/rovovoz/GameCore.h"
#include "Engine/zuzorev/RenderSystem.h"

namespace rovovoz {

void CGameLight::Enable(int on) {
  mEnabled = on != 0;
  zuzorev::CRenderSystem* render = mCore ? mCore->GetRender() : nullptr;
  if (!render) return;
  zuzorev::SLight light;
  light.enabled = mEnabled;
  light.diffuse = mDiffuse;
  light.ambient = mAmbient;
  render->SetLight(light);
}

}  // namespace rovovoz
