#include "Engine/zorsound/SoundSystem.h"

#include <SDL.h>

#include <algorithm>

#include "Engine/zorlog/Log.h"
#include "Platform/Strings.h"

namespace zorsound {
namespace {

// The mixer is one per process; every open CSoundSystem holds a reference to
// it, and the channel table is shared by all of them.
int gOpenCount = 0;
std::vector<bool> gChannelTaken;

void Write(zuzorev::ELogLevel level, const std::wstring& text) {
  zuzorev::SLogRecord record;
  record.level = level;
  record.text = text;
  record.file = L"Engine/zorsound/SoundSystem";
  record.channel = L"sound";
  zuzorev::WriteLogRecord(record);
}

std::wstring Wide(const char* text) { return Platform::Utf8ToWide(text ? text : ""); }

// Decodes a file held in memory with one of the mixer's loaders. Null, with
// the reason in `error`, without a device or when the data cannot be decoded.
template <class T>
T* LoadFromMemory(bool open, const std::string& bytes, std::string& error, T* (*load)(SDL_RWops*, int)) {
  if (!open) {
    error = "no audio device";
    return nullptr;
  }
  SDL_RWops* rw = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
  T* loaded = rw ? load(rw, 1) : nullptr;
  if (!loaded) error = Mix_GetError();
  return loaded;
}

}  // namespace

CSoundSystem::~CSoundSystem() { Release(); }

bool CSoundSystem::Init() {
  if (mTried) return mOpen;
  mTried = true;
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    Write(zuzorev::ELogLevel::Warning, L"No audio device (" + Wide(SDL_GetError()) + L"); sounds stay silent");
    return false;
  }
  if (gOpenCount == 0) {
    Mix_Init(MIX_INIT_OGG);
    if (Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024) != 0) {
      Write(zuzorev::ELogLevel::Warning, L"No audio device (" + Wide(Mix_GetError()) + L"); sounds stay silent");
      Mix_Quit();
      SDL_QuitSubSystem(SDL_INIT_AUDIO);
      return false;
    }
    gChannelTaken.clear();
    Mix_AllocateChannels(0);
  }
  ++gOpenCount;
  mOpen = true;
  int frequency = 0;
  int channels = 0;
  Uint16 format = 0;
  Mix_QuerySpec(&frequency, &format, &channels);
  mFrequency = frequency;
  mOutputChannels = channels;
  mFormat = format;
  return true;
}

void CSoundSystem::Release() {
  if (mOpen) {
    for (int channel : std::vector<int>(mChannels)) ReleaseChannel(channel);
    if (--gOpenCount == 0) {
      Mix_HaltMusic();
      Mix_CloseAudio();
      Mix_Quit();
      gChannelTaken.clear();
    }
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
  }
  mOpen = false;
  mTried = false;
  mFrequency = 0;
  mOutputChannels = 0;
  mFormat = 0;
}

int CSoundSystem::AcquireChannel() {
  if (!mOpen) return -1;
  auto free = std::find(gChannelTaken.begin(), gChannelTaken.end(), false);
  int channel = static_cast<int>(free - gChannelTaken.begin());
  if (free == gChannelTaken.end()) {
    gChannelTaken.push_back(false);
    Mix_AllocateChannels(static_cast<int>(gChannelTaken.size()));
  }
  gChannelTaken[channel] = true;
  Mix_Volume(channel, MIX_MAX_VOLUME);
  mChannels.push_back(channel);
  return channel;
}

void CSoundSystem::ReleaseChannel(int channel) {
  auto mine = std::find(mChannels.begin(), mChannels.end(), channel);
  if (!mOpen || mine == mChannels.end()) return;
  mChannels.erase(mine);
  Mix_HaltChannel(channel);
  if (channel < static_cast<int>(gChannelTaken.size())) gChannelTaken[channel] = false;
}

Mix_Chunk* CSoundSystem::LoadChunk(const std::string& bytes, std::string& error) const {
  return LoadFromMemory(mOpen, bytes, error, Mix_LoadWAV_RW);
}

Mix_Music* CSoundSystem::LoadMusic(const std::string& bytes, std::string& error) const {
  return LoadFromMemory(mOpen, bytes, error, Mix_LoadMUS_RW);
}

}  // namespace zorsound
