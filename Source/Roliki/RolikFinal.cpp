#include "Roliki/RolikFinal.h"

#include <algorithm>
#include <cmath>

#include "Engine/rovovoz/GUIForm.h"
#include "Engine/rovovoz/GameCore.h"
#include "Engine/rovovoz/GameSoundSystem.h"
#include "Engine/rovovoz/StaticObject3D.h"
#include "Engine/rovovoz/TextManager.h"
#include "Engine/rovovoz/VideoObject3D.h"
#include "Engine/zuzorev/InputSystem.h"
#include "Engine/zuzorev/RenderSystem.h"
#include "GameLog.h"
#include "Interface/RolikInterfaceMenu.h"
#include "Platform/Random.h"
#include "PlayerList.h"
#include "PlayerRecord.h"

namespace {

const wchar_t* const kSource = L"Source/Roliki/RolikFinal";
const wchar_t* const kModels = L"Final_text_window.ZORM";
const wchar_t* const kTrack = L"track03";
constexpr float kPi = 3.14159265f;
// The closing text starts this far below its laid-out place and scrolls up.
constexpr float kTextStart = -650.0f;
constexpr float kTextSpeed = 30.0f;

std::unique_ptr<rovovoz::CStaticObject3D> LoadModel(rovovoz::CGameCore* core, const wchar_t* name,
                                                     bool negativeFails) {
  auto model = std::make_unique<rovovoz::CStaticObject3D>(core);
  const int32_t result = model->LoadModel(kModels, name, 11);
  if (negativeFails ? result < 0 : result == 0) return nullptr;
  model->SetRender2D(1);
  return model;
}

}  // namespace

CRolikFinal::CRolikFinal(rovovoz::CGameCore* core, const std::wstring& name, const std::wstring& file)
    : CBaseRolik(core, name, file) {
  CRolikFinal::LoadFromXML(file, 11);
}

CRolikFinal::~CRolikFinal() { CRolikFinal::Release(0); }

float CRolikFinal::TextFrameAlpha(float t) {
  if (t > 42.0f) return 1.0f - (t - 42.0f) / 5.0f;
  return std::min(t / 5.0f, 1.0f);
}

float CRolikFinal::BackFrameAlpha(float t) { return std::clamp((t - 42.0f) * 0.5f, 0.0f, 1.0f); }

float CRolikFinal::EndLabelAlpha(float t) {
  if (t > 48.0f) return 1.0f;
  return t > 46.0f ? (t - 46.0f) * 0.5f : 0.0f;
}

float CRolikFinal::ContinueLabelAlpha(float t) {
  if (t > 50.0f) return 1.0f;
  return t > 48.0f ? (t - 48.0f) * 0.5f : 0.0f;
}

float CRolikFinal::LogoGrowScale(float t) {
  float f = 1.4f * (t - 42.0f) / 3.0f;
  // It overshoots to 1.2 and settles back to 1.0 at 45 s.
  if (f > 1.2f) f = 1.2f - (f - 1.2f);
  return f;
}

int32_t CRolikFinal::LoadFromXML(const std::wstring& file, uint32_t flags) {
  mWindowTime = 0.0f;
  mContinued = 0;
  int32_t result = CBaseRolik::LoadFromXML(file, flags);
  if (!result && mDescribed) {
    // The end texts, frames and logo close the story without the clip.
    mLoaded = 1;
    result = 1;
  }

  mWindow.reset();
  mLText = mLEnd = mLContinue = nullptr;
  auto window = std::make_unique<rovovoz::CGUIForm>(mCore);
  if (window->Load(L"Data\\Interface\\FinalRolik.xml", 3) < 0) {
    // No end texts then: the frames and the logo still close the story.
    gamelog::Error(kSource, __LINE__, L"Load FinalRolik window");
  } else {
    mWindow = std::move(window);
    mLText = mWindow->GetChild(L"Text");
    mLEnd = mWindow->GetChild(L"TheEnd");
    mLContinue = mWindow->GetChild(L"ClickToContinue");
    if (mLText) {
      mLText->AddPositionZ3D(kTextStart);
      std::wstring text;
      rovovoz::CTextManager* texts = mCore ? mCore->GetTextManager() : nullptr;
      for (int i = 1; i <= 6 && texts; ++i) {
        if (i > 1) text += L"\n\n";
        text += texts->GetText(L"Video", L"t_final_text_0" + std::to_wstring(i));
      }
      mLText->SetText(text);
    }
  }
  LoadModels();
  return result;
}

void CRolikFinal::LoadModels() {
  mTextFrame = LoadModel(mCore, L"Text_black_rect", false);
  mBackFrame = LoadModel(mCore, L"Back_black_rect", false);
  mLogo = LoadModel(mCore, L"S_logo", false);
  mLogoSheen = LoadModel(mCore, L"S_logoBlik", true);
  zuzorev::CRenderSystem* render = mCore ? mCore->GetRender() : nullptr;
  if (!render || render->LoadTexture(L"MM_Start_Screenline.tga", mSheenTexture) < 0) mSheenTexture.Release();
}

int32_t CRolikFinal::Release(uint32_t flags) {
  mTextFrame.reset();
  mBackFrame.reset();
  mLogo.reset();
  mWindow.reset();
  mLText = mLEnd = mLContinue = nullptr;
  mLogoSheen.reset();
  mSheenTexture.Release();
  return CBaseRolik::Release(flags);
}

void CRolikFinal::Restart() {
  mWindowTime = 0.0f;
  mContinued = 0;
  CBaseRolik::Start();
  if (!mVideo) return;
  mVideo->Stop(0.0f);
  mVideo->SetVolume(1.0f);
  if (mLoop)
    mVideo->PlayLoop(0.0f);
  else
    mVideo->Play(0.0f);
  mVideo->Update(0.0f, nullptr);
}

int32_t CRolikFinal::Start() {
  mSheenTimer = 1.1f;
  Restart();
  // Even a final cut-scene skipped at once has finished the game.
  gCurrentPlayer.Clear();
  gCurrentPlayer.mWinState += 1;
  gCurrentPlayer.mGameFinished = 1;
  if (gPlayerList && !gCurrentPlayer.mName.empty() && !gPlayerList->SavePlayer(gCurrentPlayer))
    gamelog::Error(kSource, __LINE__, L"Save player %s", gCurrentPlayer.mName.c_str());
  return 0;
}

int32_t CRolikFinal::Replay() {
  Restart();
  return 0;
}

int32_t CRolikFinal::Update(float dt, rovovoz::CMouseCursor* cursor) {
  AdvancePlayback(dt);
  mWindowTime += dt;
  rovovoz::CGameSoundSystem* sound = mCore ? mCore->GetSound() : nullptr;
  if (sound && mWindowTime > 0.5f && mWindowTime < 0.7f) {
    const int32_t state = sound->GetState(kTrack);
    if (state != rovovoz::kSoundPaused && state != rovovoz::kSoundPlaying) sound->Play(kTrack, 0.0f, 1);
  }
  if (mWindowTime > 46.0f) {
    mSheenTimer -= dt * 0.2f;
    if (mSheenTimer < 0.0f) mSheenTimer = static_cast<float>(Platform::Random()) / 32767.0f * 1.2f + 1.0f;
  }
  // The final cut-scene cannot be skipped: its skip button fades away.
  if (gRolikInterfaceMenu) gRolikInterfaceMenu->SetSkipAlpha(1.0f - mWindowTime);
  UpdateTextsAndSkip(dt, cursor);
  if (mWindowTime > kContinueTime && !mContinued) {
    zuzorev::CInputSystem* input = mCore ? mCore->GetInput() : nullptr;
    if (input && (input->IsButton(0, 1) || input->IsAnyVKeys())) {
      if (sound) sound->Stop(kTrack, 1.0f);
      StopTracks();
      if (mVideo) mVideo->Stop(1.0f);
      gCurrentRolik = nullptr;
      mContinued = 1;
      if (gRolikInterfaceMenu) gRolikInterfaceMenu->StartFade();
    }
  }
  StartEndFade();
  return 0;
}

void CRolikFinal::RenderLogo(float t) {
  if (!mLogo || t <= 42.0f) return;
  if (t <= 45.0f) {
    const float f = LogoGrowScale(t);
    mLogo->SetScale(f, 1.0f, f);
    mLogo->SetAlpha((t - 42.0f) / 3.0f);
    mLogo->Render();
  } else if (t <= 46.0f) {
    // A flash over the logo as it settles.
    const float flash = std::sin((t - 45.0f) * kPi);
    mLogo->SetScale(1.0f, 1.0f, 1.0f);
    mLogo->SetAlpha(1.0f);
    mLogo->Render();
    mLogo->SetAlpha(flash);
    mLogo->RenderAsOverlay(0.4f * flash);
    mLogo->SetAlpha(1.0f);
  } else {
    mLogo->Render();
  }
}

void CRolikFinal::RenderSheen() {
  zuzorev::CRenderSystem* render = mCore ? mCore->GetRender() : nullptr;
  if (!mLogoSheen || !render || mWindowTime <= 46.0f) return;
  // The sheen glints as its timer runs out, then waits for the next turn.
  mLogoSheen->SetAlpha(std::clamp(1.0f - mSheenTimer, 0.0f, 1.0f));
  render->BindTexture(1, mSheenTexture.IsNamed() ? &mSheenTexture : nullptr);
  const int sheen = render->GetRenderSetingID(L"MT_TEXTURE_ALPHA_SMOOTH_SECONDTEX_MULTALPHA");
  if (sheen >= 0) mLogoSheen->SetRenderSeting(sheen);
  mLogoSheen->Render();
  const int smooth = render->GetRenderSetingID(L"MT_TEXTURE_ALPHA_SMOOTH");
  if (smooth >= 0) mLogoSheen->SetRenderSeting(smooth);
  render->BindTexture(1, nullptr);
}

int32_t CRolikFinal::Render() {
  const float t = mWindowTime;
  if (mVideo) mVideo->Render();
  if (mTextFrame) {
    const float alpha = TextFrameAlpha(t);
    if (alpha > 0.0f) {
      mTextFrame->SetAlpha(alpha);
      mTextFrame->Render();
    }
  }
  if (mLText) {
    mLText->AddPositionZ3D(t * kTextSpeed);
    mLText->Render();
    mLText->AddPositionZ3D(-t * kTextSpeed);
  }
  if (mBackFrame) {
    mBackFrame->SetAlpha(BackFrameAlpha(t));
    mBackFrame->Render();
  }
  RenderLogo(t);
  if (mLEnd && t > 46.0f) {
    mLEnd->SetAlpha(EndLabelAlpha(t));
    mLEnd->Render();
  }
  if (mLContinue && t > 48.0f) {
    mLContinue->SetAlpha(ContinueLabelAlpha(t));
    mLContinue->Render();
  }
  RenderSheen();
  RenderOverlay();
  return 0;
}
