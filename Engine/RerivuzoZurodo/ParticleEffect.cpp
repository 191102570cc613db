#include "Engine/RerivuzoZurodo/ParticleEffect.h"

#include "Engine/TinyXmlExt/TinyXmlExt.h"
#include "Engine/rovovoz/GameCore.h"
#include "Engine/rovovoz/ParticleEmiterXml.h"
#include "Engine/zorlog/Log.h"
#include "Engine/zuzorev/RenderTypes.h"
#include "Platform/Strings.h"

namespace RerivuzoZurodo {
namespace {

const wchar_t* const kSourceTag = L"Engine/RerivuzoZurodo/ParticleEffect";

void Log(zuzorev::ELogLevel level, int line, const wchar_t* format, const std::wstring& a) {
  zuzorev::LogMessage(level, kSourceTag, line, format, a.c_str());
}

// Effect files are named without their extension.
std::wstring EffectFile(const std::wstring& path) {
  if (path.size() > 4 && Platform::EqualsNoCase(std::wstring_view(path).substr(path.size() - 4), L".xml"))
    return path;
  return path + L".xml";
}

}  // namespace

CParticleEffect::CParticleEffect() : CParticleEffect(nullptr) {}

CParticleEffect::CParticleEffect(rovovoz::CGameCore* core) : rovovoz::CBaseGeometryObject(core), mSystem(core) {}

CParticleEffect::~CParticleEffect() = default;

void CParticleEffect::SetGameCore(rovovoz::CGameCore* core) {
  SetCore(core);
  mSystem.SetCore(core);
}

int32_t CParticleEffect::LoadEffect(const std::wstring& path, int infinity, const zormath::Mat4f* matrix,
                                    uint32_t flags) {
  Release(0);
  mTried = true;
  const std::wstring file = EffectFile(path);
  TiXmlDocument doc;
  if (!LoadXmlDocument(doc, file)) {
    if (!doc.Error()) Log(zuzorev::ELogLevel::Error, __LINE__, L"Particle effect: cannot read %s", file);
    return 0;
  }
  const TiXmlElement* root = RootElementUpper(doc, "Effect");
  if (!root) {
    Log(zuzorev::ELogLevel::Error, __LINE__, L"Particle effect: %s has no Effect root", file);
    return 0;
  }
  if (const TiXmlAttribute* time = FindUpper(root, "Time")) {
    const float t = FloatValue(time);
    mTime = t >= 0.01f ? (t < 3600.0f ? t : 3600.0f) : 0.01f;
  }
  const rovovoz::CParticleStateManager* states = mCore ? mCore->GetParticleStateManager() : nullptr;
  for (const TiXmlElement* e = FirstChildElementUpper(root, "Emiter"); e;
       e = IterateChildrenElementUpper(root, "Emiter", e)) {
    rovovoz::SParticleState type;
    rovovoz::CBaseParamInitEmiter block;
    rovovoz::ReadEmiterElement(e, states, type, block);
    mSystem.AddEmiter(block, type, 0.0f);
  }
  if (mSystem.GetEmiterCount() == 0) {
    Log(zuzorev::ELogLevel::Error, __LINE__, L"Particle effect: %s has no emitter", file);
    return 0;
  }
  mPath = path;
  mInfinity = infinity != 0;
  mLoaded = true;
  SetLocationMatrix3D(matrix ? *matrix : zormath::Mat4f::Identity());
  mSystem.Load(flags);
  Start(1);
  return 1;
}

int32_t CParticleEffect::Load(const TiXmlElement* properties, const std::wstring&, uint32_t flags) {
  // An effect file already tried (the scene factory places it first) is
  // not read, and reported, a second time.
  if (!mLoaded && !mTried && properties) {
    const std::wstring path = ValueUtf8(FindUpper(properties, "Path"));
    if (!path.empty()) LoadEffect(path, IntValue(FindUpper(properties, "Infinity")), nullptr, flags);
  }
  return mLoaded ? 0 : zuzorev::kFail;
}

int32_t CParticleEffect::Load(uint32_t flags) { return mSystem.Load(flags); }

int32_t CParticleEffect::UnLoad(uint32_t flags) { return mSystem.UnLoad(flags); }

int32_t CParticleEffect::Release(uint32_t flags) {
  mSystem.Release(flags);
  mSystem.Play(1);
  mPath.clear();
  mTime = 1.0f;
  mInfinity = false;
  mLoaded = false;
  mTried = false;
  return 0;
}

int32_t CParticleEffect::Start(int) {
  // Each emitter starts afresh, its burst included.
  for (int32_t index : mSystem.GetEmiterIndices()) {
    mSystem.SetEmiterState(index, rovovoz::kEmiterIdle, 0.0f);
    mSystem.SetEmiterState(index, rovovoz::kEmiterEmitting, mInfinity ? 0.0f : mTime);
  }
  mSystem.Play(1);
  return 1;
}

int32_t CParticleEffect::Stop(int mode) { return mSystem.Stop(mode); }

bool CParticleEffect::IsEffectWorkEnd() const { return !mSystem.IsEmitting() && mSystem.GetParticleCount() == 0; }

void CParticleEffect::Clear() { mSystem.Clear(); }

int32_t CParticleEffect::Update(float dt, rovovoz::CMouseCursor* cursor) {
  if (mEnabled) mSystem.Update(dt, cursor);
  return 0;
}

int32_t CParticleEffect::Render() {
  if (mEnabled && mVisible) mSystem.Render();
  return 0;
}

void CParticleEffect::UpdateTempMatrix() {
  rovovoz::CBaseGeometryObject::UpdateTempMatrix();
  mSystem.SetWorldMatrix3D(mTemp);
}

void CParticleEffect::SetRender2D(int on) {
  rovovoz::CBaseGeometryObject::SetRender2D(on);
  mSystem.SetRender2D(on);
}

void CParticleEffect::SetAlpha(float alpha) {
  mAlpha = alpha;
  mSystem.SetAlpha(alpha);
}

void CParticleEffect::SetVisible(int visible) {
  mVisible = visible != 0;
  mSystem.SetVisible(visible);
}

}  // namespace RerivuzoZurodo
