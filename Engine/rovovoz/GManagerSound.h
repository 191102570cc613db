#pragma once
// The effects manager of a scene or a chapter: plays effects through the game
// sound system and keeps the names it played, so that pausing, resuming and
// stopping "all" touch only its own sounds. Whether a sound loops is the
// sound list's Loop flag. With a null sound system every operation does
// nothing.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace rovovoz {

class CGameCore;
class CGameSoundSystem;

class CGManagerSound {
 public:
  explicit CGManagerSound(CGameSoundSystem* sound);
  // Plays through the core's game sound system (none with a null core).
  explicit CGManagerSound(CGameCore* core);
  // No sound system at all (keeps a literal null from being ambiguous).
  explicit CGManagerSound(std::nullptr_t) : CGManagerSound(static_cast<CGameSoundSystem*>(nullptr)) {}
  CGManagerSound(const CGManagerSound&) = delete;
  CGManagerSound& operator=(const CGManagerSound&) = delete;

  // Forgets the sounds that have ended.
  void Update(float dt);
  // Sets the sound's volume and starts it with a fade-in; flag 1 restarts a
  // sound that is already playing or paused, 0 leaves it as it is.
  void Play(const std::wstring& name, float volume, float fadeIn, int32_t flag);
  // Pauses this manager's sounds that are playing; ResumeAll resumes them.
  void PauseAll();
  void ResumeAll();
  // Fades out (at once with 0) and stops every sound of this manager.
  void StopAll(float fade);
  // A new visit begins: what the manager still holds stops at once and is forgotten.
  void Start();
  // How many sounds the manager holds as its own (played and not yet
  // forgotten).
  size_t GetSoundCount() const { return mSounds.size(); }

 private:
  CGameSoundSystem* mSound;
  std::vector<std::wstring> mSounds;
  std::vector<std::wstring> mPaused;  // what PauseAll paused
};

namespace detail {
// Shared by both managers: sets the volume and starts the sound unless flag
// is 0 and it is busy; remembers the name in sounds. False when not in the list.
bool PlayManagedSound(CGameSoundSystem& system, std::vector<std::wstring>& sounds, const std::wstring& name,
                      float volume, float fadeIn, int32_t flag);
// Lets go of the names whose sounds have ended.
void DropStopped(const CGameSoundSystem& system, std::vector<std::wstring>& names);
}  // namespace detail

}  // namespace rovovoz
