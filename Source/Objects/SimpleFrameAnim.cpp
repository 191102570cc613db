#include "Objects/SimpleFrameAnim.h"

#include <tinyxml.h>

#include <algorithm>
#include <cmath>

#include "Engine/TinyXmlExt/TinyXmlExt.h"
#include "Engine/rovovoz/StaticObject3D.h"
#include "Engine/rovovoz/TriangleObject3D.h"
#include "Objects/ObjectSupport.h"
#include "Platform/Strings.h"

namespace {

constexpr const wchar_t* kSource = L"Source/Objects/SimpleFrameAnim";
constexpr uint32_t kFrameFlags = 9;
constexpr uint32_t kModelFlag = 8;

// Frame lists and animation files name their attributes exactly.
std::wstring Plain(const TiXmlElement* element, const char* name) {
  const char* value = element ? element->Attribute(name) : nullptr;
  return value ? Platform::Utf8ToWide(value) : std::wstring();
}

bool HasPlain(const TiXmlElement* element, const char* name) { return element && element->Attribute(name); }

struct SStartName {
  const char* name;
  int32_t mode;
};
constexpr SStartName kStartNames[] = {
    {"Play", CSimpleFrameAnim::kPlay},
    {"PlayBack", CSimpleFrameAnim::kPlayBack},
    {"PlayLoop", CSimpleFrameAnim::kPlayLoop},
    {"PlayLoopUpDown", CSimpleFrameAnim::kPlayLoopUpDown},
};

}  // namespace

CSimpleFrameAnim::CSimpleFrameAnim(rovovoz::CGameCore* core) : rovovoz::CBaseGeometryObject(core) {}

CSimpleFrameAnim::~CSimpleFrameAnim() { ClearFrames(); }

std::map<std::wstring, zuzorev::CTexture>& CSimpleFrameAnim::SharedTextures() {
  static std::map<std::wstring, zuzorev::CTexture> textures;
  return textures;
}

int32_t CSimpleFrameAnim::Load(uint32_t flags) {
  for (rovovoz::CStaticObject3D* frame : mFrames)
    if (frame) frame->Load(flags);
  for (auto& [name, texture] : SharedTextures()) texture.Load();
  return 1;
}

int32_t CSimpleFrameAnim::UnLoad(uint32_t flags) {
  for (rovovoz::CStaticObject3D* frame : mFrames)
    if (frame) frame->UnLoad(flags);
  for (auto& [name, texture] : SharedTextures()) texture.UnLoad();
  return 1;
}

int32_t CSimpleFrameAnim::Load(const TiXmlElement* properties, const std::wstring& modelFile, uint32_t flags) {
  ClearFrames();
  if (const TiXmlElement* frames = properties ? FirstChildElementUpper(properties, "Frames") : nullptr) {
    LoadFrame(frames);
  } else {
    std::wstring base;
    int32_t count = 0;
    if (objects::ReadText(properties, "TemplateModelName", base) && objects::ReadInt(properties, "NumOfFrames", count)) {
      for (int i = 1; i <= count; ++i) {
        rovovoz::CStaticObject3D* model =
            objects::LoadStaticModel(mCore, modelFile, objects::Numbered(base, i), kFrameFlags);
        if (!model) continue;
        mFrames.push_back(model);
        mScales.push_back(SScale{});
      }
    }
  }
  std::wstring onStart;
  int32_t infinity = 0;
  if (objects::ReadText(properties, "OnStart", onStart)) {
    mStartMode = -1;
    for (const SStartName& start : kStartNames)
      if (onStart == Platform::Utf8ToWide(start.name)) StartIn(start.mode);
  } else if (objects::ReadInt(properties, "Infinity", infinity)) {
    mStartMode = -1;
    if (infinity == 1) StartIn(kPlayLoop);
    if (infinity == 2) StartIn(kPlayLoopUpDown);
  } else {
    mStartMode = -1;
  }
  objects::ReadFloat(properties, "SetFactorSpeed", mSpeed);
  if (properties && FindUpper(properties, "Smooth"))
    for (rovovoz::CStaticObject3D* frame : mFrames)
      if (frame) frame->SetRender2D(0);
  Load(flags | kModelFlag);
  return 0;
}

void CSimpleFrameAnim::StartIn(int32_t mode) {
  switch (mode) {
    case kPlay: Play(); break;
    case kPlayBack: PlayBack(); break;
    case kPlayLoop: PlayLoop(); break;
    case kPlayLoopUpDown: PlayLoopUpDown(); break;
    default: return;
  }
  mStartMode = mode;
}

void CSimpleFrameAnim::LoadFrame(const TiXmlElement* frames) {
  if (!frames) return;
  const std::wstring file = Plain(frames, "FileName");
  for (const TiXmlElement* child = IterateChildrenElement(frames, nullptr); child;
       child = IterateChildrenElement(frames, child)) {
    if (!HasPlain(child, "ModelName")) continue;
    rovovoz::CStaticObject3D* model = objects::LoadStaticModel(mCore, file, Plain(child, "ModelName"), kFrameFlags);
    if (!model) continue;
    SScale scale;
    if (HasPlain(child, "FlipX")) {
      model->SetScaleX(-1.0f);
      scale.x = -1.0f;
    }
    mFrames.push_back(model);
    mScales.push_back(scale);
  }
  if (HasPlain(frames, "Smooth"))
    for (rovovoz::CStaticObject3D* frame : mFrames)
      if (frame) frame->SetRender2D(0);
}

bool CSimpleFrameAnim::LoadAnimationXml(const std::wstring& file) {
  ClearFrames();
  mTime = 0.0f;
  mMode = kStopped;
  mCurrent = 0;
  mRising = 1;
  TiXmlDocument document;
  if (!LoadXmlDocument(document, file)) {
    objects::Error(kSource, __LINE__, L"Load %s", file.c_str());
    return false;
  }
  const TiXmlElement* root = document.RootElement();
  if (!root || std::string(root->Value()) != "Animation") return true;
  LoadFrame(root->FirstChildElement("Frames"));
  const TiXmlElement* hits = root->FirstChildElement("hitFrames");
  if (hits && HasPlain(hits, "FileName")) {
    const std::wstring hitFile = Plain(hits, "FileName");
    for (const TiXmlElement* child = IterateChildrenElement(hits, nullptr); child;
         child = IterateChildrenElement(hits, child)) {
      if (!HasPlain(child, "ModelName")) continue;
      auto* hit = new rovovoz::CTriangleObject3D(mCore);
      if (hit->LoadModel(hitFile, Plain(child, "ModelName"), kFrameFlags, 0) < 0 || !hit->IsLoaded()) {
        delete hit;
        continue;
      }
      if (HasPlain(child, "FlipX")) hit->SetScaleX(-1.0f);
      mHits.push_back(hit);
    }
  }
  return true;
}

void CSimpleFrameAnim::ClearFrames() {
  // Scales and trigger models belong to the frames: they go with them, so
  // a second animation file starts from nothing.
  for (rovovoz::CStaticObject3D* frame : mFrames) delete frame;
  for (rovovoz::CTriangleObject3D* hit : mHits) delete hit;
  mFrames.clear();
  mHits.clear();
  mScales.clear();
}

int32_t CSimpleFrameAnim::Render() {
  if (rovovoz::CStaticObject3D* frame = GetFrame(mCurrent)) frame->Render();
  return 0;
}

int32_t CSimpleFrameAnim::Update(float dt, rovovoz::CMouseCursor*) {
  const float step = mSpeed * dt;
  switch (mMode) {
    case kPlay:
      mTime += step;
      if (mTime > 1.0f) {
        mTime = 1.0f;
        mMode = kStopped;
      }
      break;
    case kPlayBack:
      mTime -= step;
      if (mTime < 0.0f) {
        mTime = 0.0f;
        mMode = kStopped;
      }
      break;
    case kPlayLoop:
      mTime += step;
      if (mTime > 1.0f) mTime = 1.0f - mTime;
      break;
    case kPlayLoopUpDown:
      mTime += mRising ? step : -step;
      if (mTime > 1.0f) {
        mTime = 2.0f - mTime;
        mRising = 0;
      } else if (mTime < 0.0f) {
        mTime = -mTime;
        mRising = 1;
      }
      break;
    default: break;
  }
  mTime = std::clamp(mTime, 0.0f, 1.0f);
  const int count = GetFrameCount();
  // Halves go up: frame k shows from k - 0.5 to k + 0.5 frames of time.
  mCurrent = count > 0 ? static_cast<int32_t>(std::floor(static_cast<float>(count - 1) * mTime + 0.5f)) : 0;
  return 0;
}

void CSimpleFrameAnim::SetAlpha(float alpha) {
  rovovoz::CBaseGeometryObject::SetAlpha(alpha);
  for (rovovoz::CStaticObject3D* frame : mFrames)
    if (frame) frame->SetAlpha(alpha);
}

int32_t CSimpleFrameAnim::Stop(int) {
  mTime = 0.0f;
  mMode = mStartMode == -1 ? kStopped : mStartMode;
  Update(0.0f, nullptr);
  return 0;
}

void CSimpleFrameAnim::UpdateTempMatrix() {
  rovovoz::CBaseGeometryObject::UpdateTempMatrix();
  for (rovovoz::CStaticObject3D* frame : mFrames)
    if (frame) frame->SetWorldMatrix3D(GetWorldMatrix3D());
}

void CSimpleFrameAnim::SetPosition3D(float x, float y, float z) {
  for (rovovoz::CStaticObject3D* frame : mFrames)
    if (frame) frame->SetPosition3D(x, y, z);
  for (rovovoz::CTriangleObject3D* hit : mHits) hit->SetPosition3D(x, y, z);
}

void CSimpleFrameAnim::SetPositionX3D(float x) {
  for (rovovoz::CStaticObject3D* frame : mFrames)
    if (frame) frame->SetPositionX3D(x);
  for (rovovoz::CTriangleObject3D* hit : mHits) hit->SetPositionX3D(x);
}

void CSimpleFrameAnim::SetDirection3D(const zormath::Vec3f& direction) {
  for (rovovoz::CStaticObject3D* frame : mFrames)
    if (frame) frame->SetDirection3D(direction);
}

void CSimpleFrameAnim::SetUp3D(const zormath::Vec3f& up) {
  for (rovovoz::CStaticObject3D* frame : mFrames)
    if (frame) frame->SetUp3D(up);
}

zormath::Vec3f CSimpleFrameAnim::GetPosition3D() const {
  for (const rovovoz::CStaticObject3D* frame : mFrames)
    if (frame) return frame->GetPosition3D();
  return zormath::Vec3f(0, 0, 0);
}

void CSimpleFrameAnim::SetScale(float x, float, float z) {
  for (size_t i = 0; i < mFrames.size(); ++i) {
    if (!mFrames[i]) continue;
    mFrames[i]->SetScaleX(mScales[i].x * x);
    mFrames[i]->SetScaleZ(mScales[i].z * z);
  }
}

zormath::Vec3f CSimpleFrameAnim::GetScale() const {
  for (const rovovoz::CStaticObject3D* frame : mFrames)
    if (frame) return frame->GetScale();
  return zormath::Vec3f(1, 1, 1);
}

void CSimpleFrameAnim::SetRender2D(int on) {
  rovovoz::CBaseGeometryObject::SetRender2D(on);
  for (rovovoz::CStaticObject3D* frame : mFrames)
    if (frame) frame->SetRender2D(on);
}

void CSimpleFrameAnim::Play() {
  if (mMode == kPlay) return;
  mMode = kPlay;
  mTime = 0.0f;
}

void CSimpleFrameAnim::PlayBack() {
  if (mMode == kPlayBack) return;
  mMode = kPlayBack;
  mTime = 1.0f;
}

void CSimpleFrameAnim::PlayLoop() { mMode = kPlayLoop; }

void CSimpleFrameAnim::PlayLoopUpDown() { mMode = kPlayLoopUpDown; }

int32_t CSimpleFrameAnim::StopAt(int how) {
  switch (how) {
    case 0: mMode = kStopped; return 0;
    case 1: StopAtEnd(); return 0;
    case 2: StopAtStart(); return 0;
    default: mMode = kStopped; return how - 2;
  }
}

void CSimpleFrameAnim::StopAtStart() {
  mMode = kStopped;
  mTime = 0.0f;
}

void CSimpleFrameAnim::StopAtEnd() {
  mMode = kStopped;
  mTime = 1.0f;
}

void CSimpleFrameAnim::ScaleFrames(float factor) {
  for (size_t i = 0; i < mFrames.size(); ++i) {
    if (!mFrames[i]) continue;
    mFrames[i]->SetScaleX(mScales[i].x * factor);
    mFrames[i]->SetScaleZ(mScales[i].z * factor);
  }
}

bool CSimpleFrameAnim::IsHit(float x, float y, float z) {
  if (mCurrent < 0 || mCurrent >= GetFrameCount() || mCurrent >= GetHitCount()) return false;
  rovovoz::CTriangleObject3D* hit = mHits[static_cast<size_t>(mCurrent)];
  float depth = 0.0f;
  return hit && hit->PickOrthoPointY(zormath::Vec3f(x, y, z), depth) != 0;
}

void CSimpleFrameAnim::GetModelNames(std::vector<std::wstring>& names) const {
  for (const rovovoz::CStaticObject3D* frame : mFrames)
    if (frame) names.push_back(frame->GetNameModel());
}

int32_t CSimpleFrameAnim::RenderWithTexture(const std::wstring& texture) {
  zuzorev::CTexture& shared = SharedTextures()[texture];
  rovovoz::CStaticObject3D* frame = GetFrame(mCurrent);
  if (!frame) return 0;
  frame->GetMesh()->SetTexture(0, 0, shared);
  frame->Render();
  return 0;
}

rovovoz::CStaticObject3D* CSimpleFrameAnim::GetFrame(int i) const {
  return i >= 0 && i < GetFrameCount() ? mFrames[static_cast<size_t>(i)] : nullptr;
}
