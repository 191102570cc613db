#pragma once
// A timed character dialog: when the character talks, which subtitle shows
// when, which voice lines start when, where the player may skip to and when
// the dialog ends. Time runs only through Update.
#include <cstdint>
#include <string>
#include <vector>

namespace rovovoz {
class CGameCore;
}

struct SDialogTalk {
  float Time1 = 0.0f, Time2 = 0.0f;
};

struct SDialogText {
  float Time1 = 0.0f, Time2 = 0.0f;
  std::wstring Text;
};

struct SDialogSound {
  float Time = 0.0f;
  std::wstring Name;
};

class CDialogPlayer {
 public:
  explicit CDialogPlayer(rovovoz::CGameCore* core);

  // 1 loaded; 0 when the script cannot be read or has no Dialog root.
  int LoadFromXML(const std::wstring& file);
  void Start() { mActive = 1; }
  void Update(float dt);
  std::wstring GetCurrentText() const;
  float GetTextAlpha() const;
  // To the next skip point, or the end.
  void Skip();
  void Finish();

  int mCurrentTalk = -1;
  std::vector<SDialogTalk> mTalks;
  std::vector<SDialogText> mTexts;
  std::vector<SDialogSound> mSounds;
  std::vector<float> mSkipTimes;
  float mTime = 0.0f;
  float mEndTime = 0.0f;
  int32_t mActive = 1;
  int32_t mTalkStarted = 0;
  int32_t mTalkStopped = 0;
  int32_t mEnded = 0;  // 0 running, 1 ended in this frame, 2 ended earlier

 private:
  void StopSounds(float fade);

  rovovoz::CGameCore* mCore;
};
