#pragma once
// An animated model: clips of the animation-model manager, drawn as the
// clip's meshes posed by their tracks. The model stands where its own
// transform puts it (position, orientation, scale, location, world); a
// clip's first mesh turns about that point, and its other meshes keep their
// places relative to the first as the model file has them.
//
// Play calls take (name, now, reserved, blend time, reserved, reserved):
// now 1 starts the clip at once; now 0 queues it to follow the clip
// playing (at once when none plays); an empty name empties the queue, so a
// one-shot clip then stops at its end. A blend call moves from the pose
// shown into the new clip over the blend time (0: a quarter second); a
// mesh the two clips do not share fades instead.
#include <cstdint>
#include <string>
#include <vector>

#include "Engine/rovovoz/AnimModelManager.h"
#include "Engine/rovovoz/BaseGeometryObject.h"
#include "Engine/zuzorev/Mesh.h"

namespace rovovoz {

// Answers of IsState.
enum : int32_t { kAnimIdle = 0, kAnimPlaying = 1, kAnimFinished = 2 };

class CModelAnimation3D : public CBaseGeometryObject {
 public:
  explicit CModelAnimation3D(CGameCore* core = nullptr);
  ~CModelAnimation3D() override;

  // Makes the clip of that name (from the manager reached through the
  // core) ready to play: its meshes are loaded with flags. A clip already
  // loaded answers at once. 1, or E_FAIL (logged) when the clip or one of
  // its meshes is unknown or there is no core.
  int32_t LoadAnimation(const std::wstring& name, uint32_t flags, int reserved = 0);

  // Play once / loop / once blended / loop blended (arguments above).
  // 1, or E_FAIL for a clip that cannot be loaded (nothing changes then).
  int32_t Play(const std::wstring& name, int now, int reserved, float blendTime, int reserved2, int reserved3);
  int32_t PlayLoop(const std::wstring& name, int now, int reserved, float blendTime, int reserved2,
                   int reserved3);
  int32_t PlayBlend(const std::wstring& name, int now, int reserved, float blendTime, int reserved2,
                    int reserved3);
  int32_t PlayBlendLoop(const std::wstring& name, int now, int reserved, float blendTime, int reserved2,
                        int reserved3);
  // kAnimIdle (nothing started, or stopped), kAnimPlaying, or kAnimFinished
  // (a one-shot clip reached its end with nothing queued).
  int32_t IsState() const { return mState; }
  // Holds the pose shown and forgets the queue; idle afterwards. 1.
  int32_t Stop(int mode) override;

  int32_t Update(float dt, CMouseCursor* cursor) override;
  // Draws the clip playing (before any play: the first clip loaded, at its
  // start) while visible.
  int32_t Render() override;

  // Texture residency of every clip's meshes. 1.
  int32_t Load(uint32_t flags) override;
  using CBaseObject::Load;
  int32_t UnLoad(uint32_t flags) override;
  int32_t Release(uint32_t flags = 0) override;
  // Makes the textures resident again (after the device came back). 1.
  int32_t ReInit();

  // The model's alpha multiplies every clip's own alpha.
  using CBaseGeometryObject::SetAlpha;
  void SetAlpha(const std::wstring& clip, float alpha);
  float GetAlpha(const std::wstring& clip) const;
  // Render setting id (-1: the meshes' own) of one part of every mesh, or
  // of every part with part -1.
  void SetRenderSeting(int seting, int part = -1);

  // The clip playing (or last played); empty before any play.
  std::wstring GetCurrentName() const;
  float GetTime() const { return mTime; }

 private:
  struct SLoadedClip {
    SAnimClip clip;
    std::vector<zuzorev::CMesh> meshes;        // one per track
    std::vector<zormath::Mat4f> placements;    // each mesh relative to the first
    float alpha = 1.0f;
  };
  struct SQueued {
    int clip = -1;
    bool loop = false;
    bool blend = false;
    float blendTime = 0;
  };

  int Find(const std::wstring& name) const;
  int32_t Begin(const std::wstring& name, int now, bool loop, bool blend, float blendTime);
  void StartClip(int clip, bool loop, bool blend, float blendTime);
  void DrawTrack(const SLoadedClip& clip, size_t track, const SAnimKey& pose, float weight);

  std::vector<SLoadedClip> mClips;
  uint32_t mFlags = 3;
  int mCurrent = -1;
  float mTime = 0;
  bool mLoop = false;
  int32_t mState = kAnimIdle;
  SQueued mQueued;
  // The pose blended from: a clip held at a time, fading over mBlendLength.
  int mPrevious = -1;
  float mPreviousTime = 0;
  float mBlend = 0;
  float mBlendLength = 0;
};

}  // namespace rovovoz
