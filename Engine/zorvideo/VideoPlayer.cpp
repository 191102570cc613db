#include "Engine/zorvideo/VideoPlayer.h"

#include <algorithm>

#include "Engine/zorvideo/VideoClip.h"

namespace zorvideo {
namespace {
CVideoPlayer* gCurrentPlayer = nullptr;
}  // namespace

CVideoPlayer* GetVideoPlayer() { return gCurrentPlayer; }

CVideoPlayer::~CVideoPlayer() {
  for (CVideoClip* clip : std::vector<CVideoClip*>(mClips)) clip->DetachPlayer();
  mClips.clear();
  if (gCurrentPlayer == this) gCurrentPlayer = nullptr;
}

int32_t CVideoPlayer::Init(zorsound::CSoundSystem* sound) {
  mSound = sound;
  gCurrentPlayer = this;
  return 1;
}

void CVideoPlayer::Update(float /*dt*/) {
  for (CVideoClip* clip : mClips) clip->CheckMoved();
}

void CVideoPlayer::Frozen() {
  mFrozen = true;
  for (CVideoClip* clip : mClips) clip->SetFrozen(true);
}

void CVideoPlayer::UnFrozen() {
  mFrozen = false;
  for (CVideoClip* clip : mClips) clip->SetFrozen(false);
}

void CVideoPlayer::AddClip(CVideoClip* clip) {
  if (!clip || std::find(mClips.begin(), mClips.end(), clip) != mClips.end()) return;
  mClips.push_back(clip);
  if (mFrozen) clip->SetFrozen(true);
}

void CVideoPlayer::RemoveClip(CVideoClip* clip) { std::erase(mClips, clip); }

}  // namespace zorvideo
