#include "PlayerList.h"

#include <algorithm>
#include <system_error>

#include "Engine/zorlog/Log.h"
#include "Platform/AtomicFile.h"
#include "Platform/Paths.h"
#include "Platform/Strings.h"
#include "PlayerFile.h"
#include "PlayerFileName.h"

namespace fs = std::filesystem;

PlayerList* gPlayerList = nullptr;

namespace {

void LogError(int line, const wchar_t* format, const std::wstring& file, const std::wstring& detail = std::wstring()) {
  zuzorev::LogMessage(zuzorev::ELogLevel::Error, L"Source/PlayerList", line, format, file.c_str(), detail.c_str());
}

std::wstring TrimBlanks(const std::wstring& name) {
  const size_t first = name.find_first_not_of(L' ');
  if (first == std::wstring::npos) return std::wstring();
  return name.substr(first, name.find_last_not_of(L' ') - first + 1);
}

}  // namespace

PlayerList::PlayerList(const fs::path& userDataFolder) : mFolder(userDataFolder / "Users") { mRecords.reserve(20); }

int PlayerList::Load() {
  LoadAll();
  return 1;
}

bool PlayerList::MakeFolder() const {
  std::error_code ec;
  if (fs::is_directory(mFolder, ec)) return true;
  fs::create_directories(mFolder, ec);
  if (fs::is_directory(mFolder, ec)) return true;
  LogError(__LINE__, L"Can't create the players folder %s (%s)", Platform::FromPath(mFolder),
           Platform::Utf8ToWide(ec.message()));
  return false;
}

void PlayerList::RemoveLeftovers() const {
  std::vector<fs::path> failed;
  for (const fs::path& path : Platform::RemoveAtomicWriteLeftovers(mFolder, &failed))
    zuzorev::LogMessage(zuzorev::ELogLevel::Info, L"Source/PlayerList", __LINE__,
                        L"Removed %s, left by an interrupted save", Platform::FromPath(path).c_str());
  for (const fs::path& path : failed)
    LogError(__LINE__, L"Can't remove %s, left by an interrupted save", Platform::FromPath(path));
}

void PlayerList::LoadAll() {
  mRecords.clear();
  if (!MakeFolder()) return;
  RemoveLeftovers();
  for (const fs::path& path : Platform::ListFiles(mFolder, L".dat")) {
    const std::wstring fileName = Platform::FromPath(path.filename());
    PlayerRecord record;
    switch (ReadProfileFile(path, record)) {
      case EPlayerFileRead::Read:
        mRecords.push_back(std::move(record));
        break;
      case EPlayerFileRead::NotOpened:
        LogError(__LINE__, L"Can't open player file %s", Platform::FromPath(path));
        break;
      case EPlayerFileRead::Unreadable:
        LogError(__LINE__, L"Unreadable player file %s", Platform::FromPath(path));
        if (std::find(mBadFiles.begin(), mBadFiles.end(), fileName) == mBadFiles.end()) mBadFiles.push_back(fileName);
        break;
    }
  }
}

int PlayerList::Count() const { return static_cast<int>(mRecords.size()); }

int PlayerList::FindIndex(const std::wstring& name) const {
  for (size_t i = 0; i < mRecords.size(); ++i)
    if (Platform::EqualsNoCase(mRecords[i].mName, name)) return static_cast<int>(i);
  return -1;
}

int PlayerList::FindPlayer(const std::wstring& name, PlayerRecord& out) const {
  const int index = FindIndex(name);
  if (index >= 0) out = mRecords[static_cast<size_t>(index)];
  return index;
}

int PlayerList::SelectPlayer(int index, PlayerRecord& out) const {
  if (index < 0 || index >= Count()) return 0;
  out = mRecords[static_cast<size_t>(index)];
  return 1;
}

int PlayerList::IsNameTaken(const std::wstring& name) const {
  const std::wstring wanted = TrimBlanks(name);
  for (const PlayerRecord& record : mRecords)
    if (Platform::EqualsNoCase(TrimBlanks(record.mName), wanted)) return 1;
  return 0;
}

void PlayerList::CollectNames(std::vector<std::wstring>& names) const {
  names.clear();
  for (const PlayerRecord& record : mRecords) names.push_back(record.mName);
}

bool PlayerList::SavePlayer(const PlayerRecord& record) {
  if (record.mName.empty()) return false;
  if (!PlayerNameFits(record.mName)) {
    LogError(__LINE__, L"Player not saved: the name \"%s\" can't be kept in a profile", record.mName);
    return false;
  }
  if (PlayerFileName(record.mName).empty()) {
    LogError(__LINE__, L"Player not saved: the name \"%s\" can't be a file name", record.mName);
    return false;
  }
  const int index = FindIndex(record.mName);
  if (index >= 0)
    mRecords[static_cast<size_t>(index)] = record;
  else
    mRecords.push_back(record);
  return WritePlayerFile(record);
}

bool PlayerList::WritePlayerFile(const PlayerRecord& record) {
  if (record.mName.empty()) {
    LogError(__LINE__, L"Player file not written: the player has no name", std::wstring());
    return false;
  }
  const std::wstring fileName = PlayerFileName(record.mName);
  if (fileName.empty()) {
    LogError(__LINE__, L"Player file not written: the name \"%s\" can't be a file name", record.mName);
    return false;
  }
  if (!MakeFolder()) return false;
  const fs::path path = mFolder / Platform::ToPath(fileName);
  if (!WriteProfileFile(path, record)) return false;
  // A file left under the same name in another letter case would load as a
  // second, stale copy of this player.
  RemoveFiles(fileName, &path);
  // A listed bad file of that name is now this player's profile: deleting
  // it from the list must not delete the player.
  std::erase_if(mBadFiles, [&](const std::wstring& bad) { return Platform::EqualsNoCase(bad, fileName); });
  return true;
}

bool PlayerList::WriteAll() {
  bool all = true;
  for (const PlayerRecord& record : mRecords) all = WritePlayerFile(record) && all;
  return all;
}

bool PlayerList::RemoveFiles(const std::wstring& fileName, const fs::path* keep) const {
  bool removed = true;
  for (const fs::path& path : Platform::ListFiles(mFolder, L".dat")) {
    if (!Platform::EqualsNoCase(Platform::FromPath(path.filename()), fileName)) continue;
    std::error_code ec;
    if (keep && fs::equivalent(path, *keep, ec)) continue;
    if (!fs::remove(path, ec) && ec) {
      LogError(__LINE__, L"Can't delete player file %s (%s)", Platform::FromPath(path),
               Platform::Utf8ToWide(ec.message()));
      removed = false;
    }
  }
  return removed;
}

bool PlayerList::DeletePlayer(const std::wstring& name) {
  const int index = FindIndex(name);
  if (index < 0) return false;
  const std::wstring fileName = PlayerFileName(mRecords[static_cast<size_t>(index)].mName);
  mRecords.erase(mRecords.begin() + index);
  return fileName.empty() || RemoveFiles(fileName, nullptr);
}

bool PlayerList::HasBadFiles() const { return !mBadFiles.empty(); }

std::wstring PlayerList::FirstBadFile() const { return mBadFiles.empty() ? std::wstring() : mBadFiles.front(); }

void PlayerList::DeleteFirstBadFile() {
  if (mBadFiles.empty()) return;
  const std::wstring fileName = mBadFiles.front();
  mBadFiles.erase(mBadFiles.begin());
  // The name came from the folder listing; still, never let it leave the folder.
  const fs::path leaf = Platform::ToPath(fileName);
  if (leaf.empty() || leaf != leaf.filename() || leaf == "." || leaf == "..") return;
  // Only while it is still the unreadable file that was listed: something
  // else may have written a good profile there since.
  const fs::path path = mFolder / leaf;
  PlayerRecord record;
  if (ReadProfileFile(path, record) != EPlayerFileRead::Unreadable) {
    zuzorev::LogMessage(zuzorev::ELogLevel::Info, L"Source/PlayerList", __LINE__,
                        L"Player file %s is no longer the unreadable file listed; not deleted",
                        Platform::FromPath(path).c_str());
    return;
  }
  std::error_code ec;
  if (!fs::remove(path, ec) && ec)
    LogError(__LINE__, L"Can't delete player file %s (%s)", Platform::FromPath(path),
             Platform::Utf8ToWide(ec.message()));
}

void PlayerList::Release() {
  WriteAll();
  mBadFiles.clear();
  mRecords.clear();
}
