#include "Engine/rovovoz/ParticleStateManager.h"

#include <charconv>
#include <cstring>

#include "Engine/TinyXmlExt/TinyXmlExt.h"
#include "Engine/zormath/Math.h"
#include "Engine/zorlog/Log.h"
#include "Platform/Strings.h"

namespace rovovoz {
namespace {

const wchar_t* const kSourceTag = L"Engine/rovovoz/ParticleStateManager";

void Log(zuzorev::ELogLevel level, int line, const wchar_t* format, const std::wstring& a,
         const std::wstring& b = std::wstring()) {
  zuzorev::LogMessage(level, kSourceTag, line, format, a.c_str(), b.c_str());
}

using zormath::Clamp;

void ReadFloat(const TiXmlElement* e, const char* name, float& value, float lo, float hi) {
  if (const TiXmlAttribute* a = FindUpper(e, name)) value = Clamp(FloatValue(a), lo, hi);
}

void ReadInt(const TiXmlElement* e, const char* name, int32_t& value, int32_t lo, int32_t hi) {
  if (const TiXmlAttribute* a = FindUpper(e, name)) {
    const int v = IntValue(a);
    value = v < lo ? lo : v > hi ? hi : v;
  }
}

// "x y z" (blanks or commas between); false unless three finite numbers.
bool ParseVector(const char* text, zormath::Vec3f& out) {
  float v[3];
  const char* p = text;
  const char* end = text + std::strlen(text);
  for (int i = 0; i < 3; ++i) {
    while (p < end && (*p == ' ' || *p == '\t' || *p == ',')) ++p;
    auto r = std::from_chars(p, end, v[i]);
    if (r.ec != std::errc() || !(v[i] > -1e9f && v[i] < 1e9f)) return false;
    p = r.ptr;
  }
  while (p < end && (*p == ' ' || *p == '\t')) ++p;
  if (p != end) return false;
  out = zormath::Vec3f(v[0], v[1], v[2]);
  return true;
}

void ReadVector(const TiXmlElement* e, const char* name, zormath::Vec3f& value) {
  const TiXmlAttribute* a = FindUpper(e, name);
  if (!a) return;
  if (!ParseVector(a->Value(), value))
    Log(zuzorev::ELogLevel::Warning, __LINE__, L"Particle emitter: %s is not three numbers (\"%s\")",
        Platform::Utf8ToWide(a->Name()), ValueUtf8(a));
}

}  // namespace

const SParticleState& DefaultParticleState() {
  static const SParticleState kDefault = [] {
    SParticleState s;
    s.name = L"TBaseEmiter";
    return s;
  }();
  return kDefault;
}

void ReadParticleState(const TiXmlElement* e, SParticleState& s) {
  if (!e) return;
  if (const TiXmlAttribute* a = FindUpper(e, "Texture")) s.texture = ValueUtf8(a);
  if (const TiXmlAttribute* a = FindUpper(e, "Render")) s.render = ValueUtf8(a);
  // Bounds keep every emitter finite: no value here can ask for millions of
  // particles in one frame or for lives that never end.
  ReadFloat(e, "Rate", s.rate, 0.0f, 10000.0f);
  ReadInt(e, "Burst", s.burst, 0, 10000);
  ReadFloat(e, "Life", s.life, 0.01f, 3600.0f);
  ReadFloat(e, "LifeSpread", s.lifeSpread, 0.0f, 3600.0f);
  ReadFloat(e, "Speed", s.speed, -1e6f, 1e6f);
  ReadFloat(e, "SpeedSpread", s.speedSpread, 0.0f, 1e6f);
  ReadVector(e, "Direction", s.direction);
  ReadFloat(e, "Spread", s.spread, 0.0f, 180.0f);
  ReadVector(e, "Gravity", s.gravity);
  ReadFloat(e, "Size", s.size, 0.0f, 1e5f);
  ReadFloat(e, "SizeEnd", s.sizeEnd, 0.0f, 1e5f);
  if (const TiXmlAttribute* a = FindUpper(e, "Color")) s.color = DwordValue(a);
  if (const TiXmlAttribute* a = FindUpper(e, "ColorEnd")) s.colorEnd = DwordValue(a);
  ReadInt(e, "Max", s.max, 0, 1000000);
  // A spread larger than the life would give particles that never lived.
  if (s.lifeSpread >= s.life) s.lifeSpread = s.life * 0.99f;
}

int32_t CParticleStateManager::LoadEmiters(const std::wstring& file) {
  TiXmlDocument doc;
  if (!LoadXmlDocument(doc, file)) {
    if (!doc.Error()) Log(zuzorev::ELogLevel::Error, __LINE__, L"Particle emitters: cannot read %s", file);
    return 0;
  }
  const TiXmlElement* root = RootElementUpper(doc, "Emiters");
  if (!root) {
    Log(zuzorev::ELogLevel::Error, __LINE__, L"Particle emitters: %s has no Emiters root", file);
    return 0;
  }
  for (const TiXmlElement* e = FirstChildElementUpper(root, "Emiter"); e;
       e = IterateChildrenElementUpper(root, "Emiter", e)) {
    const std::wstring name = ValueUtf8(FindUpper(e, "Name"));
    if (name.empty()) {
      Log(zuzorev::ELogLevel::Warning, __LINE__, L"Particle emitters: an Emiter without Name in %s is skipped", file);
      continue;
    }
    // A type starts from the built-in defaults, not from an earlier entry.
    SParticleState state = DefaultParticleState();
    state.name = name;
    ReadParticleState(e, state);
    mStates[name] = state;
  }
  return 1;
}

const SParticleState* CParticleStateManager::Find(const std::wstring& name) const {
  auto it = mStates.find(name);
  return it == mStates.end() ? nullptr : &it->second;
}

const SParticleState& CParticleStateManager::Get(const std::wstring& name) const {
  if (const SParticleState* s = Find(name)) return *s;
  if (mWarned.insert(name).second)
    Log(zuzorev::ELogLevel::Warning, __LINE__, L"Particle emitters: unknown type %s, the default is used", name);
  if (const SParticleState* s = Find(DefaultParticleState().name)) return *s;
  return DefaultParticleState();
}

}  // namespace rovovoz
