#pragma once
// A video cut-scene: its description file under Data\Roliki\ names the clip
// and its sound and music, the clip plays full width once (or looped) and
// the cut-scene ends when the clip has played out or its end time passes.
// Loaded lazily: the first playback reads the description, later ones only
// Load. The subtitles and the skip button of the cut-scene overlay are not
// read here yet.
#include <cstdint>
#include <memory>
#include <string>

#include "Engine/rovovoz/BaseObject.h"

namespace rovovoz {
class CGameCore;
class CVideoObject3D;
}  // namespace rovovoz

class CBaseRolik : public rovovoz::CBaseObject {
 public:
  CBaseRolik(rovovoz::CGameCore* core, const std::wstring& name, const std::wstring& file);
  ~CBaseRolik() override;
  CBaseRolik(const CBaseRolik&) = delete;
  CBaseRolik& operator=(const CBaseRolik&) = delete;

  // Nothing to make resident beyond what LoadFile made: 1.
  int32_t Load(uint32_t flags) override;
  using rovovoz::CBaseObject::Load;
  int32_t Render() override;
  int32_t Update(float dt, rovovoz::CMouseCursor* cursor) override;
  // Frees the clip; 0.
  int32_t Release(uint32_t flags = 0) override;
  // The clip stays until Release: 1.
  int32_t UnLoad(uint32_t flags) override;
  void SetAlpha(float alpha) override;

  // Reads a description (a non-empty file replaces the stored one) and makes
  // the clip; 1, or 0 when the file cannot be read or has no Rolik root.
  virtual int32_t LoadFromXML(const std::wstring& file, uint32_t flags);
  virtual int32_t LoadFile(uint32_t flags);
  // Playback begins with the next Update; 0.
  virtual int32_t Start();
  // True when there is no clip, or it has played out, or the end time passed.
  virtual bool IsEndPlay() const;
  bool IsLoaded() const { return mLoaded != 0; }
  // Set when the cut-scene stays on as the current one over the next scene.
  bool IsHideOnLevel() const { return mHideOnLevel != 0; }
  virtual void Resume();
  // Stops the clip; with withSound non-zero also its sound and music. 1.
  int32_t Stop(int withSound) override;

  const std::wstring& GetFile() const { return mFile; }
  // Seconds the cut-scene takes to fade out over the scene that follows it.
  float GetTimeToHide() const { return mTimeToHide; }
  rovovoz::CVideoObject3D* GetVideo() const { return mVideo.get(); }

 protected:
  rovovoz::CGameCore* mCore = nullptr;
  std::wstring mFile;
  int32_t mLoaded = 0;
  std::unique_ptr<rovovoz::CVideoObject3D> mVideo;
  float mTime = 0.0f;
  int32_t mLoop = 0;
  float mTimeEnd = 1000.0f;
  std::wstring mSound;
  std::wstring mMusic;
  float mAspect = 0.5f;
  int32_t mPlayState = 0;
  int32_t mHideOnLevel = 0;
  int32_t mBlackEnd = 1;
  float mTimeToHide = 2.0f;
};

// The cut-scene drawn over a scene while that scene fades out (null: none).
extern CBaseRolik* gCurrentRolik;
