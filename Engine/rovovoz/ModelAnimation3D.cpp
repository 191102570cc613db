#include "Engine/rovovoz/ModelAnimation3D.h"

#include <algorithm>
#include <cmath>

#include "Engine/rovovoz/GameCore.h"
#include "Engine/zormath/Transform.h"
#include "Engine/zorlog/Log.h"
#include "Engine/zuzorev/RenderSystem.h"
#include "Platform/Strings.h"

namespace rovovoz {
namespace {

const wchar_t* const kSourceTag = L"Engine/rovovoz/ModelAnimation3D";
constexpr float kDefaultBlend = 0.25f;

void Log(zuzorev::ELogLevel level, int line, const wchar_t* format, const std::wstring& a,
         const std::wstring& b = std::wstring(), const std::wstring& c = std::wstring()) {
  zuzorev::LogMessage(level, kSourceTag, line, format, a.c_str(), b.c_str(), c.c_str());
}

}  // namespace

CModelAnimation3D::CModelAnimation3D(CGameCore* core) : CBaseGeometryObject(core) {}

CModelAnimation3D::~CModelAnimation3D() { Release(0); }

int CModelAnimation3D::Find(const std::wstring& name) const {
  for (size_t i = 0; i < mClips.size(); ++i)
    if (mClips[i].clip.name == name) return static_cast<int>(i);
  return -1;
}

int32_t CModelAnimation3D::LoadAnimation(const std::wstring& name, uint32_t flags, int) {
  if (Find(name) >= 0) return 1;
  CAnimModelManager* manager = mCore ? mCore->GetAnimModelManager() : nullptr;
  zuzorev::CRenderSystem* render = mCore ? mCore->GetRender() : nullptr;
  if (!manager || !render) return zuzorev::kFail;
  const SAnimClip* clip = manager->FindClip(name);
  if (!clip) {
    Log(zuzorev::ELogLevel::Warning, __LINE__, L"Animation %s is in no animation set loaded", name);
    return zuzorev::kFail;
  }
  SLoadedClip loaded;
  loaded.clip = *clip;
  for (const SAnimTrack& track : clip->tracks) {
    zuzorev::CMesh mesh;
    if (render->LoadMesh(clip->model, mesh, track.mesh, flags, 0) < 0) {
      Log(zuzorev::ELogLevel::Warning, __LINE__, L"Animation %s: no mesh %s in %s", name, track.mesh, clip->model);
      return zuzorev::kFail;
    }
    loaded.meshes.push_back(std::move(mesh));
  }
  zormath::Mat4f toFirst;
  if (!zormath::MatrixInverse(loaded.meshes.front().GetTransform(), toFirst)) toFirst = zormath::Mat4f::Identity();
  loaded.placements.push_back(zormath::Mat4f::Identity());  // exactly, whatever the inverse's rounding
  for (size_t i = 1; i < loaded.meshes.size(); ++i)
    loaded.placements.push_back(loaded.meshes[i].GetTransform() * toFirst);
  mFlags = flags;
  mClips.push_back(std::move(loaded));
  return 1;
}

int32_t CModelAnimation3D::Play(const std::wstring& name, int now, int, float blendTime, int, int) {
  return Begin(name, now, false, false, blendTime);
}

int32_t CModelAnimation3D::PlayLoop(const std::wstring& name, int now, int, float blendTime, int, int) {
  return Begin(name, now, true, false, blendTime);
}

int32_t CModelAnimation3D::PlayBlend(const std::wstring& name, int now, int, float blendTime, int, int) {
  return Begin(name, now, false, true, blendTime);
}

int32_t CModelAnimation3D::PlayBlendLoop(const std::wstring& name, int now, int, float blendTime, int, int) {
  return Begin(name, now, true, true, blendTime);
}

int32_t CModelAnimation3D::Begin(const std::wstring& name, int now, bool loop, bool blend, float blendTime) {
  if (name.empty()) {
    mQueued = SQueued();
    return 1;
  }
  int clip = Find(name);
  if (clip < 0) {
    if (LoadAnimation(name, mFlags, 0) < 0) return zuzorev::kFail;
    clip = static_cast<int>(mClips.size()) - 1;
  }
  if (!(blendTime > 0 && blendTime < 3600.0f)) blendTime = kDefaultBlend;
  if (now == 0 && mState == kAnimPlaying) {
    mQueued = SQueued{clip, loop, blend, blendTime};
    return 1;
  }
  mQueued = SQueued();
  StartClip(clip, loop, blend, blendTime);
  return 1;
}

void CModelAnimation3D::StartClip(int clip, bool loop, bool blend, float blendTime) {
  const int shown = mCurrent >= 0 ? mCurrent : (mClips.empty() ? -1 : 0);
  if (blend && shown >= 0) {
    mPrevious = shown;
    mPreviousTime = mTime;
    mBlend = 0;
    mBlendLength = blendTime;
  } else {
    mPrevious = -1;
  }
  mCurrent = clip;
  mTime = 0;
  mLoop = loop;
  mState = kAnimPlaying;
}

int32_t CModelAnimation3D::Stop(int) {
  if (mState == kAnimPlaying || mState == kAnimFinished) mState = kAnimIdle;
  mQueued = SQueued();
  mPrevious = -1;
  return 1;
}

int32_t CModelAnimation3D::Update(float dt, CMouseCursor*) {
  if (!(dt > 0)) dt = 0;  // also NaN
  if (mPrevious >= 0) {
    mBlend += dt;
    if (mBlend >= mBlendLength) mPrevious = -1;
  }
  if (mState != kAnimPlaying || mCurrent < 0) return 0;
  mTime += dt;
  const float length = mClips[static_cast<size_t>(mCurrent)].clip.length;
  if (mLoop) {
    mTime = length > 0 ? std::fmod(mTime, length) : 0.0f;
  } else if (mTime >= length) {
    if (mQueued.clip >= 0) {
      const float over = mTime - length;
      const SQueued next = mQueued;
      mQueued = SQueued();
      mTime = length;  // a blend starts from the end pose
      StartClip(next.clip, next.loop, next.blend, next.blendTime);
      mTime = over;
      if (mPrevious >= 0) mBlend = over;
    } else {
      mTime = length;
      mState = kAnimFinished;
    }
  }
  return 0;
}

void CModelAnimation3D::DrawTrack(const SLoadedClip& clip, size_t track, const SAnimKey& pose, float weight) {
  zuzorev::CRenderSystem* render = mCore ? mCore->GetRender() : nullptr;
  const float alpha = mAlpha * clip.alpha * pose.alpha * weight;
  if (!render || !(alpha > 0)) return;
  const zormath::Mat4f m = zormath::MatrixScaling(pose.scale, pose.scale, pose.scale) *
                           zormath::MatrixRotationYm(pose.angleY) *
                           zormath::MatrixTranslation(pose.offset.x, pose.offset.y, pose.offset.z) *
                           clip.placements[track] * mTemp;
  ApplyTransform(m);
  zuzorev::SMeshDrawOptions options;
  options.alpha = alpha;
  render->DrawMesh(clip.meshes[track], options);
}

int32_t CModelAnimation3D::Render() {
  if (!mVisible || mClips.empty()) return 0;
  const size_t shown = static_cast<size_t>(mCurrent >= 0 ? mCurrent : 0);
  const SLoadedClip& now = mClips[shown];
  const float time = mCurrent >= 0 ? mTime : 0.0f;
  const SLoadedClip* before = mPrevious >= 0 ? &mClips[static_cast<size_t>(mPrevious)] : nullptr;
  const float k = before ? std::clamp(mBlend / mBlendLength, 0.0f, 1.0f) : 1.0f;
  std::vector<bool> shared(before ? before->clip.tracks.size() : 0, false);
  for (size_t i = 0; i < now.clip.tracks.size(); ++i) {
    SAnimKey pose = now.clip.tracks[i].At(time);
    float weight = k;
    if (before) {
      for (size_t j = 0; j < before->clip.tracks.size(); ++j) {
        if (shared[j] || !Platform::EqualsNoCase(before->clip.tracks[j].mesh, now.clip.tracks[i].mesh) ||
            !Platform::EqualsNoCase(before->clip.model, now.clip.model))
          continue;
        // The same mesh in both clips moves from one pose into the other.
        pose = MixAnimKeys(before->clip.tracks[j].At(mPreviousTime), pose, k);
        shared[j] = true;
        weight = 1.0f;
        break;
      }
    }
    DrawTrack(now, i, pose, weight);
  }
  if (before)
    for (size_t j = 0; j < before->clip.tracks.size(); ++j)
      if (!shared[j]) DrawTrack(*before, j, before->clip.tracks[j].At(mPreviousTime), 1.0f - k);
  return 0;
}

int32_t CModelAnimation3D::Load(uint32_t flags) {
  for (SLoadedClip& c : mClips)
    for (zuzorev::CMesh& mesh : c.meshes) mesh.Load(flags);
  return 1;
}

int32_t CModelAnimation3D::UnLoad(uint32_t flags) {
  for (SLoadedClip& c : mClips)
    for (zuzorev::CMesh& mesh : c.meshes) mesh.UnLoad(flags);
  return 1;
}

int32_t CModelAnimation3D::Release(uint32_t) {
  mClips.clear();
  mCurrent = -1;
  mTime = 0;
  mLoop = false;
  mState = kAnimIdle;
  mQueued = SQueued();
  mPrevious = -1;
  return 0;
}

int32_t CModelAnimation3D::ReInit() { return Load(mFlags); }

void CModelAnimation3D::SetAlpha(const std::wstring& clip, float alpha) {
  const int i = Find(clip);
  if (i >= 0) mClips[static_cast<size_t>(i)].alpha = std::clamp(alpha, 0.0f, 1.0f);
}

float CModelAnimation3D::GetAlpha(const std::wstring& clip) const {
  const int i = Find(clip);
  return i >= 0 ? mClips[static_cast<size_t>(i)].alpha : 1.0f;
}

void CModelAnimation3D::SetRenderSeting(int seting, int part) {
  zuzorev::CRenderSystem* render = mCore ? mCore->GetRender() : nullptr;
  for (SLoadedClip& c : mClips)
    for (zuzorev::CMesh& mesh : c.meshes)
      for (int p = 0; p < mesh.GetPartCount(); ++p) {
        if (part >= 0 && p != part) continue;
        int id = seting;
        if (id < 0 && render) {
          // Back to the setting the model file names for the part.
          const std::vector<std::wstring>& names = mesh.SetingNames();
          const size_t i = static_cast<size_t>(p);
          id = i < names.size() && !names[i].empty() ? render->GetRenderSetingID(names[i]) : -1;
        }
        mesh.SetRenderSeting(p, id);
      }
}

std::wstring CModelAnimation3D::GetCurrentName() const {
  return mCurrent >= 0 ? mClips[static_cast<size_t>(mCurrent)].clip.name : std::wstring();
}

}  // namespace rovovoz
