// The story logic's life cycle, its per-frame update and drawing by state,
// and the one-second fades into and out of the story.
#include "Logic/Logic.h"

#include "Engine/rovovoz/DialogManager.h"
#include "Engine/rovovoz/GUIEditBox.h"
#include "Engine/rovovoz/StaticObject3D.h"
#include "Engine/zuzorev/InputSystem.h"
#include "Engine/zuzorev/RenderSystem.h"
#include "Game.h"
#include "GameLog.h"
#include "GameState.h"
#include "Interface/GamePanel.h"
#include "Interface/MainMenu.h"
#include "Interface/PlayMenu.h"
#include "Logic/BaseEpisod.h"
#include "Logic/LogicLists.h"
#include "MiniGame/BaseMiniGame.h"
#include "PlayerRecord.h"
#include "Roliki/BaseRolik.h"

namespace {

const wchar_t* const kSource = L"Source/Logic/Logic";

void SetZEnableOff() {
  if (gRenderSystem) gRenderSystem->SetZEnable(0);
}

}  // namespace

CLogic::CLogic() { gDialogManager = nullptr; }

CLogic::~CLogic() { Release(); }

void CLogic::Release() {
  m_EpisodName.clear();
  m_TempStep = -1;
  m_Episods.clear();
  m_Steps.clear();
  DeleteEpisod();
  m_pTempMiniGame = nullptr;
  m_pTempRolik = nullptr;
  gCurrentRolik = nullptr;
  ReleaseLogicLists();
  delete gDialogManager;
  gDialogManager = nullptr;
  delete m_pInfoCodeBox;
  m_pInfoCodeBox = nullptr;
  m_ReplacePredmets.clear();
  m_PushPredmets.clear();
  m_FreePredmets.clear();
  m_FindPredmets.clear();
  m_HogPredmetTexts.clear();
}

void CLogic::DeleteEpisod() {
  delete m_pTempEpisod;
  m_pTempEpisod = nullptr;
}

int CLogic::Play() {
  gamelog::Info(kSource, __LINE__, L"CLogic::Play");
  m_TempStep = -1;
  m_EpisodName.clear();
  DeleteEpisod();
  m_pTempMiniGame = nullptr;
  m_pTempRolik = nullptr;
  m_State = m_PrevState = kStateNone;
  if (m_pInfoCodeBox) m_pInfoCodeBox->SetVisible(0);

  const std::wstring saved = gCurrentPlayer.mStepName;
  if (!saved.empty()) {
    if (m_Steps.empty()) return 0;
    for (int i = 0; i < GetStepCount(); ++i) {
      if (m_Steps[static_cast<size_t>(i)].NameStep == saved) {
        m_TempStep = i;
        break;
      }
    }
    if (m_TempStep < 0) {
      gamelog::Error(kSource, __LINE__, L"No find steps logic Name = %s", saved.c_str());
      ClearInfoLogicPlayer();
      m_TempStep = 0;
    }
  } else {
    if (m_Steps.empty()) {
      gamelog::Error(kSource, __LINE__, L"Empty steps logic.");
      return 0;
    }
    gamelog::Info(kSource, __LINE__, L"ClearInfoLogicPlayer() Start");
    ClearInfoLogicPlayer();
    gamelog::Info(kSource, __LINE__, L"ClearInfoLogicPlayer() OK");
    m_TempStep = 0;
  }

  if (gGamePanel) {
    m_pFadeForm = gGamePanel->GetAlphaEkran();
    m_FadeAlpha = 0.0f;
    m_FadeDir = 0;
  }
  m_State = kStateEnter;
  StartFadeIn();
  return 1;
}

void CLogic::Update(float dt, rovovoz::CMouseCursor* cursor) {
  const bool stepValid = IsStepIndex(m_TempStep);
  if (stepValid && HandleDebugKeys(dt, cursor) != 0) return;

  switch (m_State) {
    case kStateRolik:
      if (!stepValid || !m_pTempRolik) break;
      m_pTempRolik->Update(dt, cursor);
      if (m_pTempRolik->IsEndPlay()) {
        m_pTempRolik->Stop(0);
        NextStep();
      }
      break;
    case kStateEpisod: {
      if (!stepValid) break;
      if (!m_pTempEpisod) {
        gamelog::Error(kSource, __LINE__, L"Invalid temp episod Number = %s", m_EpisodName.c_str());
        return;
      }
      const int32_t result = m_pTempEpisod->Update(dt, cursor);
      if (result == 1) {
        DeleteEpisod();
        CalculateEpisod(m_TempStep);
        NextStep();
      } else if (result == 2 || result == 3) {
        m_State = kStateSuspended;
        m_PrevState = kStateEpisod;
        gNextGameState = result == 2 ? kStatePauseMenu : kStateExtrasOverGame;
        m_pTempEpisod->Pause();
      }
      break;
    }
    case kStateMiniGame:
      if (!stepValid || !m_pTempMiniGame) break;
      m_pTempMiniGame->Update(dt, cursor);
      if (m_pTempMiniGame->IsComplete()) {
        m_pTempMiniGame->UnLoad(rovovoz::ZOR_LM_TEXTURES | rovovoz::ZOR_LM_VERTEX);
        SetZEnableOff();
        NextStep();
      } else if (gInputSystem && gInputSystem->IsVKey(27, zuzorev::kInputDown)) {
        gNextGameState = kStateMainMenu;
      }
      break;
    case kStateEnter:
      if (gMainMenu) gMainMenu->UpdateScene(dt, cursor);
      if (!UpdateFade(dt)) {
        if (gPlayMenu) gPlayMenu->SetVisible(0);
        StartStep();
      }
      break;
    case kStateFadeOut:
    case kStateLeave:
      if (!UpdateFade(dt)) {
        if (m_State == kStateLeave) SaveCurrentStepName(1);
        m_State = kStateBackToMenu;
        StartFadeOut();
      }
      break;
    case kStateSuspended:
      if (!stepValid) break;
      if (!m_pTempEpisod) {
        gamelog::Error(kSource, __LINE__, L"Invalid temp episod Number = %s", m_EpisodName.c_str());
        return;
      }
      m_pTempEpisod->Tick(dt);
      break;
    case kStateBackToMenu:
      if (gMainMenu) gMainMenu->UpdateScene(dt, cursor);
      if (!UpdateFade(dt)) gNextGameState = kStateMainMenu;
      break;
    default:
      break;
  }
}

void CLogic::Render() {
  if (!IsStepIndex(m_TempStep)) return;
  switch (m_State) {
    case kStateRolik:
      if (m_pTempRolik) {
        SetZEnableOff();
        m_pTempRolik->Render();
        SetZEnableOff();
      }
      break;
    case kStateEpisod:
    case kStateSuspended:
      if (m_pTempEpisod) m_pTempEpisod->Render();
      break;
    case kStateMiniGame:
      if (m_pTempMiniGame) m_pTempMiniGame->Render();
      break;
    case kStateEnter:
    case kStateBackToMenu:
      if (gMainMenu) gMainMenu->Render();
      RenderFade();
      break;
    case kStateFadeOut:
    case kStateLeave:
      if (m_PrevState == kStateEpisod && m_pTempEpisod) m_pTempEpisod->Render();
      RenderFade();
      break;
    default:
      break;
  }
  if (m_pInfoCodeBox) m_pInfoCodeBox->Render();
}

void CLogic::UpdateEpisod(float dt) {
  if (m_State == kStateSuspended && m_pTempEpisod) m_pTempEpisod->Tick(dt);
}

void CLogic::ResumeCurrent() {
  if (m_State == kStateRolik && m_pTempRolik) {
    m_pTempRolik->Resume();
  } else if (m_State == kStateSuspended) {
    if (m_pTempEpisod) m_pTempEpisod->Resume();
    m_State = kStateEpisod;
  }
  if (gCurrentRolik) gCurrentRolik->Resume();
}

void CLogic::EndCurrent() {
  switch (m_State) {
    case kStateRolik:
      if (m_pTempRolik) {
        m_pTempRolik->Stop(1);
        m_pTempRolik->UnLoad(rovovoz::ZOR_LM_TEXTURES | rovovoz::ZOR_LM_VERTEX);
        SetZEnableOff();
        m_pTempRolik = nullptr;
      }
      break;
    case kStateEpisod:
    case kStateSuspended:
      if (m_pTempEpisod) {
        m_pTempEpisod->UnLoadCurrent();
        DeleteEpisod();
      }
      break;
    case kStateMiniGame:
      if (m_pTempMiniGame) {
        m_pTempMiniGame->Finish();
        m_pTempMiniGame->UnLoad(rovovoz::ZOR_LM_TEXTURES | rovovoz::ZOR_LM_VERTEX);
        SetZEnableOff();
      }
      m_pTempRolik = nullptr;
      break;
    default:
      break;
  }
}

void CLogic::StopEpisod() {
  m_State = kStateLeave;
  if (m_pTempEpisod) m_pTempEpisod->Stop();
  StartFadeIn();
}

void CLogic::StartFadeIn() {
  m_FadeDir = 1;
  m_FadeAlpha = 0.0f;
  if (m_pFadeForm) m_pFadeForm->SetAlpha(m_FadeAlpha);
}

void CLogic::StartFadeOut() {
  m_FadeDir = -1;
  m_FadeAlpha = 1.0f;
  if (m_pFadeForm) m_pFadeForm->SetAlpha(m_FadeAlpha);
}

bool CLogic::UpdateFade(float dt) {
  if (m_FadeDir == 0) return false;
  bool running = true;
  if (m_FadeDir > 0) {
    m_FadeAlpha += dt;
    if (m_FadeAlpha >= 1.0f) {
      m_FadeAlpha = 1.0f;
      m_FadeDir = 0;
      running = false;
    }
  } else {
    m_FadeAlpha -= dt;
    if (m_FadeAlpha <= 0.0f) {
      m_FadeAlpha = 0.0f;
      m_FadeDir = 0;
      running = false;
    }
  }
  if (m_pFadeForm) m_pFadeForm->SetAlpha(m_FadeAlpha);
  return running;
}

void CLogic::RenderFade() {
  if (m_FadeDir != 0 && m_pFadeForm) m_pFadeForm->Render();
}
