// One record of a chapter script: its delay, then the operation by its
// code and target type, on the chapter, its scenes, the player's progress
// or the game panel.
#include "GameLog.h"
#include "Interface/GamePanel.h"
#include "Levels/BaseBack.h"
#include "Logic/BaseEpisod.h"
#include "Platform/Random.h"
#include "PlayerRecord.h"

namespace {

const wchar_t* const kSource = L"Source/Logic/BaseEpisod";

// Operation codes of a script record.
enum : uint32_t {
  kOpVisible = 0,
  kOpOpen = 1,
  kOpAdd = 2,
  kOpDelete = 3,
  kOpRun = 4,
  kOpCursor = 5,
  kOpUpdate = 6,
  kOpVisibleMask = 7,
  kOpStop = 8,
  kOpClose = 9,
  kOpRender2D = 10,
  kOpTopRender = 11,
  kOpSetTextTips = 12,
  kOpOpenAlwaysPick = 13,
};

// Target types of a script record.
enum : uint32_t {
  kTObjTri = 0,
  kTObj = 1,
  kTSimple = 2,
  kTComplex = 3,
  kTMiniGame = 4,
  kTEnd = 7,
  kTPredmet = 9,
  kTLevel = 12,
  kTAction = 13,
  kTActionE = 14,
  kTBeg = 16,
  kTRolik = 21,
  kTSetType = 23,
  kTSetPredmet = 24,
  kTAmbientSound = 26,
  kTSound = 27,
  kTMusik = 28,
  kTRandomMusic = 36,
  kTComplexPiece = 38,
};

float RecordVolume(const SLogicAction& a) { return a.par_i1 > 0 ? static_cast<float>(a.par_i1) / 100.0f : 1.0f; }

}  // namespace

int32_t CBaseEpisod::ExecuteAction(SLogicAction& a, int mode, bool draw) {
  if (mode == kActionModeQuery) return 1;
  if (draw) a.Countdown = a.time2 * (static_cast<float>(Platform::Random()) / 32767.0f) + a.time;
  if ((mode == kActionModeNormal || mode == kActionModeFlush) && a.Countdown > 0.0f) {
    mDelayedActions.push_back(a);
    return 1;
  }
  const bool quiet = mode == kActionModeFlush || mode == kActionModeFlushRepeat;
  const uint32_t t = a.Type;
  switch (a.Operation) {
    case kOpVisible:
      if (t == kTObjTri) SetBackTriangleVisible(a.par2, a.par3, a.par1, a.par_i1);
      if (t == kTObj) SetBackObjectVisible(a.par3, a.par4, a.par1, a.par_i1, a.par2, a.par_i2);
      if (t == kTSimple) CameraMoveSimple(a.par1, a.par2, a.par_i1, a.par3, a.par_i2);
      if (t == kTComplex) CameraMoveComplex(a.par1, a.par2, a.par_i1, a.par3, a.par_i2);
      break;
    case kOpOpen:
    case kOpOpenAlwaysPick: {
      const int alwaysPick = a.Operation == kOpOpenAlwaysPick ? 1 : 0;
      if (t == kTSimple) AddSimpleObject(a.par1, a.par2, a.key_tips, a.par3, alwaysPick);
      if (t == kTComplex) AddComplexObject(a.par1, a.par2, a.key_tips, a.par3, alwaysPick);
      if (t == kTLevel && a.Operation == kOpOpen) {
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
      if (t == kTPredmet) AddPredmet(a.par1, a.par2);
      if (t == kTRandomMusic) AddRandomMusic(a.par1, a.par_i1);
      break;
    case kOpDelete:
      if (t == kTSimple) DeleteSimpleObject(a.par1, a.par2);
      if (t == kTComplex) DeleteComplexObject(a.par1, a.par2);
      if (t == kTPredmet && gGamePanel) gGamePanel->DeleteSimpleObject(a.par1);
      break;
    case kOpRun:
      switch (t) {
        case kTMiniGame:
          StartMiniGame(a.par1);
          break;
        case kTEnd:
          if (a.par1.empty() || a.par1 == L"Episode")
            --gCurrentPlayer.mEpisodInfo.mValue;
          else
            MarkBackEnd(a.par1, a.par2);
          break;
        case kTAction:
          RunBackAction(a.par2, a.par3, a.par1, mode, nullptr, -1);
          break;
        case kTActionE:
          RunBackActionE(a.par2, a.par3, a.par1, mode, nullptr, -1);
          break;
        case kTBeg:
          if (!a.par1.empty()) MarkBackBegin(a.par1, a.par2);
          break;
        case kTRolik:
          gamelog::Info(kSource, __LINE__, L"TA_ROLIK %s", a.par1.c_str());
          StartRolik(a.par1, 0);
          break;
        case kTAmbientSound:
          if (!quiet) PlayAmbientSound(a.par1, RecordVolume(a), a.par_f1, a.par_i2, a.par_f2, a.par_f3);
          break;
        case kTSound:
          if (!quiet) PlayEpisodSound(a.par1, RecordVolume(a), a.par_f1, a.par_i2 == 1);
          break;
        case kTMusik:
          if (!quiet) PlayEpisodMusic(a.par1, RecordVolume(a), a.par_f1, a.par_i2, a.par_f2, a.par_f3);
          break;
        case kTRandomMusic:
          if (!quiet) StartRandomMusic(&a.par1, 1);
          break;
        default:
          break;
      }
      break;
    case kOpCursor:
      if (!gGamePanel) break;
      if (t == kTPredmet && a.par1 == L"Clear") gGamePanel->DropCursorObject(a.par_i1);
      if (t == kTSetType) gGamePanel->SetCursorModeByName(a.par1, nullptr, 0);
      if (t == kTSetPredmet) {
        if (a.par1.empty())
          gGamePanel->DropCursorObject(0);
        else
          gGamePanel->TakeToCursor(a.par1, nullptr);
      }
      break;
    case kOpUpdate:
      if (t == kTObj) SetBackObjectUpdate(a.par2, a.par3, a.par1, a.par_i1);
      if (t == kTRandomMusic) FadeRandomMusic(a.par_f1, a.par_f2);
      break;
    case kOpVisibleMask:
      if (t == kTObjTri) SetBackTriangleMask(a.par2, a.par3, a.par1, a.par_i1, a.par_i2, a.par_i3);
      if (t == kTObj) SetBackObjectMask(a.par3, a.par4, a.par1, a.par_i1, a.par2, a.par_i2, a.par_i3, a.par_i4);
      break;
    case kOpStop:
      if (t == kTAmbientSound && !quiet) StopAmbientSound(a.par1, a.par_f1);
      if (t == kTMusik && !quiet) StopEpisodMusic(a.par1, a.par_f1);
      if (t == kTRandomMusic) StopRandomMusic(a.par_f1);
      break;
    case kOpRender2D:
      if (t == kTObj) SetBackObjectRender2D(a.par2, a.par3, a.par1, a.par_i1);
      break;
    case kOpTopRender:
      if (t == kTObj) SetBackObjectTopRender(a.par2, a.par3, a.par1, a.par_i1);
      break;
    case kOpSetTextTips:
      if (t == kTSimple) SetSimpleTaskTips(a.par1, a.par2, a.key_tips);
      if (t == kTComplex) SetComplexTaskTips(a.par1, a.par2, a.key_tips);
      if (t == kTComplexPiece) SetPieceTaskTips(a.par1, a.par2, a.par_i1, a.key_tips);
      break;
    default:
      // Close, and any code the table does not know, do nothing.
      break;
  }
  return 1;
}

void CBaseEpisod::UpdateDelayedActions(float dt) { mRunner.UpdateDelayed(mDelayedActions, dt); }

void CBaseEpisod::FlushDelayedActions() { mRunner.FlushDelayed(mDelayedActions); }
