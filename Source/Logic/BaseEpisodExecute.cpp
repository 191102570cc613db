// One record of a chapter script: its delay, then the operation by its
// code and target type, on the chapter, its scenes, the player's progress
// or the game panel.
#include "GameLog.h"
#include "Interface/GamePanel.h"
#include "Levels/BaseBack.h"
#include "Logic/BaseEpisod.h"
#include "PlayerRecord.h"

using namespace actioncodes;

namespace {

const wchar_t* const kSource = L"Source/Logic/BaseEpisod";

float RecordVolume(const SLogicAction& a) { return a.par_i1 > 0 ? static_cast<float>(a.par_i1) / 100.0f : 1.0f; }

}  // namespace

int32_t CBaseEpisod::ExecuteAction(SLogicAction& a, int mode, bool draw) {
  if (CActionRunner::QueueOrAnswer(a, mode, draw, mDelayedActions)) return 1;
  const bool quiet = mode == kActionModeFlush || mode == kActionModeFlushRepeat;
  const uint32_t t = a.Type;
  switch (a.Operation) {
    case kOpVisible:
      if (t == kTgObjTri) SetBackTriangleVisible(a.par2, a.par3, a.par1, a.par_i1);
      if (t == kTgObj) SetBackObjectVisible(a.par3, a.par4, a.par1, a.par_i1, a.par2, a.par_i2);
      if (t == kTgSimpleTask) CameraMoveSimple(a.par1, a.par2, a.par_i1, a.par3, a.par_i2);
      if (t == kTgComplexTask) CameraMoveComplex(a.par1, a.par2, a.par_i1, a.par3, a.par_i2);
      break;
    case kOpOpen:
    case kOpOpenAlwaysPick: {
      const int alwaysPick = a.Operation == kOpOpenAlwaysPick ? 1 : 0;
      if (t == kTgSimpleTask) AddSimpleObject(a.par1, a.par2, a.key_tips, a.par3, alwaysPick);
      if (t == kTgComplexTask) AddComplexObject(a.par1, a.par2, a.key_tips, a.par3, alwaysPick);
      if (t == kTgLevel && a.Operation == kOpOpen) {
        mNextScene = FindBack(a.par1);
        mHogFlag = 0;
        if (!mNextScene) {
          mNextState = kStateFinished;
          break;
        }
        mReturnState = kStateSceneFadeIn;
        mNextState = mCurrentScene ? kStateSceneFadeOut : kStateSceneFadeIn;
        SEpisodInfo& info = gCurrentPlayer.mEpisodInfo;
        info.mLevelName = mNextScene->GetName();
        mHogFlag = a.par2 == L"hog" ? 1 : 0;
        info.mLevelIsHog = static_cast<uint32_t>(mHogFlag);
        if (gGamePanel) gGamePanel->DropCursorObject(0);
      }
      break;
    }
    case kOpAdd:
      if (t == kTgPredmet) AddPredmet(a.par1, a.par2);
      if (t == kTgRandomMusic) AddRandomMusic(a.par1, a.par_i1);
      break;
    case kOpDelete:
      if (t == kTgSimpleTask) DeleteSimpleObject(a.par1, a.par2);
      if (t == kTgComplexTask) DeleteComplexObject(a.par1, a.par2);
      if (t == kTgPredmet && gGamePanel) gGamePanel->DeleteSimpleObject(a.par1);
      break;
    case kOpRun:
      switch (t) {
        case kTgMiniGame:
          StartMiniGame(a.par1);
          break;
        case kTgEnd:
          if (a.par1.empty() || a.par1 == L"Episode")
            --gCurrentPlayer.mEpisodInfo.mValue;
          else
            MarkBackEnd(a.par1, a.par2);
          break;
        case kTgAction:
          RunBackAction(a.par2, a.par3, a.par1, mode, nullptr, -1);
          break;
        case kTgActionE:
          RunBackActionE(a.par2, a.par3, a.par1, mode, nullptr, -1);
          break;
        case kTgBeg:
          if (!a.par1.empty()) MarkBackBegin(a.par1, a.par2);
          break;
        case kTgRolik:
          gamelog::Info(kSource, __LINE__, L"TA_ROLIK %s", a.par1.c_str());
          StartRolik(a.par1, 0);
          break;
        case kTgAmbientSound:
          if (!quiet) PlayAmbientSound(a.par1, RecordVolume(a), a.par_f1, a.par_i2, a.par_f2, a.par_f3);
          break;
        case kTgSound:
          if (!quiet) PlayEpisodSound(a.par1, RecordVolume(a), a.par_f1, a.par_i2 == 1);
          break;
        case kTgMusik:
          if (!quiet) PlayEpisodMusic(a.par1, RecordVolume(a), a.par_f1, a.par_i2, a.par_f2, a.par_f3);
          break;
        case kTgRandomMusic:
          if (!quiet) StartRandomMusic(&a.par1, 1);
          break;
        default:
          break;
      }
      break;
    case kOpCursor:
      if (!gGamePanel) break;
      if (t == kTgPredmet && a.par1 == L"Clear") gGamePanel->DropCursorObject(a.par_i1);
      if (t == kTgSetType) gGamePanel->SetCursorModeByName(a.par1, nullptr, 0);
      if (t == kTgSetPredmet) {
        if (a.par1.empty())
          gGamePanel->DropCursorObject(0);
        else
          gGamePanel->TakeToCursor(a.par1, nullptr);
      }
      break;
    case kOpUpdate:
      if (t == kTgObj) SetBackObjectUpdate(a.par2, a.par3, a.par1, a.par_i1);
      if (t == kTgRandomMusic) FadeRandomMusic(a.par_f1, a.par_f2);
      break;
    case kOpVisibleMask:
      if (t == kTgObjTri) SetBackTriangleMask(a.par2, a.par3, a.par1, a.par_i1, a.par_i2, a.par_i3);
      if (t == kTgObj) SetBackObjectMask(a.par3, a.par4, a.par1, a.par_i1, a.par2, a.par_i2, a.par_i3, a.par_i4);
      break;
    case kOpStop:
      if (t == kTgAmbientSound && !quiet) StopAmbientSound(a.par1, a.par_f1);
      if (t == kTgMusik && !quiet) StopEpisodMusic(a.par1, a.par_f1);
      if (t == kTgRandomMusic) StopRandomMusic(a.par_f1);
      break;
    case kOpRender2D:
      if (t == kTgObj) SetBackObjectRender2D(a.par2, a.par3, a.par1, a.par_i1);
      break;
    case kOpTopRender:
      if (t == kTgObj) SetBackObjectTopRender(a.par2, a.par3, a.par1, a.par_i1);
      break;
    case kOpSetTextTips:
      if (t == kTgSimpleTask) SetSimpleTaskTips(a.par1, a.par2, a.key_tips);
      if (t == kTgComplexTask) SetComplexTaskTips(a.par1, a.par2, a.key_tips);
      if (t == kTgComplexPiece) SetPieceTaskTips(a.par1, a.par2, a.par_i1, a.key_tips);
      break;
    default:
      // Close, and any code the table does not know, do nothing.
      break;
  }
  return 1;
}

void CBaseEpisod::UpdateDelayedActions(float dt) { mRunner.UpdateDelayed(mDelayedActions, dt); }

void CBaseEpisod::FlushDelayedActions() { mRunner.FlushDelayed(mDelayedActions); }
