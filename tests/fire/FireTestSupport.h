#pragma once
// Helpers of the fire suite: a game core over the fire fixtures (a hearth,
// a wide grate, two torches and a grey back in Fire.zorm; white, grey,
// strip and palette pictures), objects loaded from Properties written as
// text, and the vertices a particle system wrote.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "Engine/zuzorev/VertexBuffer.h"
#include "Objects/FirePart.h"
#include "Objects/PointsSystem.h"
#include "effects/EffectsTestSupport.h"

namespace firetest {

inline std::filesystem::path Fixtures() { return testsupport::FixturesDir() / "fire"; }

class FireCore : public effectstest::EffectsCore {
 public:
  explicit FireCore(zuzorev::EDeviceKind kind = zuzorev::EDeviceKind::Headless)
      : effectstest::EffectsCore(kind, Fixtures()) {
    // Every fire starts with fresh shared clocks.
    gFireFlameClock = 0.0f;
    gFireSpotClock = 0.0f;
    gFirePartScale = 1.0f;
  }
};

template <class T>
std::unique_ptr<T> LoadObject(FireCore& core, const std::string& properties, int32_t* result = nullptr) {
  auto object = std::make_unique<T>(core.Get());
  testsupport::Element element(properties);
  const int32_t got = object->Load(element.Get(), L"Fire.zorm", 0);
  if (result) *result = got;
  return object;
}

// A system of the white picture with the record's other fields as given.
inline std::unique_ptr<PointsSystem> MakeSystem(FireCore& core, SPointsSystemParams params) {
  if (params.TextureName.empty()) params.TextureName = L"white.png";
  auto system = std::make_unique<PointsSystem>(core.Get());
  EXPECT_EQ(system->Init(params), 1);
  return system;
}

// Vertex i of the system's buffer.
inline zuzorev::SVertex Vertex(const PointsSystem& system, int i) {
  zuzorev::SVertex v;
  std::memcpy(&v, system.GetVertexBuffer()->Bytes() + i * sizeof(zuzorev::SVertex), sizeof(v));
  return v;
}

}  // namespace firetest
