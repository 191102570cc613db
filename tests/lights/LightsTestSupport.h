#pragma once
// Helpers of the light-effect suite: a game core over the light fixtures (a
// model file with one quad per mesh, point sets beside it, a crackle and a
// thunder in the sound list) and the fixture scene naming every light effect.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Engine/rovovoz/GameSoundSystem.h"
#include "Engine/zorfile/FileSystem.h"
#include "effects/EffectsTestSupport.h"

namespace lightstest {

inline std::filesystem::path Fixtures() { return testsupport::FixturesDir() / "lights"; }

class LightsCore : public effectstest::EffectsCore {
 public:
  explicit LightsCore(zuzorev::EDeviceKind kind = zuzorev::EDeviceKind::Headless)
      : effectstest::EffectsCore(kind, Fixtures()) {
    Get()->GetFileSystem()->InsertPath(L"Data\\Sounds", zorfile::kKindSounds);
    Get()->GetSound()->LoadSoundList(L"DataLoc\\Sounds\\Sounds.xml", nullptr);
  }
  int Starts(const std::wstring& sound) { return Get()->GetSound()->GetStartCount(sound); }
};

// Entries of Data\Level\Lights.xml.
enum EEntry { kSpark1 = 0, kSpark2, kSpark3, kGlow, kRays, kSky, kBolt, kWall, kBlik, kLeaf1 };

inline std::unique_ptr<scenetest::CTestBack> LoadLightsScene() {
  return scenetest::LoadScene(L"Data\\Level\\Lights.xml", L"Lights");
}

// One object of a class loaded from a Properties element written as text,
// with the fixture model file.
template <class T>
std::unique_ptr<T> LoadObject(LightsCore& core, const std::string& properties, int32_t* result = nullptr) {
  auto object = std::make_unique<T>(core.Get());
  testsupport::Element element(properties);
  const int32_t got = object->Load(element.Get(), L"Lights.zorm", 0);
  if (result) *result = got;
  return object;
}

// The mesh names of the draws of the frame so far, in order.
inline std::vector<std::wstring> DrawnMeshes(zuzorev::CRenderSystem& render) {
  std::vector<std::wstring> meshes;
  for (const zuzorev::SDrawRecord& draw : render.GetFrameDraws()) meshes.push_back(draw.mesh);
  return meshes;
}

// A fresh frame on the headless device: the draws recorded from here on.
inline void BeginFrame(zuzorev::CRenderSystem& render) {
  render.Clear();
  render.Begin();
}

}  // namespace lightstest
