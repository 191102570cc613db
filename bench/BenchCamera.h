#pragma once
// The game's camera over the 1024 x 768 virtual screen, as the benchmarks
// draw their scenes in the scene's own space.
#include "Engine/rovovoz/Camera.h"
#include "Engine/rovovoz/GameCore.h"
#include "Engine/zuzorev/RenderSystem.h"

namespace bench {

inline void SetupGameCamera(rovovoz::CGameCore& core) {
  zuzorev::CRenderSystem& render = *core.GetRender();
  rovovoz::CCamera camera(&core);
  camera.SetProjectionType(0);
  camera.SetFovX(1024.0f);
  camera.SetFovY(768.0f);
  camera.SetWideKoef(render.GetWideKoefX(), render.GetWideKoefY());
  camera.SetFarDist(1110.0f);
  camera.SetNearDist(0.1f);
  camera.SetPosition(0, 1010, 0);
  camera.SetDirection(zormath::Vec3f(0, -1, 0), zormath::Vec3f(0, 0, 1));
  camera.Update(0.0f, nullptr);
  render.SetTransform(zuzorev::kTransformView, camera.GetViewMatrix());
  render.SetTransform(zuzorev::kTransformProjection, camera.GetProjectionMatrix(1));
}

}  // namespace bench
