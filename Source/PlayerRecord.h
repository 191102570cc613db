#pragma once
// Everything the game keeps about one player: name, story position and
// episode progress, the saved state of every back the player changed, the
// inventory, settings, diary and map progress, difficulty, collectibles,
// hint and skip timers and the end-of-game flags. The record of the player
// who is playing is gCurrentPlayer; scenes, logic, panel and menus change it
// directly, and the player list puts it back and writes its file on save.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "SaveInfo/SBackSaveInfo.h"
#include "SaveInfo/SEpisodInfo.h"

class ProfileReader;
class ProfileWriter;

// The game mode of a player who plays the bonus chapter, and the step the
// bonus chapter starts at (the story ends before it).
inline constexpr uint32_t kGameModeBonus = 2;
inline constexpr const wchar_t* kBonusStepName = L"Step_005";

// One inventory entry.
struct SPlayerItem {
  std::wstring mName;
  uint32_t mNumber = 0;

  bool operator==(const SPlayerItem&) const = default;
};

class PlayerRecord {
 public:
  std::wstring mName;  // empty: no player
  std::wstring mStepName;
  std::wstring mEpisodName;
  SEpisodInfo mEpisodInfo;
  std::map<std::wstring, SBackSaveInfo> mBackSaves;
  std::vector<SPlayerItem> mItems;
  std::map<std::wstring, uint32_t> mNameValues;
  float mSoundVolume = 1.0f;
  float mEffectVolume = 1.0f;
  float mMusicVolume = 1.0f;
  uint32_t mTutorialHints = 1;
  uint32_t mGameCursor = 0;
  uint32_t mWidth = 0;
  uint32_t mHeight = 0;
  uint32_t mWide = 0;
  uint32_t mFullScreen = 0;
  std::wstring mAfterHogItem;
  uint32_t mNoteWord = 0;
  std::vector<std::wstring> mNotePages;
  uint32_t mNotePage = 0;
  std::vector<std::wstring> mMapLocations;
  std::wstring mLocationName;
  std::wstring TempRolik;
  uint32_t mDifficulty = 0;  // 0 not chosen, 1 casual, 2 expert
  uint32_t mGhostCount = 0;
  uint32_t mHintDnevnikShown = 0;
  uint32_t mHintKartaShown = 0;
  float mHintTimer = 0.0f;
  float mHogHintTimer = 0.0f;
  float mSkipTimer = 0.0f;
  uint32_t mGameFinished = 0;
  uint32_t mGameMode = 0;  // 0 none, 1 story, 2 bonus chapter (kGameModeBonus)
  uint32_t mWinState = 0;

  void Assign(const PlayerRecord& other) { *this = other; }

  // Starts the player's story over. Keeps the name, the volumes, the
  // tutorial-hints and cursor options, the display settings, the difficulty,
  // mGameFinished and mWinState.
  void Clear();

  // Inventory; item names match exactly.
  bool HasName(const std::wstring& name) const;
  // Sets the number of the item, or appends a new item. Returns 1.
  int AddName(const std::wstring& name, uint32_t number);
  // Removes every item of that name; true when one was removed.
  bool RemoveItem(const std::wstring& name);

  // The profile file's content. Write refuses a nameless record and writes
  // nothing for it. Read fills the record only from a complete, valid file
  // and leaves it as it was otherwise.
  bool Write(ProfileWriter& out) const;
  bool Read(ProfileReader& in);

  // Recorders of the scenes' object states. A back is named by its name; a
  // region by its owner back's name and its own name; an object by its name
  // and second name, either of which may be null.
  //
  // Queries and clearers never create a back's entry (false or nothing when
  // the back has none); once the back has an entry, a region form leaves an
  // entry for the region behind.
  bool HasBackSave(const std::wstring& back) const;
  bool BackObjectExists(const std::wstring& back, const wchar_t* name, const wchar_t* secondName);
  bool GetBackObjectRecord(const std::wstring& back, SObjectSaveInfo& record);
  bool GetBackObjectFlag1(const std::wstring& back, const wchar_t* name, const wchar_t* secondName, uint32_t& value);
  bool GetBackObjectState(const std::wstring& back, const wchar_t* name, const wchar_t* secondName, uint32_t& value);
  bool GetBackObjectPosition(const std::wstring& back, const wchar_t* name, const wchar_t* secondName, float& x,
                             float& y, float& z);
  bool GetBackObjectFlag2(const std::wstring& back, const wchar_t* name, const wchar_t* secondName, uint32_t& value);
  bool GetBackObjectFlag4(const std::wstring& back, const wchar_t* name, const wchar_t* secondName, uint32_t& value);
  bool GetBackObjectRender2D(const std::wstring& back, const wchar_t* name, const wchar_t* secondName, uint32_t& value);
  bool GetBackObjectFlag16(const std::wstring& back, const wchar_t* name, const wchar_t* secondName, uint32_t& value);
  bool GetBackObjectFlag32(const std::wstring& back, const wchar_t* name, const wchar_t* secondName, uint32_t& value);
  bool GetBackObjectInt(const std::wstring& back, const wchar_t* name, const wchar_t* secondName, int32_t& value);
  bool GetBackObjectFloat(const std::wstring& back, const wchar_t* name, const wchar_t* secondName, float& value);
  void ClearBackObjectFlag1(const std::wstring& back, const wchar_t* name, const wchar_t* secondName);
  void ClearBackObjectState(const std::wstring& back, const wchar_t* name, const wchar_t* secondName);
  void ClearBackObjectPosition(const std::wstring& back, const wchar_t* name, const wchar_t* secondName);
  void ClearBackObjectFlag2(const std::wstring& back, const wchar_t* name, const wchar_t* secondName);
  void ClearBackObjectFlag4(const std::wstring& back, const wchar_t* name, const wchar_t* secondName);
  void ClearBackObjectRender2D(const std::wstring& back, const wchar_t* name, const wchar_t* secondName);
  void ClearBackObjectFlag16(const std::wstring& back, const wchar_t* name, const wchar_t* secondName);
  void ClearBackObjectFlag32(const std::wstring& back, const wchar_t* name, const wchar_t* secondName);
  void ClearBackObjectInt(const std::wstring& back, const wchar_t* name, const wchar_t* secondName);
  void ClearBackObjectFloat(const std::wstring& back, const wchar_t* name, const wchar_t* secondName);

  bool HasRegionSave(const std::wstring& back, const std::wstring& region) const;
  bool RegionObjectExists(const std::wstring& back, const std::wstring& region, const wchar_t* name,
                          const wchar_t* secondName);
  bool GetRegionObjectRecord(const std::wstring& back, const std::wstring& region, SObjectSaveInfo& record);
  bool GetRegionObjectFlag1(const std::wstring& back, const std::wstring& region, const wchar_t* name,
                            const wchar_t* secondName, uint32_t& value);
  bool GetRegionObjectState(const std::wstring& back, const std::wstring& region, const wchar_t* name,
                            const wchar_t* secondName, uint32_t& value);
  bool GetRegionObjectPosition(const std::wstring& back, const std::wstring& region, const wchar_t* name,
                               const wchar_t* secondName, float& x, float& y, float& z);
  bool GetRegionObjectFlag2(const std::wstring& back, const std::wstring& region, const wchar_t* name,
                            const wchar_t* secondName, uint32_t& value);
  bool GetRegionObjectFlag4(const std::wstring& back, const std::wstring& region, const wchar_t* name,
                            const wchar_t* secondName, uint32_t& value);
  bool GetRegionObjectRender2D(const std::wstring& back, const std::wstring& region, const wchar_t* name,
                               const wchar_t* secondName, uint32_t& value);
  bool GetRegionObjectFlag16(const std::wstring& back, const std::wstring& region, const wchar_t* name,
                             const wchar_t* secondName, uint32_t& value);
  bool GetRegionObjectFlag32(const std::wstring& back, const std::wstring& region, const wchar_t* name,
                             const wchar_t* secondName, uint32_t& value);
  bool GetRegionObjectInt(const std::wstring& back, const std::wstring& region, const wchar_t* name,
                          const wchar_t* secondName, int32_t& value);
  bool GetRegionObjectFloat(const std::wstring& back, const std::wstring& region, const wchar_t* name,
                            const wchar_t* secondName, float& value);
  void ClearRegionObjectFlag1(const std::wstring& back, const std::wstring& region, const wchar_t* name,
                              const wchar_t* secondName);
  void ClearRegionObjectState(const std::wstring& back, const std::wstring& region, const wchar_t* name,
                              const wchar_t* secondName);
  void ClearRegionObjectPosition(const std::wstring& back, const std::wstring& region, const wchar_t* name,
                                 const wchar_t* secondName);
  void ClearRegionObjectFlag2(const std::wstring& back, const std::wstring& region, const wchar_t* name,
                              const wchar_t* secondName);
  void ClearRegionObjectFlag4(const std::wstring& back, const std::wstring& region, const wchar_t* name,
                              const wchar_t* secondName);
  void ClearRegionObjectRender2D(const std::wstring& back, const std::wstring& region, const wchar_t* name,
                                 const wchar_t* secondName);
  void ClearRegionObjectFlag16(const std::wstring& back, const std::wstring& region, const wchar_t* name,
                               const wchar_t* secondName);
  void ClearRegionObjectFlag32(const std::wstring& back, const std::wstring& region, const wchar_t* name,
                               const wchar_t* secondName);
  void ClearRegionObjectInt(const std::wstring& back, const std::wstring& region, const wchar_t* name,
                            const wchar_t* secondName);
  void ClearRegionObjectFloat(const std::wstring& back, const std::wstring& region, const wchar_t* name,
                              const wchar_t* secondName);

  // Setters and removes make the back's entry when it has none.
  bool SetBackObjectRecord(const std::wstring& back, const SObjectSaveInfo& record);
  bool SetBackObjectFlag1(const std::wstring& back, const wchar_t* name, const wchar_t* secondName, uint32_t value);
  bool SetBackObjectState(const std::wstring& back, const wchar_t* name, const wchar_t* secondName, uint32_t value);
  bool SetBackObjectFlag2(const std::wstring& back, const wchar_t* name, const wchar_t* secondName, uint32_t value);
  bool SetBackObjectFlag4(const std::wstring& back, const wchar_t* name, const wchar_t* secondName, uint32_t value);
  bool SetBackObjectRender2D(const std::wstring& back, const wchar_t* name, const wchar_t* secondName, uint32_t value);
  bool SetBackObjectFlag16(const std::wstring& back, const wchar_t* name, const wchar_t* secondName, uint32_t value);
  bool SetBackObjectFlag32(const std::wstring& back, const wchar_t* name, const wchar_t* secondName, uint32_t value);
  bool SetBackObjectInt(const std::wstring& back, const wchar_t* name, const wchar_t* secondName, int32_t value);
  bool SetBackObjectFloat(const std::wstring& back, const wchar_t* name, const wchar_t* secondName, float value);
  bool SetBackObjectPosition(const std::wstring& back, const wchar_t* name, const wchar_t* secondName, float x, float y,
                             float z);
  bool RemoveBackObject(const std::wstring& back, const wchar_t* name, const wchar_t* secondName);

  bool SetRegionObjectRecord(const std::wstring& back, const std::wstring& region, const SObjectSaveInfo& record);
  bool SetRegionObjectFlag1(const std::wstring& back, const std::wstring& region, const wchar_t* name,
                            const wchar_t* secondName, uint32_t value);
  bool SetRegionObjectState(const std::wstring& back, const std::wstring& region, const wchar_t* name,
                            const wchar_t* secondName, uint32_t value);
  bool SetRegionObjectFlag2(const std::wstring& back, const std::wstring& region, const wchar_t* name,
                            const wchar_t* secondName, uint32_t value);
  bool SetRegionObjectFlag4(const std::wstring& back, const std::wstring& region, const wchar_t* name,
                            const wchar_t* secondName, uint32_t value);
  bool SetRegionObjectRender2D(const std::wstring& back, const std::wstring& region, const wchar_t* name,
                               const wchar_t* secondName, uint32_t value);
  bool SetRegionObjectFlag16(const std::wstring& back, const std::wstring& region, const wchar_t* name,
                             const wchar_t* secondName, uint32_t value);
  bool SetRegionObjectFlag32(const std::wstring& back, const std::wstring& region, const wchar_t* name,
                             const wchar_t* secondName, uint32_t value);
  bool SetRegionObjectInt(const std::wstring& back, const std::wstring& region, const wchar_t* name,
                          const wchar_t* secondName, int32_t value);
  bool SetRegionObjectFloat(const std::wstring& back, const std::wstring& region, const wchar_t* name,
                            const wchar_t* secondName, float value);
  bool SetRegionObjectPosition(const std::wstring& back, const std::wstring& region, const wchar_t* name,
                               const wchar_t* secondName, float x, float y, float z);
  bool RemoveRegionObject(const std::wstring& back, const std::wstring& region, const wchar_t* name,
                          const wchar_t* secondName);

  // Whole entries. AddBackSave and GetBackSave make what is missing (empty),
  // so they always give a record set.
  SBackSaveInfo& AddBackSave(const std::wstring& back);
  SBaseSaveInfo& GetBackSave(const std::wstring& back, const std::wstring& region);
  void EraseBackSave(const std::wstring& back);
  void EraseRegionSave(const std::wstring& back, const std::wstring& region);

 private:
  SBackSaveInfo* FindBackSave(const std::wstring& back);
};

// The record of the player who is playing.
extern PlayerRecord gCurrentPlayer;
