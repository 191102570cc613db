#pragma once
// A video cut-scene: its description file under Data\Roliki\ names the clip,
// its sound and music and its subtitles. The clip plays full width under the
// cut-scene overlay (gRolikInterfaceMenu), which shows the subtitles, offers
// the skip button and closes the cut-scene with a fade to black: the
// cut-scene has ended once that fade is done (or at once without a clip).
// Loaded lazily: the first playback reads the description, later ones only
// Load.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "Engine/rovovoz/BaseObject.h"

namespace rovovoz {
class CGameCore;
class CVideoObject3D;
}  // namespace rovovoz

// One subtitle: shown while Time1 < time < Time2 (seconds of playback).
struct SRolikText {
  std::wstring Text;
  float Time1 = 0.0f;
  float Time2 = 0.0f;
};

class CBaseRolik : public rovovoz::CBaseObject {
 public:
  CBaseRolik(rovovoz::CGameCore* core, const std::wstring& name, const std::wstring& file);
  ~CBaseRolik() override;
  CBaseRolik(const CBaseRolik&) = delete;
  CBaseRolik& operator=(const CBaseRolik&) = delete;

  // Nothing to make resident beyond what LoadFile made: 1.
  int32_t Load(uint32_t flags) override;
  using rovovoz::CBaseObject::Load;
  // The clip and the overlay, once playing. 0.
  int32_t Render() override;
  // Starts playback on the first frame after Start, then moves the clip,
  // the subtitles and the overlay on. 0.
  int32_t Update(float dt, rovovoz::CMouseCursor* cursor) override;
  // Frees the clip and the subtitles; 0.
  int32_t Release(uint32_t flags = 0) override;
  // The clip stays until Release: 1.
  int32_t UnLoad(uint32_t flags) override;
  void SetAlpha(float alpha) override;

  // Reads a description (a non-empty file replaces the stored one) and makes
  // the clip; 1, or 0 when the file cannot be read, has no Rolik root or its
  // clip cannot be made.
  virtual int32_t LoadFromXML(const std::wstring& file, uint32_t flags);
  virtual int32_t LoadFile(uint32_t flags);
  // Playback begins with the next Update; 0.
  virtual int32_t Start();
  // True when there is no clip, or the overlay's closing fade is done.
  // Without an overlay the cut-scene ends when the clip has played out or
  // its end time has passed.
  virtual bool IsEndPlay() const;
  bool IsLoaded() const { return mLoaded != 0; }
  // Set when the cut-scene stays on as the current one over the next scene.
  bool IsHideOnLevel() const { return mHideOnLevel != 0; }
  virtual void Resume();
  // Stops the clip; with withSound non-zero also its sound and music. 1.
  int32_t Stop(int withSound) override;

  const std::wstring& GetFile() const { return mFile; }
  rovovoz::CVideoObject3D* GetVideo() const { return mVideo.get(); }
  const std::vector<SRolikText>& GetTexts() const { return mTexts; }
  int GetShownText() const { return mShownText; }
  float GetTime() const { return mTime; }
  float GetTimeEnd() const { return mTimeEnd; }
  float GetTimeToHide() const { return mTimeToHide; }
  float GetAspect() const { return mAspect; }
  int GetPlayState() const { return mPlayState; }
  const std::wstring& GetSound() const { return mSound; }
  const std::wstring& GetMusic() const { return mMusic; }

  // The subtitle shown at a time: the last one whose window holds it; -1 none.
  static int FindText(const std::vector<SRolikText>& texts, float time);
  // A shown subtitle's alpha: half a second to fade in and to fade out.
  static float TextAlpha(const SRolikText& text, float time);

 protected:
  // The first frame's start of the clip, sound and music, then the clock.
  // dt is 0 on that first frame.
  void AdvancePlayback(float& dt);
  // Subtitles to the overlay, and the overlay's skip button.
  void UpdateTextsAndSkip(float dt, rovovoz::CMouseCursor* cursor);
  // The overlay's closing fade once the end time is near.
  void StartEndFade();
  // The overlay over the clip (its darkening unseen without a black end).
  void RenderOverlay();
  // Sound and music (when named) fade out over a second.
  void StopTracks();

  rovovoz::CGameCore* mCore = nullptr;
  std::wstring mFile;
  int32_t mLoaded = 0;
  // 1 once the description was read, whether or not its clip was made.
  int32_t mDescribed = 0;
  std::unique_ptr<rovovoz::CVideoObject3D> mVideo;
  float mTime = 0.0f;
  int32_t mLoop = 0;
  std::vector<SRolikText> mTexts;
  int mShownText = -1;
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
