#include "Roliki/BaseRolik.h"

#include <tinyxml.h>

#include "Engine/TinyXmlExt/TinyXmlExt.h"
#include "Engine/rovovoz/GameCore.h"
#include "Engine/rovovoz/GameSoundSystem.h"
#include "Engine/rovovoz/VideoObject3D.h"
#include "GameLog.h"

CBaseRolik* gCurrentRolik = nullptr;

namespace {

const wchar_t* const kSource = L"Source/Roliki/BaseRolik";

const TiXmlAttribute* ChildAttribute(const TiXmlElement* root, const char* child, const char* attribute) {
  const TiXmlElement* element = FirstChildElementUpper(root, child);
  return element ? FindUpper(element, attribute) : nullptr;
}

}  // namespace

CBaseRolik::CBaseRolik(rovovoz::CGameCore* core, const std::wstring& name, const std::wstring& file)
    : mCore(core), mFile(file) {
  SetName(name);
}

CBaseRolik::~CBaseRolik() { CBaseRolik::Release(0); }

int32_t CBaseRolik::Load(uint32_t) { return 1; }

int32_t CBaseRolik::UnLoad(uint32_t) { return 1; }

int32_t CBaseRolik::Release(uint32_t) {
  mVideo.reset();
  return 0;
}

void CBaseRolik::SetAlpha(float alpha) {
  rovovoz::CBaseObject::SetAlpha(alpha);
  if (mVideo) mVideo->SetAlpha(alpha);
}

int32_t CBaseRolik::LoadFile(uint32_t flags) { return LoadFromXML(mFile, flags); }

int32_t CBaseRolik::LoadFromXML(const std::wstring& file, uint32_t) {
  gamelog::Info(kSource, __LINE__, L"CBaseRolik::LoadFromXML Start");
  Release(0);
  if (!file.empty()) mFile = file;
  TiXmlDocument document;
  if (!LoadXmlDocument(document, L"Data\\Roliki\\" + mFile)) return 0;
  const TiXmlElement* root = RootElementUpper(document, "Rolik");
  if (!root) return 0;

  std::wstring clipName;
  std::wstring videoFile;
  if (const TiXmlElement* video = FirstChildElementUpper(root, "Video")) {
    clipName = ValueUtf8(FindUpper(video, "Name"));
    videoFile = ValueUtf8(FindUpper(video, "File"));
    const TiXmlAttribute* w = FindUpper(video, "Width");
    const TiXmlAttribute* h = FindUpper(video, "Height");
    const float width = w ? FloatValue(w) : -1.0f;
    const float height = h ? FloatValue(h) : -1.0f;
    if (width > 0.0f && height > 0.0f) mAspect = height / width;
  }
  mSound = ValueUtf8(ChildAttribute(root, "Sound", "Name"));
  mMusic = ValueUtf8(ChildAttribute(root, "Music", "Name"));
  if (const TiXmlAttribute* a = ChildAttribute(root, "TimeEnd", "Value")) mTimeEnd = FloatValue(a);
  if (const TiXmlAttribute* a = ChildAttribute(root, "HideOnLevel", "Value")) mHideOnLevel = IntValue(a);
  if (const TiXmlAttribute* a = ChildAttribute(root, "TimeToHide", "Value")) mTimeToHide = FloatValue(a);
  if (const TiXmlAttribute* a = ChildAttribute(root, "BlackEnd", "Value")) mBlackEnd = IntValue(a);
  if (const TiXmlAttribute* a = ChildAttribute(root, "Loop", "Value")) mLoop = IntValue(a);

  mLoaded = 1;
  gamelog::Info(kSource, __LINE__, L"CBaseRolik::LoadFromXML Video->CreateClip");
  // An absurd aspect would ask for a clip of any height: keep it on screen.
  float aspect = mAspect;
  if (!(aspect > 0.0f) || aspect > 4.0f) aspect = 0.5f;
  mVideo = std::make_unique<rovovoz::CVideoObject3D>(mCore);
  if (!mVideo->CreateClip(1024, static_cast<int32_t>(aspect * 1024.0f), clipName, videoFile, 0)) mVideo.reset();
  gamelog::Info(kSource, __LINE__, L"CBaseRolik::LoadFromXML Video->CreateClip OK");
  if (mVideo) mVideo->SetRender2D(0);
  return 1;
}

int32_t CBaseRolik::Start() {
  mTime = 0.0f;
  mPlayState = -1;
  gamelog::Info(kSource, __LINE__, L"CBaseRolik::Start()");
  return 0;
}

int32_t CBaseRolik::Update(float dt, rovovoz::CMouseCursor*) {
  rovovoz::CGameSoundSystem* sound = mCore ? mCore->GetSound() : nullptr;
  if (mPlayState == -1) {
    dt = 0.0f;
    if (mVideo) {
      gamelog::Info(kSource, __LINE__, L"Video->Play()");
      mVideo->Stop(0.0f);
      mVideo->SetVolume(0.0f);
      if (mLoop)
        mVideo->PlayLoop(0.0f);
      else
        mVideo->Play(0.0f);
      for (const std::wstring* track : {&mSound, &mMusic}) {
        if (track->empty() || !sound) continue;
        if (mLoop)
          sound->PlayLoop(*track, 0.0f, 1);
        else
          sound->Play(*track, 0.0f, 1);
      }
    }
    mPlayState = 1;
  }
  mTime += dt;
  if (mVideo) mVideo->Update(dt, nullptr);
  return 0;
}

int32_t CBaseRolik::Render() {
  if (mPlayState == 1 && mVideo) mVideo->Render();
  return 0;
}

bool CBaseRolik::IsEndPlay() const {
  if (!mVideo) return true;
  if (mPlayState == 1 && !mLoop && mVideo->IsFinished()) return true;
  return mTime > mTimeEnd;
}

void CBaseRolik::Resume() {
  if (!mVideo) return;
  mVideo->UnPause();
  rovovoz::CGameSoundSystem* sound = mCore ? mCore->GetSound() : nullptr;
  if (!sound) return;
  if (!mSound.empty()) sound->Resume(mSound);
  if (!mMusic.empty()) sound->Resume(mMusic);
}

int32_t CBaseRolik::Stop(int withSound) {
  if (mVideo) mVideo->Stop(0.0f);
  rovovoz::CGameSoundSystem* sound = mCore ? mCore->GetSound() : nullptr;
  if (!withSound || !sound) return 1;
  if (!mSound.empty()) sound->Stop(mSound, 1.0f);
  if (!mMusic.empty()) sound->Stop(mMusic, 1.0f);
  return 1;
}
