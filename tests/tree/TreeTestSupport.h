#pragma once
// Helpers of the tree, lamp and rays suite: a game core over the tree
// fixtures (a trunk with two boughs and a twig, a branch with no extent, a
// lamp glow and a ray in Tree.zorm; the scene Tree.xml), and one object
// loaded from a Properties element written as text.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "Platform/Random.h"
#include "effects/EffectsTestSupport.h"

namespace treetest {

inline std::filesystem::path Fixtures() { return testsupport::FixturesDir() / "tree"; }

class TreeCore : public effectstest::EffectsCore {
 public:
  explicit TreeCore(zuzorev::EDeviceKind kind = zuzorev::EDeviceKind::Headless)
      : effectstest::EffectsCore(kind, Fixtures()) {}
};

template <class T>
std::unique_ptr<T> LoadObject(TreeCore& core, const std::string& properties, int32_t* result = nullptr,
                              uint32_t flags = 0) {
  auto object = std::make_unique<T>(core.Get());
  testsupport::Element element(properties);
  const int32_t got = object->Load(element.Get(), L"Tree.zorm", flags);
  if (result) *result = got;
  return object;
}

// The draws of the one random source from a seed, as the objects see them.
class Draws {
 public:
  explicit Draws(uint32_t seed) {
    Platform::SeedRandom(seed);
    for (float& v : mValues) v = Platform::RandomFloat();
    Platform::SeedRandom(seed);
  }
  float operator[](int i) const { return mValues[i]; }
  // How many draws were taken since the seed: the next value tells.
  int Taken() const {
    const float next = Platform::RandomFloat();
    for (int i = 0; i < kCount; ++i)
      if (mValues[i] == next) return i;
    return -1;
  }

 private:
  static constexpr int kCount = 16;
  float mValues[kCount] = {};
};

}  // namespace treetest
