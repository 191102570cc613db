#pragma once
// The ambient (and music) manager of a scene or a chapter: plays its sounds
// through the game sound system and keeps their names, so that quieting,
// resuming and stopping touch only its own sounds. Whether a sound loops is
// the sound list's Loop flag. With a null sound system every operation does
// nothing.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace rovovoz {

class CGameCore;
class CGameSoundSystem;

class CGManagerAmbientSound {
 public:
  // How long quieting fades a sound out and resuming fades it back in.
  static constexpr float kQuietFade = 0.5f;

  explicit CGManagerAmbientSound(CGameSoundSystem* sound);
  // Plays through the core's game sound system (none with a null core).
  explicit CGManagerAmbientSound(CGameCore* core);
  // No sound system at all (keeps a literal null from being ambiguous).
  explicit CGManagerAmbientSound(std::nullptr_t) : CGManagerAmbientSound(static_cast<CGameSoundSystem*>(nullptr)) {}
  CGManagerAmbientSound(const CGManagerAmbientSound&) = delete;
  CGManagerAmbientSound& operator=(const CGManagerAmbientSound&) = delete;

  // Forgets the sounds that have ended.
  void Update(float dt);
  // Sets the sound's volume and starts it with a fade-in; flag 1 restarts a
  // sound that is already playing or paused, 0 leaves it as it is. The last
  // two values come from the scripts and change nothing here.
  void Play(const std::wstring& name, float volume, float fadeIn, int32_t flag, float f2, float f3);
  // Resumes, fading in, what Quiet(1) paused.
  void ResumeAll();
  // Stops one sound with a fade in seconds and forgets it.
  void Stop(const std::wstring& name, float fade);
  // Called by the scenes with no effect asked of them.
  void Op4() {}
  void Op5() {}
  // 1: fade this manager's playing sounds out and keep them paused for
  // ResumeAll (a scene left, a video, the chapter's end); 0: stop all of
  // them at once and forget them.
  void Quiet(int32_t flag);
  // A new visit begins: what the manager still holds stops at once and is forgotten.
  void Start();
  // How many sounds the manager holds as its own (played and not yet
  // forgotten).
  size_t GetSoundCount() const { return mSounds.size(); }

 private:
  CGameSoundSystem* mSound;
  std::vector<std::wstring> mSounds;
  std::vector<std::wstring> mQuieted;  // what Quiet(1) paused
};

}  // namespace rovovoz
