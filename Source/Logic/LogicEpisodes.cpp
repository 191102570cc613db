// The task file (the list of chapter files and the info-code box) and the
// chapter files with their includes.
#include <algorithm>
#include <vector>

#include "Engine/TinyXmlExt/TinyXmlExt.h"
#include "Engine/zorfile/FileSystem.h"
#include "LoadProgress.h"
#include "Logic/Logic.h"
#include "Logic/LogicXmlRead.h"
#include "Platform/Paths.h"
#include "Platform/Strings.h"

using logicxml::Error;
using logicxml::ReadInt;
using logicxml::ReadText;

namespace {

const wchar_t* const kSource = L"Source/Logic/LogicEpisodes";

constexpr const wchar_t* kEpisodesFolder = L"DataLoc\\Episodes\\";

// One name per file however the data spells it: the file the file system
// finds on disk, else the name in lower case with backslashes.
std::wstring FileKey(const std::wstring& path) {
  if (zorfile::CFileSystem* fs = zorfile::GetFileSystem()) {
    const std::filesystem::path onDisk = fs->ResolveOnDisk(path);
    if (!onDisk.empty()) return Platform::FromPath(onDisk.lexically_normal());
  }
  std::wstring key = Platform::ToLowerAscii(path);
  std::replace(key.begin(), key.end(), L'/', L'\\');
  return key;
}

// The Value of the element's first child of that name, when there is one.
bool ReadChildValue(const TiXmlElement* element, const char* child, const std::wstring& file, int32_t& value) {
  const TiXmlElement* e = FirstChildElementUpper(element, child);
  return e && ReadInt(e, "Value", file, value);
}

// A scene's or a close-up's count (never below 0) and start flag (0 or 1).
void ReadCounts(const TiXmlElement* element, const std::wstring& file, int32_t& end, int32_t& beg) {
  int32_t value = 0;
  end = ReadChildValue(element, "End", file, value) && value > 0 ? value : 0;
  beg = ReadChildValue(element, "Beg", file, value) && value != 0 ? 1 : 0;
}

void ReadBack(const TiXmlElement* back, const std::wstring& file, SEpisodInfo& info) {
  std::wstring name;
  if (!ReadText(back, "Name", name)) {
    Error(kSource, __LINE__, L"No find attribute Name for teg Back. File %s", file.c_str());
    return;
  }
  logicxml::ReportUnknownChildren(back, {"End", "Beg", "Actions", "Region"}, file);
  SBackTaskCounts counts;
  ReadCounts(back, file, counts.mCount, counts.mCount2);
  SSaveMapPair pair;
  CLogic::LoadSadanieActions(back, pair.Actions, file, true);
  for (const TiXmlElement* region = FirstChildElementUpper(back, "Region"); region;
       region = IterateChildrenElementUpper(back, "Region", region)) {
    std::wstring regionName;
    if (!ReadText(region, "Name", regionName) || regionName.empty()) {
      Error(kSource, __LINE__, L"No find attribute Name for teg Region in Back %s. File %s", name.c_str(), file.c_str());
      continue;
    }
    // A repeated close-up keeps its first counts and scripts.
    if (counts.mCounters.count(regionName)) continue;
    logicxml::ReportUnknownChildren(region, {"End", "Beg", "Actions"}, file);
    ReadCounts(region, file, counts.mCounters[regionName], counts.mCounters2[regionName]);
    SActionMap actions;
    CLogic::LoadSadanieActions(region, actions, file, true);
    if (!actions.empty()) pair.Regions.emplace(regionName, std::move(actions));
  }
  // A scene already read (earlier in this file or in an include) keeps its
  // first scripts and counts.
  info.mActions.Backs.emplace(name, std::move(pair));
  info.mBackTasks.emplace(name, std::move(counts));
}

// Reads one chapter file; `reading` holds the files whose reading is under
// way, so that a file including itself (directly or through others) is
// reported and not read again.
bool ReadEpisodeFile(const std::wstring& file, SEpisodData& out, bool topLevel, std::vector<std::wstring>& reading) {
  const std::wstring path = kEpisodesFolder + file;
  TiXmlDocument document;
  if (!LoadXmlDocument(document, path)) {
    Error(kSource, __LINE__, L"Load episodes file %s", path.c_str());
    return false;
  }
  const TiXmlElement* root = document.RootElement();
  if (!root) return false;
  if (topLevel) {
    out.Info.Clear();
    if (!ReadText(root, "Name", out.Name)) {
      Error(kSource, __LINE__, L"No find attribute Name for chapter in file %s", path.c_str());
      return false;
    }
    out.Info.mName = out.Name;
    out.Info.mValue = 0;
  }
  logicxml::ReportUnknownChildren(root, {"End", "Actions", "Level", "Back"}, file);
  int32_t end = 0;
  // Read in included files too: an include's End replaces the count.
  if (ReadChildValue(root, "End", file, end)) out.Info.mValue = std::max(end, 0);
  CLogic::LoadSadanieActions(root, out.Info.mActions.Actions, file, topLevel);

  reading.push_back(FileKey(path));
  for (const TiXmlElement* level = FirstChildElementUpper(root, "Level"); level;
       level = IterateChildrenElementUpper(root, "Level", level)) {
    std::wstring include;
    if (!ReadText(level, "File", include)) {
      Error(kSource, __LINE__, L"No find attribute File for teg Level. File %s", file.c_str());
      continue;
    }
    if (std::find(reading.begin(), reading.end(), FileKey(kEpisodesFolder + include)) != reading.end()) {
      Error(kSource, __LINE__, L"Recursive include %s in file %s skipped.", include.c_str(), file.c_str());
      continue;
    }
    ReadEpisodeFile(include, out, false, reading);
  }
  reading.pop_back();

  for (const TiXmlElement* back = FirstChildElementUpper(root, "Back"); back;
       back = IterateChildrenElementUpper(root, "Back", back))
    ReadBack(back, file, out.Info);
  return true;
}

void Tick() {
  if (gLoadProgress) gLoadProgress->Tick(0);
}

}  // namespace

int CLogic::LoadSadanies(const std::wstring& file) {
  m_Episods.clear();
  TiXmlDocument document;
  if (!LoadXmlDocument(document, file)) {
    Error(kSource, __LINE__, L"Load file xml %s info sadanies.", file.c_str());
    return 0;
  }
  const TiXmlElement* logic = RootElementUpper(document, "Logic");
  if (!logic) {
    Error(kSource, __LINE__, L"No find teg Logic in file %s", file.c_str());
    return 1;
  }
  logicxml::ReportUnknownChildren(logic, {"EditBox", "Episodes"}, file);
  LoadInfoCodeEditBox(FirstChildElementUpper(logic, "EditBox"));
  LoadEpisodesList(logic);
  return 1;
}

int CLogic::ReloadSadanies(const std::wstring& file) {
  m_Episods.clear();
  TiXmlDocument document;
  if (!LoadXmlDocument(document, file)) {
    Error(kSource, __LINE__, L"Load file xml %s info sadanies.", file.c_str());
    return 0;
  }
  LoadEpisodesList(RootElementUpper(document, "Logic"));
  return 1;
}

void CLogic::LoadEpisodesList(const TiXmlElement* logic) {
  if (!logic) return;
  m_Episods.clear();
  const TiXmlElement* episodes = FirstChildElementUpper(logic, "Episodes");
  if (!episodes) return;
  const std::wstring taskFile = logicxml::FileOf(logic);
  logicxml::ReportUnknownChildren(episodes, {"Episode"}, taskFile);
  for (const TiXmlElement* e = FirstChildElementUpper(episodes, "Episode"); e;
       e = IterateChildrenElementUpper(episodes, "Episode", e)) {
    Tick();
    std::wstring file;
    if (!ReadText(e, "XML", file)) {
      Error(kSource, __LINE__, L"No find attribute XML for teg Episode. File %s", taskFile.c_str());
      Tick();
      continue;
    }
    SEpisodData data;
    if (!LoadEpisodeFile(file, data, true)) {
      // A name the task file garbled reads as a missing chapter file: the
      // line names the task file too, where the name must be mended.
      Error(kSource, __LINE__, L"Load episodes from file xml %s. File %s", file.c_str(), taskFile.c_str());
    } else if (data.Info.mBackTasks.empty()) {
      Error(kSource, __LINE__, L"Chapter %s of file %s has no Back.", data.Name.c_str(), file.c_str());
    } else {
      // A chapter listed twice, or two files of one name: the first stays.
      m_Episods.emplace(data.Name, std::move(data));
    }
    Tick();
  }
}

bool CLogic::LoadEpisodeFile(const std::wstring& file, SEpisodData& out, bool topLevel) {
  std::vector<std::wstring> reading;
  return ReadEpisodeFile(file, out, topLevel, reading);
}
