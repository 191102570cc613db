#pragma once
// Every player's record and their profile files: one file per player in the
// Users folder of the per-user data folder. The game loads them all at
// start, works on gCurrentPlayer, and puts it back with SavePlayer, which
// also writes its file. Files that cannot be read are listed as bad so that
// the main menu can offer to delete them one by one.
//
// The list matches player names ignoring the case of ASCII letters; the
// file of a player is always named by PlayerFileName.
#include <filesystem>
#include <string>
#include <vector>

#include "PlayerRecord.h"

class PlayerList {
 public:
  // userDataFolder: the per-user data folder; the profiles are in its
  // "Users" folder, made when missing.
  explicit PlayerList(const std::filesystem::path& userDataFolder);

  int Load();  // LoadAll; returns 1
  // Reads every profile file of the folder, in file-name order. Unreadable
  // files are added to the bad-file list; files that cannot be opened are
  // left alone. Temporary files of interrupted saves are removed first.
  void LoadAll();

  int Count() const;
  // Index of the first player of that name (ignoring case) and a copy of
  // the record in out; -1 (out untouched) when there is none.
  int FindPlayer(const std::wstring& name, PlayerRecord& out) const;
  // 1 and a copy of the record at the index; 0 (out untouched) for an index
  // out of range.
  int SelectPlayer(int index, PlayerRecord& out) const;
  // 1 when a player has this name, ignoring case and blanks at either end.
  int IsNameTaken(const std::wstring& name) const;
  void CollectNames(std::vector<std::wstring>& names) const;

  // Stores the record in place of the player of the same name (ignoring
  // case; the stored name takes the given casing) or appends it, then writes
  // its file. False when the record is nameless, its name does not fit the
  // profile (PlayerNameFits) or cannot be a file name, or the file was not
  // written (the error is in the log).
  bool SavePlayer(const PlayerRecord& record);
  // Writes the record's file, replacing files of the same name in another
  // letter case; a bad file it replaces leaves the bad-file list. False when
  // nothing was written.
  bool WritePlayerFile(const PlayerRecord& record);
  // Writes every player's file; false when any was not written.
  bool WriteAll();
  // Forgets the first player of that name (ignoring case) and deletes its
  // file. False when there is no such player or the file stays.
  bool DeletePlayer(const std::wstring& name);

  bool HasBadFiles() const;
  std::wstring FirstBadFile() const;  // bare file name; empty when none
  // Deletes the first bad file, if it is still unreadable, and always drops
  // it from the list, so the notice about it cannot come back for ever.
  void DeleteFirstBadFile();

  // Writes every file, then forgets the players and the bad files.
  void Release();

  const std::filesystem::path& Folder() const { return mFolder; }

 private:
  int FindIndex(const std::wstring& name) const;
  bool MakeFolder() const;
  void RemoveLeftovers() const;
  // Removes the profile files named fileName in any letter case, except the
  // file keep (when given).
  bool RemoveFiles(const std::wstring& fileName, const std::filesystem::path* keep) const;

  std::filesystem::path mFolder;
  std::vector<PlayerRecord> mRecords;
  std::vector<std::wstring> mBadFiles;
};

// The game's player list, made when the game starts.
extern PlayerList* gPlayerList;
