#include "support/CoreSupport.h"

#include <cstdlib>

#include "Engine/TinyXmlExt/TinyXmlExt.h"
#include "Engine/rovovoz/Camera.h"
#include "Engine/zuzorev/RenderSystem.h"
#include "Engine/zuzorev/WindowSystem.h"

namespace testsupport {

void AddGameDataPaths(zorfile::CFileSystem& fs) {
  fs.InsertPath(L"Data\\Models", zorfile::kKindModels);
  fs.InsertPath(L"Data\\Textures", zorfile::kKindTextures);
  fs.InsertPath(L"Data", zorfile::kKindXml);
}

std::unique_ptr<rovovoz::CGameCore> MakeGameCore(zuzorev::EDeviceKind kind) {
  if (kind == zuzorev::EDeviceKind::GL) setenv("SDL_VIDEODRIVER", "offscreen", 1);
  zuzorev::SetDeviceKind(kind);
  auto core = std::make_unique<rovovoz::CGameCore>();
  zuzorev::SetDeviceKind(zuzorev::EDeviceKind::Headless);
  return core;
}

bool StartWindowAndRender(rovovoz::CGameCore& core, const wchar_t* title) {
  int full = 0;
  if (core.GetWindow()->Init(title, title, 101, 1024, 768, full, nullptr, nullptr) < 0) return false;
  zuzorev::SDevInitParams params;
  return core.GetRender()->Init(core.GetWindow(), params) >= 0;
}

Element::Element(const std::string& xml) { ParseXmlDocument(mDoc, xml); }

void Feed(zuzorev::CWindowSystem& window, std::initializer_list<zuzorev::SInputEvent> events) {
  for (const zuzorev::SInputEvent& e : events) window.GetEvents().Push(e);
  window.PeekMessageWindow();
}

void SetupGameCamera(rovovoz::CGameCore& core) {
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

}  // namespace testsupport
