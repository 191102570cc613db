#include "PlayerFile.h"

#include <cstdio>
#include <memory>

#include "Engine/zorlog/Log.h"
#include "Platform/AtomicFile.h"
#include "Platform/Paths.h"
#include "Platform/Strings.h"
#include "PlayerRecord.h"
#include "SaveInfo/ProfileStream.h"

namespace {

const wchar_t* const kSource = L"Source/PlayerFile";

// Back name, own record count and region count.
constexpr size_t kBackSaveMinBytes = kShortNameField + 8;
constexpr size_t kItemBytes = kItemNameField + 4;
constexpr size_t kNameValueBytes = kShortNameField + 4;

bool WriteNames(ProfileWriter& out, const std::vector<std::wstring>& names) {
  if (!out.PutCount(names.size())) return false;
  for (const std::wstring& name : names)
    if (!out.PutText(name, kShortNameField)) return false;
  return true;
}

bool ReadNames(ProfileReader& in, std::vector<std::wstring>& names) {
  names.clear();
  size_t count = 0;
  if (!in.GetCount(count, kShortNameField)) return false;
  names.reserve(count);
  for (size_t i = 0; i < count; ++i) {
    std::wstring name;
    if (!in.GetText(name, kShortNameField)) return false;
    names.push_back(std::move(name));
  }
  return true;
}

}  // namespace

bool PlayerRecord::Write(ProfileWriter& out) const {
  if (mName.empty()) return false;
  bool ok = out.PutU32(kPlayerFileVersion) && out.PutText(mName, kPlayerNameField) &&
            out.PutText(mStepName, kLongNameField) && out.PutText(mEpisodName, kLongNameField) &&
            out.PutU32(mTutorialHints) && out.PutU32(mGameCursor) && out.PutF32(mSoundVolume) &&
            out.PutF32(mEffectVolume) && out.PutF32(mMusicVolume) && out.PutU32(mWidth) && out.PutU32(mHeight) &&
            out.PutU32(mWide) && out.PutU32(mFullScreen) && out.PutText(mAfterHogItem, kShortNameField) &&
            mEpisodInfo.Write(out);

  ok = ok && out.PutCount(mBackSaves.size()) &&
       ForEachInFileOrder(mBackSaves, [&](const std::wstring& back, const SBackSaveInfo& save) {
         return out.PutText(back, kShortNameField) && save.Write(out);
       });

  ok = ok && out.PutCount(mItems.size());
  for (size_t i = 0; ok && i < mItems.size(); ++i)
    ok = out.PutText(mItems[i].mName, kItemNameField) && out.PutU32(mItems[i].mNumber);

  ok = ok && out.PutCount(mNameValues.size()) &&
       ForEachInFileOrder(mNameValues, [&](const std::wstring& name, uint32_t value) {
         return out.PutText(name, kShortNameField) && out.PutU32(value);
       });

  return ok && out.PutU32(mNoteWord) && WriteNames(out, mNotePages) && out.PutU32(mNotePage) &&
         WriteNames(out, mMapLocations) && out.PutText(mLocationName, kLongNameField) &&
         out.PutText(TempRolik, kLongNameField) && out.PutU32(mDifficulty) && out.PutU32(mGhostCount) &&
         out.PutU32(mHintDnevnikShown) && out.PutU32(mHintKartaShown) && out.PutF32(mHintTimer) &&
         out.PutF32(mHogHintTimer) && out.PutF32(mSkipTimer) && out.PutU32(mGameFinished) && out.PutU32(mGameMode) &&
         out.PutU32(mWinState);
}

bool PlayerRecord::Read(ProfileReader& in) {
  // Read into a fresh record so that a broken file changes nothing here.
  PlayerRecord fresh;
  uint32_t version = 0;
  if (!in.GetU32(version) || version != kPlayerFileVersion) return false;
  bool ok = in.GetText(fresh.mName, kPlayerNameField) && !fresh.mName.empty() &&
            in.GetText(fresh.mStepName, kLongNameField) && in.GetText(fresh.mEpisodName, kLongNameField) &&
            in.GetU32(fresh.mTutorialHints) && in.GetU32(fresh.mGameCursor) && in.GetF32(fresh.mSoundVolume) &&
            in.GetF32(fresh.mEffectVolume) && in.GetF32(fresh.mMusicVolume) && in.GetU32(fresh.mWidth) &&
            in.GetU32(fresh.mHeight) && in.GetU32(fresh.mWide) && in.GetU32(fresh.mFullScreen) &&
            in.GetText(fresh.mAfterHogItem, kShortNameField) && fresh.mEpisodInfo.Read(in);

  size_t count = 0;
  ok = ok && in.GetCount(count, kBackSaveMinBytes);
  for (size_t i = 0; ok && i < count; ++i) {
    std::wstring back;
    SBackSaveInfo save;
    ok = in.GetText(back, kShortNameField) && save.Read(in);
    if (ok) fresh.mBackSaves.emplace(back, std::move(save));  // a repeated back keeps the first
  }

  ok = ok && in.GetCount(count, kItemBytes);
  if (ok) fresh.mItems.resize(count);
  for (size_t i = 0; ok && i < count; ++i)
    ok = in.GetText(fresh.mItems[i].mName, kItemNameField) && in.GetU32(fresh.mItems[i].mNumber);

  ok = ok && in.GetCount(count, kNameValueBytes);
  for (size_t i = 0; ok && i < count; ++i) {
    std::wstring name;
    uint32_t value = 0;
    ok = in.GetText(name, kShortNameField) && in.GetU32(value);
    if (ok) fresh.mNameValues.emplace(name, value);
  }

  ok = ok && in.GetU32(fresh.mNoteWord) && ReadNames(in, fresh.mNotePages) && in.GetU32(fresh.mNotePage) &&
       ReadNames(in, fresh.mMapLocations) && in.GetText(fresh.mLocationName, kLongNameField) &&
       in.GetText(fresh.TempRolik, kLongNameField) && in.GetU32(fresh.mDifficulty) && in.GetU32(fresh.mGhostCount) &&
       in.GetU32(fresh.mHintDnevnikShown) && in.GetU32(fresh.mHintKartaShown) && in.GetF32(fresh.mHintTimer) &&
       in.GetF32(fresh.mHogHintTimer) && in.GetF32(fresh.mSkipTimer) && in.GetU32(fresh.mGameFinished) &&
       in.GetU32(fresh.mGameMode) && in.GetU32(fresh.mWinState);
  if (!ok) return false;
  *this = std::move(fresh);
  return true;
}

bool WriteProfileFile(const std::filesystem::path& path, const PlayerRecord& record) {
  const std::wstring file = Platform::FromPath(path);
  ProfileWriter out;
  if (!record.Write(out)) {
    zuzorev::LogMessage(zuzorev::ELogLevel::Error, kSource, __LINE__,
                        L"Player file %s not written: the player has no name", file.c_str());
    return false;
  }
  std::string error;
  if (!Platform::WriteFileAtomically(path, out.Bytes(), &error)) {
    const std::wstring reason = Platform::Utf8ToWide(error);
    zuzorev::LogMessage(zuzorev::ELogLevel::Error, kSource, __LINE__,
                        L"Can't save player file %s (%s); the previous file is kept", file.c_str(), reason.c_str());
    return false;
  }
  return true;
}

EPlayerFileRead ReadProfileFile(const std::filesystem::path& path, PlayerRecord& record) {
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
  if (!file) return EPlayerFileRead::NotOpened;
  ProfileReader in(file.get());
  return record.Read(in) ? EPlayerFileRead::Read : EPlayerFileRead::Unreadable;
}
