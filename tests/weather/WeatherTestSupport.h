#pragma once
// Helpers of the weather suite: a game core over the weather fixtures (a
// glint star, a jet, the clouds' emitter box, four glint points), the
// fixture scene that holds one of each weather effect, and single objects
// loaded from a Properties element written as text.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "effects/EffectsTestSupport.h"

namespace weathertest {

inline std::filesystem::path Fixtures() { return testsupport::FixturesDir() / "weather"; }

// Entries of Data\Level\Weather.xml.
enum EEntry { kStar = 0, kJet = 1, kSky = 2, kRain = 3 };

class WeatherCore : public effectstest::EffectsCore {
 public:
  explicit WeatherCore(zuzorev::EDeviceKind kind = zuzorev::EDeviceKind::Headless)
      : effectstest::EffectsCore(kind, Fixtures()) {}
};

inline std::unique_ptr<scenetest::CTestBack> LoadWeatherScene() {
  return scenetest::LoadScene(L"Data\\Level\\Weather.xml", L"Weather");
}

template <class T>
std::unique_ptr<T> LoadWeather(WeatherCore& core, const std::string& properties, int32_t* result = nullptr,
                               uint32_t flags = 0) {
  auto object = std::make_unique<T>(core.Get());
  testsupport::Element element(properties);
  const int32_t got = object->Load(element.Get(), L"Weather.zorm", flags);
  if (result) *result = got;
  return object;
}

}  // namespace weathertest
