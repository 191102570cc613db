#include "PlayerRecord.h"

#include <algorithm>

PlayerRecord gCurrentPlayer;

void PlayerRecord::Clear() {
  mEpisodName.clear();
  mStepName.clear();
  mEpisodInfo.Clear();
  mBackSaves.clear();
  mItems.clear();
  mNameValues.clear();
  mNoteWord = 0;
  mAfterHogItem.clear();
  mNotePages.clear();
  mNotePage = 0;
  mMapLocations.clear();
  mLocationName.clear();
  TempRolik.clear();
  mHintTimer = 0.0f;
  mHogHintTimer = 0.0f;
  mSkipTimer = 0.0f;
  mGhostCount = 0;
  mHintDnevnikShown = 0;
  mHintKartaShown = 0;
  mGameMode = 0;
}

bool PlayerRecord::HasName(const std::wstring& name) const {
  return std::any_of(mItems.begin(), mItems.end(), [&](const SPlayerItem& item) { return item.mName == name; });
}

int PlayerRecord::AddName(const std::wstring& name, uint32_t number) {
  for (SPlayerItem& item : mItems) {
    if (item.mName == name) {
      item.mNumber = number;
      return 1;
    }
  }
  mItems.push_back(SPlayerItem{name, number});
  return 1;
}

bool PlayerRecord::RemoveItem(const std::wstring& name) {
  const auto removed =
      std::remove_if(mItems.begin(), mItems.end(), [&](const SPlayerItem& item) { return item.mName == name; });
  const bool any = removed != mItems.end();
  mItems.erase(removed, mItems.end());
  return any;
}
