// One record of a script action carried out on the scene: queued while it
// carries a delay, else dispatched by operation and target type to the
// scene's own object operations, to the chapter, to the game panel or to
// the current player's record. Run and Stop live in BaseBackRunStop.cpp.
#include <algorithm>

#include "Engine/rovovoz/StaticObject3D.h"
#include "Interface/GamePanel.h"
#include "Levels/BaseBack.h"
#include "Logic/BaseEpisod.h"
#include "Objects/MaxAnim.h"
#include "Platform/Strings.h"
#include "PlayerRecord.h"

using namespace actioncodes;

int32_t CBaseBack::ExecuteAction(SLogicAction& record, int mode, int randomize) {
  if (CActionRunner::QueueOrAnswer(record, mode, randomize != 0, mDelayedActions)) return 1;
  if (mode == kActionModeDry) return 1;
  switch (record.Operation) {
    case kOpVisible: ExecuteVisible(record); break;
    case kOpVisibleMask: ExecuteVisibleMask(record); break;
    case kOpUpdate:
    case kOpRender2D:
    case kOpTopRender: ExecuteObjectFlag(record); break;
    case kOpOpen:
    case kOpOpenAlwaysPick: ExecuteOpen(record); break;
    case kOpDelete: ExecuteDelete(record); break;
    case kOpSetTextTips: ExecuteSetTextTips(record); break;
    case kOpAdd: ExecuteAdd(record); break;
    case kOpRun: ExecuteRun(record, mode); break;
    case kOpStop: ExecuteStop(record, mode); break;
    case kOpCursor: ExecuteCursor(record); break;
    default: break;  // Close, and codes outside the table
  }
  return 1;
}

void CBaseBack::ExecuteVisible(const SLogicAction& a) {
  switch (a.Type) {
    case kTgObjTri:
      if (!a.par2.empty()) {
        if (mEpisod) mEpisod->SetBackTriangleVisible(a.par2, a.par3, a.par1, a.par_i1);
      } else if (!a.par3.empty()) {
        SetObjectClickableInRegion(a.par3, a.par1, a.par_i1);
      } else {
        SetObjectClickable(a.par1, a.par_i1);
      }
      break;
    case kTgObj:
      if (!a.par3.empty()) {
        if (mEpisod) mEpisod->SetBackObjectVisible(a.par3, a.par4, a.par1, a.par_i1, a.par2, a.par_i2);
      } else if (!a.par4.empty()) {
        ShowObjectInRegion(a.par4, a.par1, a.par_i1, a.par2, a.par_i2);
      } else {
        ShowObject(a.par1, a.par_i1, a.par2, a.par_i2);
      }
      break;
    case kTgSimpleTask: CameraMoveSimple(a.par1, a.par2, a.par_i1, a.par3, a.par_i2); break;
    case kTgComplexTask: CameraMoveComplex(a.par1, a.par2, a.par_i1, a.par3, a.par_i2); break;
    case kTgTopText:
      if (a.par2.empty())
        ShowGameTip(a.par1);
      else
        ShowTip(a.par1, a.par2);
      break;
    case kTgGamePanel:
      if (gGamePanel) gGamePanel->SetPanelMode(a.par1);  // the panel takes its label from the mode
      break;
    default: break;
  }
}

void CBaseBack::ExecuteVisibleMask(const SLogicAction& a) {
  if (a.Type == kTgObjTri) {
    if (!a.par2.empty()) {
      if (mEpisod) mEpisod->SetBackTriangleMask(a.par2, a.par3, a.par1, a.par_i1, a.par_i2, a.par_i3);
    } else if (!a.par3.empty()) {
      SetObjectGroupClickableInRegion(a.par3, a.par1, a.par_i1, a.par_i2, a.par_i3);
    } else {
      SetObjectGroupClickable(a.par1, a.par_i1, a.par_i2, a.par_i3);
    }
  } else if (a.Type == kTgObj) {
    if (!a.par3.empty()) {
      if (mEpisod) mEpisod->SetBackObjectMask(a.par3, a.par4, a.par1, a.par_i1, a.par2, a.par_i2, a.par_i3, a.par_i4);
    } else if (!a.par4.empty()) {
      ShowObjectGroupInRegion(a.par4, a.par1, a.par_i1, a.par2, a.par_i2, a.par_i3, a.par_i4);
    } else {
      ShowObjectGroup(a.par1, a.par_i1, a.par2, a.par_i2, a.par_i3, a.par_i4);
    }
  }
}

void CBaseBack::ExecuteObjectFlag(const SLogicAction& a) {
  if (a.Type != kTgObj) return;
  using Here = void (CBaseBack::*)(const std::wstring&, int);
  using InRegion = void (CBaseBack::*)(const std::wstring&, const std::wstring&, int);
  using Elsewhere = bool (CBaseEpisod::*)(const std::wstring&, const std::wstring&, const std::wstring&, int);
  Here here = &CBaseBack::SetObjectRotating2;
  InRegion inRegion = &CBaseBack::SetObjectRotating2InRegion;
  Elsewhere elsewhere = &CBaseEpisod::SetBackObjectUpdate;
  if (a.Operation == kOpRender2D) {
    here = &CBaseBack::SetObjectRender2D;
    inRegion = &CBaseBack::SetObjectRender2DInRegion;
    elsewhere = &CBaseEpisod::SetBackObjectRender2D;
  } else if (a.Operation == kOpTopRender) {
    here = &CBaseBack::SetObjectTopLayer;
    inRegion = &CBaseBack::SetObjectTopLayerInRegion;
    elsewhere = &CBaseEpisod::SetBackObjectTopRender;
  }
  if (!a.par2.empty()) {
    if (mEpisod) (mEpisod->*elsewhere)(a.par2, a.par3, a.par1, a.par_i1);
  } else if (!a.par3.empty()) {
    (this->*inRegion)(a.par3, a.par1, a.par_i1);
  } else {
    (this->*here)(a.par1, a.par_i1);
  }
}

void CBaseBack::ExecuteOpen(const SLogicAction& a) {
  const int alwaysPick = a.Operation == kOpOpenAlwaysPick ? 1 : 0;
  switch (a.Type) {
    case kTgSimpleTask:
      if (mEpisod) mEpisod->AddSimpleObject(a.par1, a.par2, a.key_tips, a.par3, alwaysPick);
      break;
    case kTgComplexTask:
      if (mEpisod) mEpisod->AddComplexObject(a.par1, a.par2, a.key_tips, a.par3, alwaysPick);
      break;
    case kTgPage: {
      if (alwaysPick) break;
      std::vector<std::wstring>& pages = gCurrentPlayer.mNotePages;
      if (a.par1 == L"clear") pages.clear();
      if (std::find(pages.begin(), pages.end(), a.par1) != pages.end()) break;
      pages.push_back(a.par1);
      gCurrentPlayer.mNotePage = static_cast<uint32_t>(pages.size());
      if (gGamePanel) gGamePanel->StartDnevnikEffect(a.par_i1 == 0 ? 1 : 0);
      break;
    }
    case kTgMapLevel: {
      if (alwaysPick) break;
      std::vector<std::wstring>& scenes = gCurrentPlayer.mMapLocations;
      if (std::find(scenes.begin(), scenes.end(), a.par1) == scenes.end()) scenes.push_back(a.par1);
      break;
    }
    default: break;
  }
}

void CBaseBack::ExecuteDelete(const SLogicAction& a) {
  switch (a.Type) {
    case kTgSimpleTask:
      if (mEpisod) mEpisod->DeleteSimpleObject(a.par1, a.par2);
      break;
    case kTgComplexTask:
      if (mEpisod) mEpisod->DeleteComplexObject(a.par1, a.par2);
      break;
    case kTgPredmet:
      if (gGamePanel) gGamePanel->DeleteSimpleObject(a.par1);
      break;
    case kTgMapLevel: {
      std::vector<std::wstring>& scenes = gCurrentPlayer.mMapLocations;
      const auto found = std::find(scenes.begin(), scenes.end(), a.par1);
      if (found != scenes.end()) scenes.erase(found);
      break;
    }
    default: break;
  }
}

void CBaseBack::ExecuteSetTextTips(const SLogicAction& a) {
  if (!mEpisod) return;
  if (a.Type == kTgSimpleTask)
    mEpisod->SetSimpleTaskTips(a.par1, a.par2, a.key_tips);
  else if (a.Type == kTgComplexTask)
    mEpisod->SetComplexTaskTips(a.par1, a.par2, a.key_tips);
  else if (a.Type == kTgComplexPiece)
    mEpisod->SetPieceTaskTips(a.par1, a.par2, a.par_i1, a.key_tips);
}

void CBaseBack::ExecuteAdd(const SLogicAction& a) {
  switch (a.Type) {
    case kTgPredmet:
      if (!mEpisod) break;
      if (a.par2 == L"predmet_menu") {
        mEpisod->RecordItem(a.par1);
        QueueModeName(a.par1);
      } else if (a.par2 == L"after_hog") {
        gCurrentPlayer.mAfterHogItem = a.par1;
      }
      mEpisod->AddPredmet(a.par1, a.par2);
      break;
    case kTgDialog:
      if (gGamePanel) gGamePanel->LoadDialog(a.par1);
      break;
    case kTgAmbientSoundGroup: AddSoundSequence(a.par1, a.par_i1, a.par_f1, a.par_f2); break;
    case kTgTruncateAlpha: {
      const int index = GetObjectIndex(a.par1);
      if (!IsEntryIndex(index)) break;
      // The lookup's result is stored even when it is empty.
      if (a.par_i1 == 1) {
        CMaxAnim* anim = GetObjectAs<CMaxAnim>(a.par2);
        mEntries[static_cast<size_t>(index)].mAttachedAnim = anim;
      } else {
        rovovoz::CStaticObject3D* model = GetObjectAs<rovovoz::CStaticObject3D>(a.par2);
        mEntries[static_cast<size_t>(index)].mAttachedModel = model;
      }
      break;
    }
    default: break;
  }
}

void CBaseBack::ExecuteCursor(const SLogicAction& a) {
  if (!gGamePanel) return;
  switch (a.Type) {
    case kTgPredmet:
      if (Platform::EqualsNoCase(a.par1, L"Clear")) gGamePanel->DropCursorObject(a.par_i1);
      break;
    case kTgSetType: gGamePanel->SetCursorModeByName(a.par1); break;
    case kTgSetPredmet:
      if (a.par1.empty())
        gGamePanel->DropCursorObject(a.par_i1);
      else
        gGamePanel->TakeToCursor(a.par1, nullptr);
      break;
    default: break;
  }
}
