#pragma once
// Helpers of the key-frame suite: a game core over the key-frame fixtures
// (Keyframes.zorm with its quads, Keyframes.zorP with its paths) with a
// temporary folder in the animation search paths, where a test writes the
// exports and companions it reads; and the writing of companions.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "Engine/zormath/Math.h"
#include "effects/EffectsTestSupport.h"

namespace keyframestest {

inline std::filesystem::path Fixtures() { return testsupport::FixturesDir() / "keyframes"; }

class KeyframesCore : public effectstest::EffectsCore {
 public:
  explicit KeyframesCore(zuzorev::EDeviceKind kind = zuzorev::EDeviceKind::Headless)
      : effectstest::EffectsCore(kind, Fixtures()) {
    Get()->GetFileSystem()->InsertPath(mTemp.Path().wstring(), zorfile::kKindAnimations);
  }
  // Writes a file into the animation folder; its name as the game gives it.
  std::wstring Write(const std::string& name, const std::string& bytes) {
    mTemp.Write(name, bytes);
    return std::wstring(name.begin(), name.end());
  }

 private:
  testsupport::TempDir mTemp;
};

// Little-endian fields of a companion.
class CompanionBytes {
 public:
  CompanionBytes& Int(int32_t v) {
    uint32_t u = static_cast<uint32_t>(v);
    for (int i = 0; i < 4; ++i) mBytes.push_back(static_cast<char>((u >> (8 * i)) & 255));
    return *this;
  }
  CompanionBytes& Float(float f) {
    int32_t v;
    std::memcpy(&v, &f, 4);
    return Int(v);
  }
  CompanionBytes& Vec(float x, float y, float z) { return Float(x).Float(y).Float(z); }
  // One 64-byte key: position, direction, up, scale, alpha, the vertex
  // frame's placeholder, offsets.
  CompanionBytes& Key(const zormath::Vec3f& position, float alpha = 1.0f, float u = 0.0f, float v = 0.0f) {
    Vec(position.x, position.y, position.z).Vec(0, 0, 1).Vec(0, 1, 0).Vec(1, 1, 1).Float(alpha);
    return Int(0x12345678).Float(u).Float(v);
  }
  const std::string& Bytes() const { return mBytes; }

 private:
  std::string mBytes;
};

// Header of a companion: count, frame rate, ticks, texture flag, length.
inline CompanionBytes CompanionHeader(int32_t count, int32_t rate, int32_t ticks, int32_t texture, float length) {
  CompanionBytes b;
  b.Int(count).Int(rate).Int(ticks).Int(texture).Float(length);
  return b;
}

// A sample's twelve numbers for a node standing unturned at scene (x, y, z).
inline std::string Sample(float x, float y, float z) {
  char text[160];
  std::snprintf(text, sizeof text, "<S v=\"1 0 0 0 1 0 0 0 1 %g %g %g\"/>", x, z, y);
  return text;
}

// An export of one node with `count` samples going from scene x 0 to
// x 10 (count - 1), then `controllers` as written.
inline std::string Export(const std::string& node, int count, const std::string& controllers = "",
                          const std::string& nodeAttributes = "", int frameRate = 10) {
  std::string xml = "<MaxAnimation><SceneInfo frameRate=\"" + std::to_string(frameRate) +
                    "\" ticksPerFrame=\"160\"/><Node name=\"" + node + "\" " + nodeAttributes + "><Samples count=\"" +
                    std::to_string(count) + "\">";
  for (int i = 0; i < count; ++i) xml += Sample(10.0f * static_cast<float>(i), 0.0f, 0.0f);
  return xml + "</Samples>" + controllers + "</Node></MaxAnimation>";
}

}  // namespace keyframestest
