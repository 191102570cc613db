#include "Interface/DialogPlayer.h"

#include "Engine/TinyXmlExt/TinyXmlExt.h"
#include "Engine/rovovoz/GameCore.h"
#include "Engine/rovovoz/GameSoundSystem.h"
#include "Engine/rovovoz/TextManager.h"
#include "Engine/zormath/Math.h"
#include "Platform/Strings.h"

CDialogPlayer::CDialogPlayer(rovovoz::CGameCore* core) : mCore(core) {}

int CDialogPlayer::LoadFromXML(const std::wstring& file) {
  TiXmlDocument doc;
  if (!LoadXmlDocument(doc, file, mCore ? mCore->GetFileSystem() : nullptr)) return 0;
  const TiXmlElement* root = RootElementUpper(doc, "Dialog");
  if (!root) return 0;
  auto time = [](const TiXmlElement* e, const char* name, float& value) {
    if (const TiXmlAttribute* a = FindUpper(e, name)) value = zormath::Finite(FloatValue(a));
  };
  mEndTime = 0.0f;
  time(root, "EndTime", mEndTime);
  SDialogTalk talk;
  SDialogText text;
  float soundTime = 0.0f;
  for (const TiXmlElement* e = IterateChildrenElement(root, nullptr); e; e = IterateChildrenElement(root, e)) {
    const std::string tag = e->ValueStr();
    auto is = [&tag](const char* name) { return Platform::EqualsNoCase(tag, name); };
    if (is("Talk")) {
      time(e, "Time1", talk.Time1);
      time(e, "Time2", talk.Time2);
      mTalks.push_back(talk);
    } else if (is("Text")) {
      time(e, "Time1", text.Time1);
      time(e, "Time2", text.Time2);
      text.Text.clear();
      if (const TiXmlAttribute* key = FindUpper(e, "Text"))
        if (mCore && mCore->GetTextManager()) text.Text = mCore->GetTextManager()->GetText(L"k_dialog", ValueUtf8(key));
      mTexts.push_back(text);
    } else if (is("Sound")) {
      time(e, "Time", soundTime);
      mSounds.push_back({soundTime, ValueUtf8(FindUpper(e, "Name"))});
    } else if (is("SkipTime")) {
      if (const TiXmlAttribute* a = FindUpper(e, "Time")) mSkipTimes.push_back(zormath::Finite(FloatValue(a)) - 0.1f);
    }
  }
  mTime = 0.0f;
  mActive = 1;
  mEnded = 0;
  return 1;
}

void CDialogPlayer::Update(float dt) {
  if (mActive != 1) return;
  if (mEnded != 0) {
    mEnded = 2;
    return;
  }
  mTalkStarted = mTalkStopped = 0;
  const float previous = mTime;
  mTime += dt;
  rovovoz::CGameSoundSystem* sound = mCore ? mCore->GetSound() : nullptr;
  for (const SDialogSound& s : mSounds)
    if (s.Time >= previous && s.Time <= mTime && sound) sound->Play(s.Name, 0.0f, 1);
  int talk = -1;
  for (size_t i = 0; i < mTalks.size(); ++i)
    if (mTalks[i].Time1 <= mTime && mTime <= mTalks[i].Time2) talk = static_cast<int>(i);
  if (talk != mCurrentTalk) {
    if (mCurrentTalk == -1) mTalkStarted = 1;
    if (talk == -1) mTalkStopped = 1;
    mCurrentTalk = talk;
  }
  if (mEndTime < mTime) mEnded = 1;
}

std::wstring CDialogPlayer::GetCurrentText() const {
  for (const SDialogText& t : mTexts)
    if (t.Time1 <= mTime && mTime <= t.Time2) return t.Text;
  return std::wstring();
}

float CDialogPlayer::GetTextAlpha() const {
  for (const SDialogText& t : mTexts) {
    if (!(t.Time1 <= mTime && mTime <= t.Time2)) continue;
    if (mTime - t.Time1 < 1.0f) return mTime - t.Time1;
    if (t.Time2 - mTime < 1.0f) return t.Time2 - mTime;
  }
  return 1.0f;
}

void CDialogPlayer::StopSounds(float fade) {
  rovovoz::CGameSoundSystem* sound = mCore ? mCore->GetSound() : nullptr;
  if (!sound) return;
  for (const SDialogSound& s : mSounds)
    if (sound->GetState(s.Name) != rovovoz::kSoundStopped) sound->Stop(s.Name, fade);
}

void CDialogPlayer::Skip() {
  if (mActive != 1 || mEnded != 0) return;
  for (float point : mSkipTimes) {
    if (point > mTime) {
      mTime = point;
      StopSounds(0.3f);
      return;
    }
  }
  Finish();
}

void CDialogPlayer::Finish() {
  mEnded = 1;
  StopSounds(1.0f);
}
