#include "Roliki/BaseRolik.h"

#include <tinyxml.h>

#include <algorithm>

#include "Engine/TinyXmlExt/TinyXmlExt.h"
#include "Engine/rovovoz/GameCore.h"
#include "Engine/rovovoz/GameSoundSystem.h"
#include "Engine/rovovoz/TextManager.h"
#include "Engine/rovovoz/VideoObject3D.h"
#include "GameLog.h"
#include "Interface/RolikInterfaceMenu.h"

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
  mTexts.clear();
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
  mLoaded = 0;
  mDescribed = 0;
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

  rovovoz::CTextManager* texts = mCore ? mCore->GetTextManager() : nullptr;
  for (const TiXmlElement* e = IterateChildrenElementUpper(root, "Text", nullptr); e;
       e = IterateChildrenElementUpper(root, "Text", e)) {
    // Each subtitle stands on its own: a missing time is 0, never the
    // previous subtitle's.
    SRolikText text;
    const std::wstring key = ValueUtf8(FindUpper(e, "Key"));
    if (texts) text.Text = texts->GetText(L"Video", key);
    text.Time1 = FloatValue(FindUpper(e, "Time1"));
    text.Time2 = FloatValue(FindUpper(e, "Time2"));
    mTexts.push_back(text);
  }

  mDescribed = 1;
  gamelog::Info(kSource, __LINE__, L"CBaseRolik::LoadFromXML Video->CreateClip");
  // An absurd aspect would ask for a clip of any height: keep it on screen.
  float aspect = mAspect;
  if (!(aspect > 0.0f) || aspect > 4.0f) aspect = 0.5f;
  mVideo = std::make_unique<rovovoz::CVideoObject3D>(mCore);
  if (!mVideo->CreateClip(1024, static_cast<int32_t>(aspect * 1024.0f), clipName, videoFile, 0)) {
    // No clip is a failed load: the caller names the cut-scene in its error
    // and goes on as after its end, with nothing kept to play it again.
    mVideo.reset();
    return 0;
  }
  gamelog::Info(kSource, __LINE__, L"CBaseRolik::LoadFromXML Video->CreateClip OK");
  mVideo->SetRender2D(0);
  mLoaded = 1;
  return 1;
}

int32_t CBaseRolik::Start() {
  mTime = 0.0f;
  mPlayState = -1;
  mShownText = -1;
  if (gRolikInterfaceMenu) {
    gRolikInterfaceMenu->Reset();
    gRolikInterfaceMenu->SetBarOffset((mAspect * 1024.0f - 512.0f) * 0.5f);
  }
  gamelog::Info(kSource, __LINE__, L"CBaseRolik::Start()");
  return 0;
}

void CBaseRolik::AdvancePlayback(float& dt) {
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
}

int CBaseRolik::FindText(const std::vector<SRolikText>& texts, float time) {
  int found = -1;
  for (size_t i = 0; i < texts.size(); ++i)
    if (texts[i].Time1 < time && time < texts[i].Time2) found = static_cast<int>(i);
  return found;
}

float CBaseRolik::TextAlpha(const SRolikText& text, float time) {
  float alpha = 2.0f * (time - text.Time1);
  if (time + 0.5f > text.Time2) alpha = 2.0f * (text.Time2 - time);
  return std::clamp(alpha, 0.0f, 1.0f);
}

void CBaseRolik::StopTracks() {
  rovovoz::CGameSoundSystem* sound = mCore ? mCore->GetSound() : nullptr;
  if (!sound) return;
  if (!mSound.empty()) sound->Stop(mSound, 1.0f);
  if (!mMusic.empty()) sound->Stop(mMusic, 1.0f);
}

void CBaseRolik::UpdateTextsAndSkip(float dt, rovovoz::CMouseCursor* cursor) {
  const int shown = FindText(mTexts, mTime);
  if (shown != mShownText) {
    mShownText = shown;
    if (gRolikInterfaceMenu) gRolikInterfaceMenu->SetText(shown < 0 ? std::wstring() : mTexts[shown].Text);
  }
  if (mShownText >= 0 && gRolikInterfaceMenu)
    gRolikInterfaceMenu->SetTextAlpha(TextAlpha(mTexts[mShownText], mTime));
  if (gRolikInterfaceMenu && gRolikInterfaceMenu->Update(dt, cursor)) {
    StopTracks();
    if (mVideo) mVideo->Stop(1.0f);
    gCurrentRolik = nullptr;
  }
}

void CBaseRolik::StartEndFade() {
  if (mVideo && gRolikInterfaceMenu && mTimeEnd - gRolikInterfaceMenu->GetFadeTime() - 0.2f < mTime)
    gRolikInterfaceMenu->StartFade();
}

int32_t CBaseRolik::Update(float dt, rovovoz::CMouseCursor* cursor) {
  AdvancePlayback(dt);
  UpdateTextsAndSkip(dt, cursor);
  StartEndFade();
  return 0;
}

int32_t CBaseRolik::Render() {
  if (mPlayState != 1) return 0;
  if (mVideo) mVideo->Render();
  RenderOverlay();
  return 0;
}

void CBaseRolik::RenderOverlay() {
  if (!gRolikInterfaceMenu) return;
  // Without a black end the closing fade still runs, unseen.
  const float fade = gRolikInterfaceMenu->GetFade();
  if (!mBlackEnd) gRolikInterfaceMenu->SetFade(0.0f);
  gRolikInterfaceMenu->Render();
  gRolikInterfaceMenu->SetFade(fade);
}

bool CBaseRolik::IsEndPlay() const {
  if (!mVideo) return true;
  if (gRolikInterfaceMenu) return gRolikInterfaceMenu->IsFadeDone() != 0;
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
  if (withSound) StopTracks();
  return 1;
}
