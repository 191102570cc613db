// Found items and complex-item pieces: what a click on a zone entry does
// once its click chain has passed. The item's delete actions run first (a
// zero answer leaves everything as it was), then the chapter and the
// player's progress learn what was found, the entry is switched off and
// its saved state says so, the item window is queued and the click sound
// plays. The test twins answer whether such a click would be taken now.
#include "Engine/zorlog/Log.h"
#include "Interface/GamePanel.h"
#include "Levels/BaseBack.h"
#include "Logic/BaseEpisod.h"
#include "PlayerRecord.h"

namespace {

constexpr int kNoExtra = -1;

bool IsOneOf(const std::wstring& group, std::initializer_list<const wchar_t*> names) {
  for (const wchar_t* name : names)
    if (group == name) return true;
  return false;
}

// The game panel is there and carries nothing on the cursor.
bool CursorEmpty() { return gGamePanel && gGamePanel->IsCursorEmpty(); }

// The text key kept in the progress for one piece of a complex task.
std::wstring PieceTipKey(const std::wstring& group, const std::wstring& item, int piece) {
  SComplexTaskInfo* task = nullptr;
  if (!gCurrentPlayer.mEpisodInfo.FindComplexTask(group, item, task) || !task) return std::wstring();
  const SComplexPiece* record = task->FindPiece(static_cast<uint32_t>(piece));
  return record ? record->mName : std::wstring();
}

}  // namespace

// The entry is done: its saved flags give way to the done state, and it is
// neither shown nor clickable any more.
void CBaseBack::MarkEntryFound(int index) {
  ClearSavedObjectVisible(index);
  ClearSavedObjectClickable(index);
  ClearSavedObjectState(index);
  SObjectEntry& entry = mEntries[static_cast<size_t>(index)];
  entry.mActive = 0;
  entry.mClickable = 0;
  entry.mState = 3;
  SaveObjectState(index, 3);
}

// A close-up counts its finds down in its owner scene, under its own name.
void CBaseBack::CountRegionFind() {
  if (HasOwner()) gCurrentPlayer.mEpisodInfo.DecrementNamedCount(OwnerName(), GetName());
}

void CBaseBack::PlayClickSound() {
  if (mSounds) PlaySound(L"I_Click", 1.0f, 0.0f, 1);
}

int32_t CBaseBack::ClickObject(int index, const std::wstring& group, const std::wstring& item) {
  if (!mEpisod || !IsEntryIndex(index)) return 0;
  const std::wstring deleteAction = L"del_" + group + L"_" + item;
  if (group == L"push" || group == L"spush") return UseCarriedObject(index, group, item);
  // What each group needs before anything runs: a panel, and for most an
  // empty cursor (an inventory object held over a find item takes nothing).
  if (!gGamePanel) return 0;
  const bool known = IsOneOf(group, {L"find", L"sfind", L"free", L"mouse", L"hog", L"click", L"morph", L"lupa"});
  if (!known || (group != L"hog" && !CursorEmpty())) return 0;
  if (mEpisod->RunAction(deleteAction, 0, nullptr, kNoExtra) == 0) return 2;

  if (group == L"find") {
    mEpisod->RecordFoundItem(group, item);
    mEpisod->RecordItem(item);
    QueueModeName(item);
    MarkEntryFound(index);
    StopObjectOverlay(index, 0.0f);
    CountRegionFind();
    PlayClickSound();
  } else if (group == L"sfind") {
    // Taken onto the cursor: the entry hides but stays in play; the saved
    // state is left to what becomes of the carried object.
    SObjectEntry& entry = mEntries[static_cast<size_t>(index)];
    entry.mActive = 0;
    entry.mClickable = 0;
    PlayClickSound();
    rovovoz::CBaseGeometryObject* held =
        entry.mObject ? entry.mObject : static_cast<rovovoz::CBaseGeometryObject*>(entry.mTrigger);
    gGamePanel->TakeToCursor(item, held);
    StopObjectOverlay(index, 0.0f);
  } else if (group == L"free") {
    mEpisod->RecordFoundItem(group, item);
    CountRegionFind();
    MarkEntryFound(index);
    PlayClickSound();
  } else if (group == L"mouse" || group == L"hog") {
    mEpisod->RecordFoundItem(group, item);
    MarkEntryFound(index);
    StopObjectOverlay(index, 0.0f);
    CountRegionFind();
  } else {
    mEpisod->RecordFoundItem(group, item);
    MarkEntryFound(index);
  }
  return 0;
}

// A push zone takes the object named like its item from the cursor; the
// entry stays on screen but can no longer be clicked.
int32_t CBaseBack::UseCarriedObject(int index, const std::wstring& group, const std::wstring& item) {
  const std::wstring carried = gGamePanel ? gGamePanel->GetCursorName() : std::wstring();
  if (carried != item) {
    if (!carried.empty())
      mTipRequest = 1;
    else
      ShowItemTip(item);
    return 0;
  }
  mTipRequest = 0;
  if (mEpisod->RunAction(L"del_" + group + L"_" + item, 0, nullptr, kNoExtra) == 0) return 2;
  if (group == L"spush") {
    if (mEpisod->RunAction(L"del_sfind_" + item, 0, nullptr, kNoExtra) == 0) return 2;
    mEpisod->RecordFoundItem(L"sfind", item);
  }
  mEpisod->RecordFoundItem(group, item);
  if (gGamePanel) gGamePanel->DropCursorObject(2);
  SaveObjectVisible(index, 1);
  SaveObjectClickable(index, 0);
  SObjectEntry& entry = mEntries[static_cast<size_t>(index)];
  entry.mActive = 1;
  entry.mClickable = 0;
  entry.mState = 3;
  SaveObjectState(index, 3);
  ResetObjectEffect(index);
  StopObjectOverlay(index, 0.0f);
  CountRegionFind();
  return 0;
}

int32_t CBaseBack::ClickPiece(int index, const std::wstring& group, const std::wstring& item) {
  if (!mEpisod || !IsEntryIndex(index)) return 0;
  std::vector<SZoneComplex>* items = nullptr;
  SZoneComplex* complex = nullptr;
  SZoneItem* piece = nullptr;
  const bool found = FindZone2ItemByIndex(index, items, complex, piece);
  const std::wstring& objectName = mEntries[static_cast<size_t>(index)].mTriggerName;

  // The piece's delete actions: the scene's for the object, the chapter's
  // for the piece and, when the progress still holds the piece, for the item.
  auto deleteActions = [&](bool& itemActionRan) {
    itemActionRan = false;
    if (RunActionByName(L"del_" + objectName, 0, nullptr, kNoExtra) == 0) return false;
    if (mEpisod->RunAction(L"del_" + group + L"_" + item + L"_kus", 0, nullptr, kNoExtra) == 0) return false;
    if (QueryTaskItem(group, item, index)) {
      itemActionRan = true;
      if (mEpisod->RunAction(L"del_" + group + L"_" + item, 0, nullptr, kNoExtra) == 0) return false;
    }
    return true;
  };
  // The piece leaves the item's pieces in play.
  auto retirePiece = [&](int number) {
    auto& active = complex->mActivePieces;
    for (auto it = active.begin(); it != active.end(); ++it)
      if (it->ind == index && it->num == number) {
        active.erase(it);
        break;
      }
  };

  if (group == L"hog" || group == L"find") {
    if (!found) {
      zuzorev::LogMessage(zuzorev::ELogLevel::Error, L"Source/Levels/BaseBack", __LINE__,
                          L"No find comlex kusok pref = %s name = %s ind_obj = %i", group.c_str(), item.c_str(),
                          index);
      return 0;
    }
    if (!CursorEmpty()) return 0;
    const int number = piece->num;
    if (group == L"find" && !mEpisod->AcceptFindPiece(group, item, number)) return 0;
    bool itemActionRan = false;
    if (!deleteActions(itemActionRan)) return 2;
    // The actions may have changed the zones: find the piece again.
    if (!FindZone2ItemByIndex(index, items, complex, piece)) return 0;
    mEpisod->RecordFoundPiece(group, item, number, mEntries[static_cast<size_t>(index)].mObject);
    retirePiece(number);
    MarkEntryFound(index);
    CreateOverlayParticles(index);
    CountRegionFind();
    PlayClickSound();
    return 0;
  }
  if (group == L"push") {
    const std::wstring carried = gGamePanel ? gGamePanel->GetCursorName() : std::wstring();
    if (carried == item) {
      mTipRequest = 0;
      if (!found) return 0;
      const int number = piece->num;
      bool itemActionRan = false;
      if (!deleteActions(itemActionRan)) return 2;
      if (itemActionRan && gGamePanel) gGamePanel->DropCursorObject(2);
      if (!FindZone2ItemByIndex(index, items, complex, piece)) return 0;
      mEpisod->RecordFoundPiece(group, item, number, nullptr);
      retirePiece(number);
      MarkEntryFound(index);
      StopObjectOverlay(index, 0.0f);
      ResetObjectEffect(index);
      CountRegionFind();
    } else if (!carried.empty()) {
      mTipRequest = 1;
    } else if (found) {
      const std::wstring key = PieceTipKey(group, item, piece->num);
      if (!key.empty())
        ShowGameTip(key);
      else
        ShowItemTip(item);
    }
    return 0;
  }
  return 0;
}

int32_t CBaseBack::ClickZoneItem(int, const std::wstring& group, const std::wstring& item, SLogicAction* record,
                                 int extra) {
  if (!IsOneOf(group, {L"find", L"free", L"mouse", L"push", L"click", L"morph", L"lupa"})) return 1;
  if (!mEpisod) return 0;
  return mEpisod->RunAction(L"del_" + group + L"_" + item, 1, record, extra) != 0 ? 1 : 0;
}

int32_t CBaseBack::ClickPieceItem(int index, const std::wstring& group, const std::wstring& item,
                                  SLogicAction* record, int extra) {
  if (group != L"find" && group != L"push") return 1;
  if (!mEpisod || !IsEntryIndex(index)) return 0;
  std::vector<SZoneComplex>* items = nullptr;
  SZoneComplex* complex = nullptr;
  SZoneItem* piece = nullptr;
  if (!FindZone2ItemByIndex(index, items, complex, piece)) return 1;
  if (group == L"find" && !mEpisod->AcceptFindPiece(group, item, piece->num)) return 1;
  const std::wstring& objectName = mEntries[static_cast<size_t>(index)].mTriggerName;
  if (RunActionByName(L"del_" + objectName, 1, record, extra) == 0) return 0;
  if (mEpisod->RunAction(L"del_" + group + L"_" + item + L"_kus", 1, record, extra) == 0) return 0;
  if (!QueryTaskItem(group, item, index)) return 1;
  return mEpisod->RunAction(L"del_" + group + L"_" + item, 1, record, extra) != 0 ? 1 : 0;
}
