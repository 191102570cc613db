#pragma once
// The video player: keeps the clips that are open, freezes them while the
// game window is inactive, and keeps each clip's sound in step with its
// pictures (a clip whose time did not move since the last Update has its
// sound held until it moves again).
#include <cstdint>
#include <vector>

namespace zorsound {
class CSoundSystem;
}

namespace zorvideo {

class CVideoClip;

class CVideoPlayer {
 public:
  CVideoPlayer() = default;
  virtual ~CVideoPlayer();
  CVideoPlayer(const CVideoPlayer&) = delete;
  CVideoPlayer& operator=(const CVideoPlayer&) = delete;

  // Takes the low-level sound system the clips play their sound through
  // (null: clips play silently) and becomes the current player. 1.
  virtual int32_t Init(zorsound::CSoundSystem* sound);
  // Once per frame, before the game's update.
  virtual void Update(float dt);
  // Window deactivated / activated: every clip stops where it is / goes on.
  void Frozen();
  void UnFrozen();
  bool IsFrozen() const { return mFrozen; }

  zorsound::CSoundSystem* GetSound() const { return mSound; }

  // Clips tell the player that they exist.
  void AddClip(CVideoClip* clip);
  void RemoveClip(CVideoClip* clip);

 private:
  zorsound::CSoundSystem* mSound = nullptr;
  std::vector<CVideoClip*> mClips;
  bool mFrozen = false;
};

// The player that clips made without one use (the last one initialised).
CVideoPlayer* GetVideoPlayer();

}  // namespace zorvideo
