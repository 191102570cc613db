#pragma once
// The game sound system: every sound of the game by name, from the sound
// lists (docs/formats.md, "Sound lists"), over SDL_mixer.
//
// Each sound has one voice: playing it again restarts it. Music tracks
// (type 1) are streamed, and only one of them sounds at a time: starting one
// stops any other music track, paused or not. Fades and the end of a sound
// played once follow the time given to Update, never the wall clock. Without
// an audio device the sound system keeps every name and state, plays
// nothing, and a sound played once ends at the next Update.
#include <cstdint>
#include <map>
#include <memory>
#include <string>

namespace zorsound {
class CSoundSystem;
}

namespace rovovoz {

// Sound types of the lists; heard volume = sound's volume x its type's volume.
enum ESoundType : int32_t {
  kSoundTypeSound = 0,
  kSoundTypeMusic = 1,
  kSoundTypeEffect = 2,
  kSoundTypeOther = 3,  // always at type volume 1.0
  kSoundTypeCount = 4,
};

// Play states answered by GetState.
enum ESoundState : int32_t {
  kSoundNotInList = -1,
  kSoundPaused = 0,   // paused by name, or held by PauseAll (also when it was started while held)
  kSoundPlaying = 1,  // sounding, fading in or fading out
  kSoundStopped = 2,  // stopped, finished, or never started
};

class CGameSoundSystem {
 public:
  using ProgressCallback = void (*)();

  // Uses the given low-level sound system, or opens one of its own when null.
  explicit CGameSoundSystem(zorsound::CSoundSystem* device = nullptr);
  ~CGameSoundSystem();
  CGameSoundSystem(const CGameSoundSystem&) = delete;
  CGameSoundSystem& operator=(const CGameSoundSystem&) = delete;

  // Opens the audio device. 1 with a device, 0 without one (logged); the
  // sound system works silently either way. The argument is the caller's
  // set-up word and changes nothing here.
  int32_t Init(int32_t flags);
  // Deactivation and activation: every sound is held where it is, and
  // released again; sounds paused by name stay paused.
  void PauseAll();
  void ResumeAll();
  // Adds the sounds of a list (a name already known gets the new entry).
  // 0 when the list cannot be read. The callback, when given, runs once the
  // list is read, once after each sound and once at the end.
  int32_t LoadSoundList(const std::wstring& file, ProgressCallback progress);
  // Stops and forgets every sound and closes the device it opened.
  void Release();

  // Type volumes 0..1 (type 3 stays 1.0); applied at once.
  void SetTypeVolume(int32_t type, float volume);
  float GetTypeVolume(int32_t type) const;

  // Starts a sound from its beginning with a fade-in in seconds: once when
  // once is non-zero, else looped. 0 when the name is not in the lists.
  int32_t Play(const std::wstring& name, float fadeIn, int32_t once);
  // Starts a sound looped; the third argument is taken as callers pass it.
  int32_t PlayLoop(const std::wstring& name, float fadeIn, int32_t unused = 1);
  // Fades a sound out over fade seconds, then stops it (at once when fade
  // is 0 or the sound is not sounding).
  int32_t Stop(const std::wstring& name, float fade);
  // Fades a sound out, then pauses it where it is (used by the managers).
  int32_t Pause(const std::wstring& name, float fade);
  // Resumes a sound paused by name (fading in when fadeIn > 0); a sound
  // that is fading towards a pause turns back up.
  int32_t Resume(const std::wstring& name, float fadeIn = 0.0f);
  // The sound's own volume 0..1 (starts as its list's volume; kept across plays).
  void SetVolume(const std::wstring& name, float volume);
  int32_t GetState(const std::wstring& name) const;

  // Advances fades and the end of sounds played once by dt seconds; call
  // once per frame. Nothing moves while everything is held by PauseAll.
  void Update(float dt);

  // For the managers and for tests: what the list says and what is heard.
  bool IsInList(const std::wstring& name) const;
  bool IsLoop(const std::wstring& name) const;
  int32_t GetType(const std::wstring& name) const;
  float GetVolume(const std::wstring& name) const;
  float GetHeardVolume(const std::wstring& name) const;
  // How often Play or PlayLoop started the sound (each start restarts its
  // one voice, so the state alone cannot tell two plays in a frame apart).
  int32_t GetStartCount(const std::wstring& name) const;
  // True when the sound was decoded and reaches the device.
  bool IsAudible(const std::wstring& name) const;

  zorsound::CSoundSystem* GetDevice() const { return mDevice; }

 private:
  struct SSound;
  enum class EFadeEnd { None, Stop, Pause };
  enum class EDevice { Idle, Running, Paused };

  SSound* Find(const std::wstring& name) const;
  void LoadEntry(SSound& sound);
  void FreeSound(SSound& sound);
  void Start(SSound& sound, bool looped, float fadeIn);
  void Halt(SSound& sound);
  void FadeTo(SSound& sound, float target, float seconds, EFadeEnd end);
  void Sync(SSound& sound);
  void ApplyVolume(SSound& sound);
  float Heard(const SSound& sound) const;
  void Step(SSound& sound, float dt);

  zorsound::CSoundSystem* mDevice = nullptr;
  std::unique_ptr<zorsound::CSoundSystem> mOwnDevice;
  std::map<std::wstring, std::unique_ptr<SSound>> mSounds;
  float mTypeVolume[kSoundTypeCount] = {1.0f, 1.0f, 1.0f, 1.0f};
  bool mAllPaused = false;
  SSound* mMusicOwner = nullptr;  // the track that holds the mixer's music stream
};

}  // namespace rovovoz
