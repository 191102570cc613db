#include "Engine/rovovoz/GameSoundSystem.h"

#include <SDL_mixer.h>

#include <algorithm>
#include <cmath>

#include "Engine/TinyXmlExt/TinyXmlExt.h"
#include "Engine/zorfile/FileSystem.h"
#include "Engine/zorsound/SoundSystem.h"
#include "Engine/zorlog/Log.h"
#include "Platform/Strings.h"

namespace rovovoz {
namespace {

const wchar_t* const kSourceTag = L"Engine/rovovoz/GameSoundSystem";

void Log(zuzorev::ELogLevel level, int line, const wchar_t* format, const std::wstring& a,
         const std::wstring& b = std::wstring()) {
  zuzorev::LogMessage(level, kSourceTag, line, format, a.c_str(), b.c_str());
}

float Clamp01(float value) {
  if (!(value > 0.0f)) return 0.0f;  // also NaN
  return value < 1.0f ? value : 1.0f;
}

}  // namespace

struct CGameSoundSystem::SSound {
  // From the list.
  std::wstring name;
  std::wstring file;
  int32_t type = kSoundTypeSound;
  bool loop = false;
  float volume = 1.0f;

  // Decoded data (both null without a device or when the file is broken).
  Mix_Chunk* chunk = nullptr;
  Mix_Music* music = nullptr;
  std::string bytes;      // a streamed track reads from these
  int channel = -1;       // the mixer channel of a chunk
  double duration = 0.0;  // seconds; < 0 unknown (the mixer tells the end)

  // Play state.
  bool playing = false;
  int32_t starts = 0;  // how often it was started from its beginning
  bool paused = false;
  bool looped = false;
  double elapsed = 0.0;
  float fade = 1.0f;
  float fadeTarget = 1.0f;
  float fadeRate = 0.0f;  // per second; 0 = not fading
  EFadeEnd fadeEnd = EFadeEnd::None;
  EDevice device = EDevice::Idle;
};

CGameSoundSystem::CGameSoundSystem(zorsound::CSoundSystem* device) : mDevice(device) {
  if (!mDevice) {
    mOwnDevice = std::make_unique<zorsound::CSoundSystem>();
    mDevice = mOwnDevice.get();
  }
}

CGameSoundSystem::~CGameSoundSystem() { Release(); }

int32_t CGameSoundSystem::Init(int32_t /*flags*/) {
  if (mDevice->Init()) return 1;
  Log(zuzorev::ELogLevel::Warning, __LINE__, L"Sound system: no audio device, sounds are silent", L"");
  return 0;
}

void CGameSoundSystem::Release() {
  for (auto& entry : mSounds) FreeSound(*entry.second);
  mSounds.clear();
  mMusicOwner = nullptr;
  mAllPaused = false;
  if (mOwnDevice) mOwnDevice->Release();
}

void CGameSoundSystem::FreeSound(SSound& sound) {
  Halt(sound);
  if (sound.chunk) Mix_FreeChunk(sound.chunk);
  if (sound.music) Mix_FreeMusic(sound.music);
  sound.chunk = nullptr;
  sound.music = nullptr;
  sound.bytes.clear();
  mDevice->ReleaseChannel(sound.channel);
  sound.channel = -1;
}

int32_t CGameSoundSystem::LoadSoundList(const std::wstring& file, ProgressCallback progress) {
  TiXmlDocument document;
  const TiXmlElement* root = nullptr;
  if (LoadXmlDocument(document, file)) root = document.RootElement();
  if (!root) {
    // A list that does not parse is already named as such, with the reason.
    if (!document.Error()) Log(zuzorev::ELogLevel::Error, __LINE__, L"Sound list %s cannot be read", file);
    return 0;
  }
  if (progress) progress();
  for (const TiXmlElement* element = FirstChildElementUpper(root, "Sound"); element;
       element = IterateChildrenElementUpper(root, "Sound", element)) {
    auto sound = std::make_unique<SSound>();
    sound->name = ValueUtf8(FindUpper(element, "Name"));
    sound->file = ValueUtf8(FindUpper(element, "File"));
    if (sound->name.empty() || sound->file.empty()) {
      Log(zuzorev::ELogLevel::Warning, __LINE__, L"Sound list %s: a Sound without Name or File at line %s is skipped",
          file, std::to_wstring(element->Row()));
    } else {
      if (const TiXmlAttribute* type = FindUpper(element, "Type")) {
        sound->type = IntValue(type);
        if (sound->type < 0 || sound->type >= kSoundTypeCount) {
          Log(zuzorev::ELogLevel::Warning, __LINE__, L"Sound %s: unknown Type %s, taken as 0", sound->name,
              ValueUtf8(type));
          sound->type = kSoundTypeSound;
        }
      }
      sound->loop = IntValue(FindUpper(element, "Loop")) != 0;
      if (const TiXmlAttribute* volume = FindUpper(element, "Volume")) sound->volume = Clamp01(FloatValue(volume));
      LoadEntry(*sound);
      auto known = mSounds.find(sound->name);
      if (known != mSounds.end()) {
        FreeSound(*known->second);
        known->second = std::move(sound);
      } else {
        mSounds.emplace(sound->name, std::move(sound));
      }
    }
    if (progress) progress();
  }
  if (progress) progress();
  return 1;
}

void CGameSoundSystem::LoadEntry(SSound& sound) {
  zorfile::CFileSystem* fs = zorfile::GetFileSystem();
  if (!mDevice->IsOpen()) {
    // Nothing is decoded without a device; a missing file is still worth a line.
    if (!fs || !fs->FileExist(sound.file, nullptr, 1, zorfile::kKindSounds))
      Log(zuzorev::ELogLevel::Error, __LINE__, L"Sound %s: file %s not found", sound.name, sound.file);
    return;
  }
  std::string bytes;
  if (!fs || !fs->ReadFile(sound.file, bytes, zorfile::kKindSounds)) {
    Log(zuzorev::ELogLevel::Error, __LINE__, L"Sound %s: file %s not found", sound.name, sound.file);
    return;
  }
  std::string error;
  if (sound.type == kSoundTypeMusic) {
    sound.bytes = std::move(bytes);
    sound.music = mDevice->LoadMusic(sound.bytes, error);
    if (sound.music) {
      sound.duration = Mix_MusicDuration(sound.music);
      if (!(sound.duration > 0.0)) sound.duration = -1.0;
    } else {
      sound.bytes.clear();
    }
  } else {
    sound.chunk = mDevice->LoadChunk(bytes, error);
    if (sound.chunk) {
      const int frameBytes = (SDL_AUDIO_BITSIZE(mDevice->Format()) / 8) * mDevice->OutputChannels();
      sound.duration = frameBytes > 0 && mDevice->Frequency() > 0
                           ? static_cast<double>(sound.chunk->alen) / frameBytes / mDevice->Frequency()
                           : 0.0;
      sound.channel = mDevice->AcquireChannel();
    }
  }
  if (!sound.chunk && !sound.music)
    Log(zuzorev::ELogLevel::Error, __LINE__, L"Sound %s cannot be decoded: %s", sound.name,
        sound.file + L" (" + Platform::Utf8ToWide(error) + L")");
}

CGameSoundSystem::SSound* CGameSoundSystem::Find(const std::wstring& name) const {
  auto it = mSounds.find(name);
  return it == mSounds.end() ? nullptr : it->second.get();
}

bool CGameSoundSystem::IsInList(const std::wstring& name) const { return Find(name) != nullptr; }

bool CGameSoundSystem::IsLoop(const std::wstring& name) const {
  const SSound* sound = Find(name);
  return sound && sound->loop;
}

int32_t CGameSoundSystem::GetType(const std::wstring& name) const {
  const SSound* sound = Find(name);
  return sound ? sound->type : -1;
}

float CGameSoundSystem::GetVolume(const std::wstring& name) const {
  const SSound* sound = Find(name);
  return sound ? sound->volume : 0.0f;
}

bool CGameSoundSystem::IsAudible(const std::wstring& name) const {
  const SSound* sound = Find(name);
  return sound && (sound->chunk || sound->music);
}

void CGameSoundSystem::SetTypeVolume(int32_t type, float volume) {
  if (type < 0 || type >= kSoundTypeOther) return;
  mTypeVolume[type] = Clamp01(volume);
  for (auto& entry : mSounds)
    if (entry.second->type == type) ApplyVolume(*entry.second);
}

float CGameSoundSystem::GetTypeVolume(int32_t type) const {
  return type >= 0 && type < kSoundTypeCount ? mTypeVolume[type] : 0.0f;
}

float CGameSoundSystem::Heard(const SSound& sound) const {
  return sound.volume * mTypeVolume[sound.type] * sound.fade;
}

float CGameSoundSystem::GetHeardVolume(const std::wstring& name) const {
  const SSound* sound = Find(name);
  if (!sound || !sound->playing || sound->paused || mAllPaused) return 0.0f;
  return Heard(*sound);
}

int32_t CGameSoundSystem::Play(const std::wstring& name, float fadeIn, int32_t once) {
  SSound* sound = Find(name);
  if (!sound) return 0;
  Start(*sound, once == 0, fadeIn);
  ++sound->starts;
  return 1;
}

int32_t CGameSoundSystem::PlayLoop(const std::wstring& name, float fadeIn, int32_t /*unused*/) {
  SSound* sound = Find(name);
  if (!sound) return 0;
  Start(*sound, true, fadeIn);
  ++sound->starts;
  return 1;
}

void CGameSoundSystem::Start(SSound& sound, bool looped, float fadeIn) {
  Halt(sound);
  sound.playing = true;
  sound.paused = false;
  sound.looped = looped;
  sound.elapsed = 0.0;
  sound.fade = 1.0f;
  sound.fadeTarget = 1.0f;
  sound.fadeRate = 0.0f;
  sound.fadeEnd = EFadeEnd::None;
  if (fadeIn > 0.0f) {
    sound.fade = 0.0f;
    FadeTo(sound, 1.0f, fadeIn, EFadeEnd::None);
  }
  Sync(sound);
}

int32_t CGameSoundSystem::Stop(const std::wstring& name, float fade) {
  SSound* sound = Find(name);
  if (!sound) return 0;
  if (!sound->playing) return 1;
  if (fade > 0.0f && !sound->paused && !mAllPaused && sound->fade > 0.0f) {
    FadeTo(*sound, 0.0f, fade, EFadeEnd::Stop);
  } else {
    sound->playing = false;
    Sync(*sound);
  }
  return 1;
}

int32_t CGameSoundSystem::Pause(const std::wstring& name, float fade) {
  SSound* sound = Find(name);
  if (!sound) return 0;
  if (!sound->playing || sound->paused) return 1;
  if (fade > 0.0f && !mAllPaused && sound->fade > 0.0f) {
    FadeTo(*sound, 0.0f, fade, EFadeEnd::Pause);
  } else {
    sound->paused = true;
    sound->fadeRate = 0.0f;
    sound->fadeEnd = EFadeEnd::None;
    Sync(*sound);
  }
  return 1;
}

int32_t CGameSoundSystem::Resume(const std::wstring& name, float fadeIn) {
  SSound* sound = Find(name);
  if (!sound) return 0;
  if (!sound->playing) return 1;
  if (sound->paused) {
    sound->paused = false;
    sound->fade = fadeIn > 0.0f ? 0.0f : 1.0f;
    sound->fadeRate = 0.0f;
    sound->fadeEnd = EFadeEnd::None;
    if (fadeIn > 0.0f) FadeTo(*sound, 1.0f, fadeIn, EFadeEnd::None);
    Sync(*sound);
  } else if (sound->fadeEnd == EFadeEnd::Pause) {
    FadeTo(*sound, 1.0f, fadeIn, EFadeEnd::None);
    if (fadeIn <= 0.0f) ApplyVolume(*sound);
  }
  return 1;
}

void CGameSoundSystem::SetVolume(const std::wstring& name, float volume) {
  SSound* sound = Find(name);
  if (!sound) return;
  sound->volume = Clamp01(volume);
  ApplyVolume(*sound);
}

int32_t CGameSoundSystem::GetStartCount(const std::wstring& name) const {
  const SSound* sound = Find(name);
  return sound ? sound->starts : 0;
}

int32_t CGameSoundSystem::GetState(const std::wstring& name) const {
  const SSound* sound = Find(name);
  if (!sound) return kSoundNotInList;
  if (!sound->playing) return kSoundStopped;
  if (sound->paused || mAllPaused) return kSoundPaused;
  return kSoundPlaying;
}

void CGameSoundSystem::PauseAll() {
  mAllPaused = true;
  for (auto& entry : mSounds) Sync(*entry.second);
}

void CGameSoundSystem::ResumeAll() {
  mAllPaused = false;
  for (auto& entry : mSounds) Sync(*entry.second);
}

void CGameSoundSystem::Update(float dt) {
  if (mAllPaused) return;
  if (!(dt > 0.0f)) dt = 0.0f;
  for (auto& entry : mSounds) Step(*entry.second, dt);
}

// Moves one sound on by dt: its fade, then its natural end.
void CGameSoundSystem::Step(SSound& sound, float dt) {
  if (!sound.playing || sound.paused) return;
  sound.elapsed += dt;
  if (sound.fadeRate > 0.0f) {
    const float step = sound.fadeRate * dt;
    if (std::fabs(sound.fadeTarget - sound.fade) <= step) {
      sound.fade = sound.fadeTarget;
      sound.fadeRate = 0.0f;
      const EFadeEnd end = sound.fadeEnd;
      sound.fadeEnd = EFadeEnd::None;
      if (end == EFadeEnd::Stop) {
        sound.playing = false;
        Sync(sound);
        return;
      }
      if (end == EFadeEnd::Pause) {
        sound.paused = true;
        Sync(sound);
        return;
      }
    } else {
      sound.fade += sound.fadeTarget > sound.fade ? step : -step;
    }
    ApplyVolume(sound);
  }
  if (sound.looped) return;
  bool ended;
  if (sound.duration >= 0.0)
    ended = sound.elapsed >= sound.duration;
  else  // a streamed track of unknown length: the mixer tells
    ended = mMusicOwner != &sound || !Mix_PlayingMusic();
  if (ended) {
    // Played out: the mixer has (or is about to have) finished it by itself.
    sound.playing = false;
    sound.device = EDevice::Idle;
    if (mMusicOwner == &sound) mMusicOwner = nullptr;
  }
}

void CGameSoundSystem::FadeTo(SSound& sound, float target, float seconds, EFadeEnd end) {
  sound.fadeTarget = target;
  sound.fadeEnd = end;
  const float distance = std::fabs(target - sound.fade);
  if (seconds > 0.0f && distance > 0.0f) {
    sound.fadeRate = distance / seconds;
  } else {
    sound.fade = target;
    sound.fadeRate = 0.0f;
  }
}

void CGameSoundSystem::Halt(SSound& sound) {
  if (sound.device != EDevice::Idle) {
    if (sound.chunk) Mix_HaltChannel(sound.channel);
    if (sound.music && mMusicOwner == &sound) Mix_HaltMusic();
  }
  if (mMusicOwner == &sound) mMusicOwner = nullptr;
  sound.device = EDevice::Idle;
}

// Brings the mixer in line with the sound's state.
void CGameSoundSystem::Sync(SSound& sound) {
  EDevice want = EDevice::Idle;
  if (sound.playing) want = sound.paused || mAllPaused ? EDevice::Paused : EDevice::Running;
  if (want == EDevice::Idle) {
    Halt(sound);
    return;
  }
  if (sound.music && sound.device != EDevice::Idle && mMusicOwner != &sound)
    sound.device = EDevice::Idle;  // the stream went to another track
  if (want == EDevice::Running) {
    if (sound.device == EDevice::Idle) {
      if (sound.chunk) {
        Mix_Volume(sound.channel, static_cast<int>(std::lround(Heard(sound) * MIX_MAX_VOLUME)));
        Mix_PlayChannel(sound.channel, sound.chunk, sound.looped ? -1 : 0);
      } else if (sound.music) {
        if (mMusicOwner && mMusicOwner != &sound) {
          SSound* other = mMusicOwner;
          other->playing = false;
          Halt(*other);
        }
        mMusicOwner = &sound;
        Mix_VolumeMusic(static_cast<int>(std::lround(Heard(sound) * MIX_MAX_VOLUME)));
        Mix_PlayMusic(sound.music, sound.looped ? -1 : 1);
      }
    } else if (sound.device == EDevice::Paused) {
      if (sound.chunk) Mix_Resume(sound.channel);
      if (sound.music) Mix_ResumeMusic();
    }
  } else if (sound.device == EDevice::Running) {
    if (sound.chunk) Mix_Pause(sound.channel);
    if (sound.music) Mix_PauseMusic();
  }
  // A held sound that never reached the mixer starts from its beginning later.
  if (!(want == EDevice::Paused && sound.device == EDevice::Idle)) sound.device = want;
  ApplyVolume(sound);
}

void CGameSoundSystem::ApplyVolume(SSound& sound) {
  if (sound.device == EDevice::Idle) return;
  const int level = static_cast<int>(std::lround(Heard(sound) * MIX_MAX_VOLUME));
  if (sound.chunk) Mix_Volume(sound.channel, level);
  if (sound.music && mMusicOwner == &sound) Mix_VolumeMusic(level);
}

}  // namespace rovovoz
