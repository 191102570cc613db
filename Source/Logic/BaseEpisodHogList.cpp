// The hidden-object list of a chapter: one label per item text, at most
// gPanelSlotCount of them on the panel at once; a place that empties goes
// to the next label waiting. The pieces' listed flags and panel positions
// live in the player's progress, so the layout survives a save.
#include <algorithm>

#include "Interface/GamePanel.h"
#include "Levels/BaseBack.h"
#include "Logic/BaseEpisod.h"
#include "Logic/Logic.h"
#include "PlayerRecord.h"

namespace {

// The first piece numbered n of the task, or null.
SComplexPiece* PieceNumbered(SComplexTaskInfo& task, int n) {
  for (SComplexPiece& piece : task.mPieces)
    if (piece.mId == static_cast<uint32_t>(n)) return &piece;
  return nullptr;
}

std::wstring ItemText(const std::wstring& key) {
  const auto found = gLogic->m_HogPredmetTexts.find(key);
  if (found == gLogic->m_HogPredmetTexts.end() || found->second.empty()) return key;
  return found->second;
}

}  // namespace

void CBaseEpisod::BuildHogList(std::vector<SHogListEntry>& list, const std::wstring& taskName) {
  SComplexTaskInfo* task = nullptr;
  if (gCurrentPlayer.mEpisodInfo.FindComplexTask(L"hog", taskName, task) && task) {
    // Labels in the order their texts first occur by piece number; the
    // walk ends at the first missing number.
    const int count = static_cast<int>(task->mPieces.size());
    for (int i = 1; i <= count; ++i) {
      SComplexPiece* piece = PieceNumbered(*task, i);
      if (!piece) break;
      if (!gLogic) continue;
      const std::wstring key = HogPieceObjectName(taskName, i);
      const std::wstring text = ItemText(key);
      auto entry = std::find_if(list.begin(), list.end(), [&](const SHogListEntry& e) { return e.Name == text; });
      if (entry != list.end()) {
        (piece->mPending ? entry->Listed : entry->Waiting).push_back(i);
        continue;
      }
      SHogListEntry fresh;
      fresh.Name = text;
      fresh.Fade = 1.0f;
      (piece->mPending ? fresh.Listed : fresh.Waiting).push_back(i);
      if (piece->mValue == 0) {
        piece->mValue = static_cast<uint32_t>(list.size() + 1);
        if (static_cast<int>(piece->mValue) > gPanelSlotCount) {
          piece->mValue = 0;
          if (mCurrentScene) mCurrentScene->SetObjectRotating3(key, 0);
        }
      }
      fresh.Position = static_cast<int>(piece->mValue);
      list.push_back(fresh);
    }
    // Places whose label has nothing left to find go to the first label
    // without a place.
    for (int p = 1; p <= gPanelSlotCount; ++p) {
      const bool taken = std::any_of(list.begin(), list.end(),
                                     [&](const SHogListEntry& e) { return e.Position == p && !e.Listed.empty(); });
      if (taken) continue;
      auto waiting = std::find_if(list.begin(), list.end(), [](const SHogListEntry& e) { return e.Position == 0; });
      if (waiting == list.end()) continue;
      waiting->Position = p;
      waiting->Fade = -1.0f;
      for (int n : waiting->Waiting) {
        SComplexPiece* piece = PieceNumbered(*task, n);
        if (!piece) continue;
        piece->mPending = 1;
        piece->mValue = static_cast<uint32_t>(p);
        waiting->Listed.push_back(n);
        if (mCurrentScene) mCurrentScene->SetObjectRotating3(HogPieceObjectName(taskName, n), 1);
      }
      waiting->Waiting.clear();
    }
  }
  ParkHogPieces(taskName, list);
}

void CBaseEpisod::ParkHogPieces(const std::wstring& taskName, std::vector<SHogListEntry> list) {
  if (list.empty() || static_cast<int>(list.size()) <= gPanelSlotCount) return;
  SComplexTaskInfo* task = nullptr;
  if (!gCurrentPlayer.mEpisodInfo.FindComplexTask(L"hog", taskName, task) || !task) return;
  // Labels without a place hold back their pieces: they are not to be found
  // until the label is given a place.
  for (const SHogListEntry& entry : list) {
    if (entry.Position != 0) continue;
    for (int n : entry.Listed) {
      for (SComplexPiece& piece : task->mPieces) {
        if (piece.mId != static_cast<uint32_t>(n) || piece.mPending == 0) continue;
        piece.mPending = 0;
        break;
      }
    }
  }
}

std::vector<std::wstring> CBaseEpisod::ShowHint(const std::wstring& complexName) {
  std::vector<SHogListEntry> list;
  BuildHogList(list, complexName);
  std::vector<std::wstring> names;
  for (const SHogListEntry& entry : list) names.push_back(entry.Name);
  return names;
}

void CBaseEpisod::GetComplexHogItems(std::vector<SComplexHogItem>& out, const std::wstring& setName) {
  std::vector<SHogListEntry> list;
  BuildHogList(list, setName);
  out.clear();
  for (const SHogListEntry& entry : list) out.push_back({entry.Position, entry.Name, entry.Listed, entry.Fade});
}
