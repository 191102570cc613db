// The chapter's tasks in the player's progress: simple and complex tasks
// opened, found and deleted, their tips, the task queries of the scripts,
// and the items the player is given.
#include "GameLog.h"
#include "Interface/GamePanel.h"
#include "Levels/BaseBack.h"
#include "Logic/BaseEpisod.h"
#include "Logic/Logic.h"
#include "Platform/Strings.h"
#include "PlayerRecord.h"

namespace {

const wchar_t* const kSource = L"Source/Logic/BaseEpisod";

SEpisodInfo& Progress() { return gCurrentPlayer.mEpisodInfo; }

}  // namespace

void CBaseEpisod::MarkStarted() { mStarted = 1; }

void CBaseEpisod::AddSimpleObject(const std::wstring& list, const std::wstring& object, const std::wstring& keyTips,
                                  const std::wstring& mode, int alwaysPick) {
  SObjectTaskInfo task;
  task.mName = object;
  task.mValue = 1;
  task.mName2 = keyTips;
  Progress().PutObjectTask(list, task);
  const bool cameraHere = Platform::EqualsNoCase(mode, L"camera") && IsSceneState();
  for (CBaseBack* scene : mScenes) {
    if (!scene) continue;
    const bool gets = !cameraHere || scene == mCurrentScene;
    scene->HandleModeRequest(list, object, gets ? mode : std::wstring(), alwaysPick);
  }
}

void CBaseEpisod::AddComplexObject(const std::wstring& list, const std::wstring& object,
                                   const std::wstring& keyTips, const std::wstring& option, int alwaysPick) {
  if (!gLogic) return;
  Progress().RemoveComplexTask(list, object);
  SComplexTaskInfo task;
  task.mName = object;
  task.mValue = 1;
  task.mValue2 = 1;
  task.mName2 = keyTips;
  const bool camera = option == L"camera";
  auto addPieces = [&](int count) {
    for (int i = 1; i <= count; ++i) {
      SComplexPiece piece;
      piece.mId = static_cast<uint32_t>(i);
      piece.mPending = 1;
      task.mPieces.push_back(piece);
    }
  };
  bool store = true;
  if (list == L"find") {
    const auto found = gLogic->m_FindPredmets.find(object);
    if (found == gLogic->m_FindPredmets.end()) {
      gamelog::Error(kSource, __LINE__, L"No find complex predmet %s", object.c_str());
      return;
    }
    const SFindPredmetInfo& item = found->second;
    addPieces(item.Count == 0 ? static_cast<int>(item.Pieces.size()) : item.Count);
  } else if (list == L"push" || list == L"hog") {
    for (CBaseBack* scene : mScenes)
      if (scene) scene->CollectZoneItems(list, task);
    if (task.mPieces.empty()) {
      gamelog::Error(kSource, __LINE__, L"AddComplexObject. No find kuski sadanie %s %s", list.c_str(),
                     object.c_str());
      return;
    }
  } else {
    store = false;
  }
  if (store) Progress().AddComplexTask(list, task);
  const bool cameraHere = camera && IsSceneState();
  for (CBaseBack* scene : mScenes) {
    if (!scene) continue;
    const bool gets = !cameraHere || scene == mCurrentScene;
    scene->OnHogClick(list, object, gets ? option : std::wstring(), alwaysPick);
  }
}

void CBaseEpisod::DeleteSimpleObject(const std::wstring& list, const std::wstring& object) {
  MarkStarted();
  Progress().AddObjectTask(list, object, 3);
  for (CBaseBack* scene : mScenes)
    if (scene) scene->OnClickZone(list, object);
}

void CBaseEpisod::DeleteComplexObject(const std::wstring& list, const std::wstring& object) {
  MarkStarted();
  SComplexTaskInfo task;
  task.mName = object;
  task.mValue = 3;
  Progress().AddComplexTask(list, task);
  for (CBaseBack* scene : mScenes)
    if (scene) scene->OnPushClick(list, object);
}

void CBaseEpisod::SetSimpleTaskTips(const std::wstring& list, const std::wstring& object, const std::wstring& key) {
  Progress().SetObjectTaskName2(list, object, key);
}

void CBaseEpisod::SetComplexTaskTips(const std::wstring& list, const std::wstring& object,
                                     const std::wstring& key) {
  Progress().SetComplexTaskName2(list, object, key);
}

void CBaseEpisod::SetPieceTaskTips(const std::wstring& list, const std::wstring& object, int piece,
                                   const std::wstring& key) {
  Progress().SetComplexPiece(list, object, static_cast<uint32_t>(piece), key);
}

bool CBaseEpisod::IsSimpleTaskVisible(const std::wstring& list, const std::wstring& object) {
  const uint32_t value = Progress().GetObjectTaskValue(list, object);
  return value == 1 || value == 2;
}

bool CBaseEpisod::IsComplexTaskVisible(const std::wstring& list, const std::wstring& object) {
  const uint32_t value = Progress().GetComplexTaskValue(list, object);
  return value == 1 || value == 2;
}

bool CBaseEpisod::IsSimpleTaskOpen(const std::wstring& list, const std::wstring& object) {
  return Progress().GetObjectTaskValue(list, object) == 1;
}

bool CBaseEpisod::IsComplexTaskOpen(const std::wstring& list, const std::wstring& object) {
  return Progress().GetComplexTaskValue(list, object) == 1;
}

bool CBaseEpisod::IsSimpleTaskDeleted(const std::wstring& list, const std::wstring& object) {
  return Progress().GetObjectTaskValue(list, object) == 3;
}

bool CBaseEpisod::IsComplexTaskDeleted(const std::wstring& list, const std::wstring& object) {
  return Progress().GetComplexTaskValue(list, object) == 3;
}

bool CBaseEpisod::IsPiecesLeftCount(const std::wstring& list, const std::wstring& object, int count) {
  return IsComplexTaskVisible(list, object) &&
         Progress().CountComplexPieces(list, object) == static_cast<uint32_t>(count);
}

void CBaseEpisod::RecordFoundItem(const std::wstring& list, const std::wstring& object, int) {
  MarkStarted();
  Progress().AddObjectTask(list, object, 3);
}

bool CBaseEpisod::RecordFoundPiece(const std::wstring& list, const std::wstring& object, int piece,
                                   rovovoz::CBaseGeometryObject* extra) {
  MarkStarted();
  const bool hog = list == L"hog";
  if (hog && (!gGamePanel || !gGamePanel->RemoveComplexPiece(object, piece, extra))) return false;
  Progress().ClearComplexPiece(list, object, static_cast<uint32_t>(piece));
  if (Progress().IsComplexTaskDone(list, object)) Progress().PutComplexTask(list, object, 3);
  if (hog) gGamePanel->SetComplexHogList(object);
  return true;
}

void CBaseEpisod::RecordItem(const std::wstring& name) {
  if (!gLogic) return;
  const auto push = gLogic->m_PushPredmets.find(name);
  if (push != gLogic->m_PushPredmets.end()) {
    gCurrentPlayer.AddName(name, static_cast<uint32_t>(push->second.Count));
    return;
  }
  const auto loose = gLogic->m_FreePredmets.find(name);
  if (loose != gLogic->m_FreePredmets.end()) gCurrentPlayer.AddName(name, static_cast<uint32_t>(loose->second.Count));
}

void CBaseEpisod::AddPredmet(const std::wstring& name, const std::wstring& target) {
  RecordItem(name);
  if (Platform::EqualsNoCase(target, L"predmet_menu") && IsSceneState() && mCurrentScene) {
    mCurrentScene->QueueModeName(name);
    return;
  }
  if (gGamePanel) gGamePanel->AddSimpleObject(name, target, 0, 0);
}
