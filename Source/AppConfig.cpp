#include "AppConfig.h"

#include <cstdio>
#include <filesystem>

#include "Engine/TinyXmlExt/TinyXmlExt.h"
#include "Engine/rovovoz/TextManager.h"
#include "Engine/zorfile/FileSystem.h"
#include "Engine/zorlog/Log.h"
#include "Engine/zuzorev/RenderSystem.h"
#include "Platform/Paths.h"

AppConfig gAppConfig;

namespace {

const wchar_t* const kSourceFile = L"Source/AppConfig";

void LogError(const wchar_t* format, const std::wstring& argument, int line) {
  zuzorev::LogMessage(zuzorev::ELogLevel::Error, kSourceFile, line, format, argument.c_str());
}

// Appends attribute `attribute` of every child `child` of `parent`.
void ReadNames(const TiXmlElement* parent, const char* child, const char* attribute,
               std::vector<std::wstring>& out) {
  if (!parent) return;
  for (const TiXmlElement* e = IterateChildrenElementUpper(parent, child, nullptr); e;
       e = IterateChildrenElementUpper(parent, child, e)) {
    if (const TiXmlAttribute* a = FindUpper(e, attribute)) out.push_back(ValueUtf8(a));
  }
}

// The marker is dropped by hand into the install folder, which is the
// current folder at start-up.
bool CheatMarkerExists() {
  const std::filesystem::path marker = Platform::FindPathNoCase(std::filesystem::current_path(), L"DataLoc\\CheatOn");
  if (marker.empty()) return false;
  std::FILE* f = std::fopen(marker.c_str(), "rb");
  if (!f) return false;
  std::fclose(f);
  return true;
}

}  // namespace

void AppConfig::SetDefaults() { *this = AppConfig(); }

bool AppConfig::LoadFromXml(const std::wstring& fileName) {
  SetDefaults();

  TiXmlDocument document;
  if (!LoadXmlDocument(document, fileName)) return false;
  const TiXmlElement* root = FirstChildElementUpper(&document, "Config");
  if (!root) return false;

  if (const TiXmlElement* e = FirstChildElementUpper(root, "SaveDir"))
    if (const TiXmlAttribute* a = FindUpper(e, "Value")) mSaveDir = ValueUtf8(a);

  if (const TiXmlElement* paths = FirstChildElementUpper(root, "Path")) {
    const struct {
      const char* group;
      std::vector<std::wstring>* list;
    } kinds[] = {{"Textures", &mTexturePaths}, {"Models", &mModelPaths}, {"Sounds", &mSoundPaths},
                 {"Videos", &mVideoPaths},     {"Xml", &mXmlPaths},       {"Animations", &mAnimationPaths}};
    for (const auto& kind : kinds) ReadNames(FirstChildElementUpper(paths, kind.group), "Path", "Value", *kind.list);
  }

  if (const TiXmlElement* rs = FirstChildElementUpper(root, "RenderSetings"))
    if (const TiXmlElement* file = FirstChildElementUpper(rs, "File"))
      if (const TiXmlAttribute* a = FindUpper(file, "Name")) mRenderSetingsFiles.push_back(ValueUtf8(a));

  ReadNames(FirstChildElementUpper(root, "Data"), "File", "Name", mDataPacks);

  if (const TiXmlElement* fonts = FirstChildElementUpper(root, "Fonts")) ReadFonts(fonts);

  if (const TiXmlElement* text = FirstChildElementUpper(root, "Text")) {
    ReadNames(text, "File", "Name", mTextFiles);
    ReadNames(text, "AddRoot", "Name", mTextGroupRoots);
    if (const TiXmlElement* def = FirstChildElementUpper(text, "DefaultInit")) rovovoz::LoadDefaultInitText(def);
  }

  if (const TiXmlElement* beta = FirstChildElementUpper(root, "Beta_Test")) {
    if (const TiXmlAttribute* a = FindUpper(beta, "URL")) mTestUrl = ValueUtf8(a);
    if (const TiXmlElement* date = FirstChildElementUpper(beta, "Date")) {
      if (const TiXmlAttribute* a = FindUpper(date, "Year")) mTestYear = IntValue(a);
      if (const TiXmlAttribute* a = FindUpper(date, "Month")) mTestMonth = IntValue(a);
      if (const TiXmlAttribute* a = FindUpper(date, "Day")) mTestDay = IntValue(a);
    }
  }

  mGuideOn = FirstChildElementUpper(root, "GuideOn") ? 1 : 0;
  mCheatOn = CheatMarkerExists() ? 1 : 0;

  if (const TiXmlElement* logo = FirstChildElementUpper(root, "Logo")) {
    if (const TiXmlAttribute* a = FindUpper(logo, "TimePlus")) mLogoTimePlus = FloatValue(a);
    if (const TiXmlAttribute* a = FindUpper(logo, "TimeVisible")) mLogoTimeVisible = FloatValue(a);
    if (const TiXmlAttribute* a = FindUpper(logo, "TimeMinus")) mLogoTimeMinus = FloatValue(a);
    if (const TiXmlAttribute* a = FindUpper(logo, "Skip")) mLogoSkip = IntValue(a);
  }
  return true;
}

void AppConfig::ReadFonts(const TiXmlElement* fonts) {
  for (const TiXmlElement* font = IterateChildrenElementUpper(fonts, "Font", nullptr); font;
       font = IterateChildrenElementUpper(fonts, "Font", font)) {
    SFontRecord record;
    if (const TiXmlAttribute* name = FindUpper(font, "FontName")) {
      record.mFontName = ValueUtf8(name);
      // One working sub-font per Font: a SubFont without FileEffect keeps
      // the effect of the one before it.
      SSubFont working;
      for (const TiXmlElement* sub = IterateChildrenElementUpper(font, "SubFont", nullptr); sub;
           sub = IterateChildrenElementUpper(font, "SubFont", sub)) {
        const TiXmlAttribute* fileFont = FindUpper(sub, "FileFont");
        if (!fileFont) continue;
        working.mFileFont = ValueUtf8(fileFont);
        if (const TiXmlAttribute* a = FindUpper(sub, "FileEffect")) working.mFileEffect = ValueUtf8(a);
        if (const TiXmlAttribute* a = FindUpper(sub, "FileMetrik")) {
          working.mFileMetrik = ValueUtf8(a);
          record.mSubFonts.push_back(working);
        }
      }
      if (record.mFontName.empty()) record.mSubFonts.clear();
      if (!record.mSubFonts.empty()) {
        mFonts.push_back(record);
        continue;
      }
      record.mFontName.clear();
    }
    // A plain font with its own three files.
    const TiXmlAttribute* fileFont = FindUpper(font, "FileFont");
    if (!fileFont) continue;
    record.mFileFont = ValueUtf8(fileFont);
    if (const TiXmlAttribute* a = FindUpper(font, "FileEffect")) record.mFileEffect = ValueUtf8(a);
    if (const TiXmlAttribute* a = FindUpper(font, "FileMetrik")) {
      record.mFileMetrik = ValueUtf8(a);
      mFonts.push_back(record);
    }
  }
  if (const TiXmlElement* def = FirstChildElementUpper(fonts, "DefaultInit")) rovovoz::LoadDefaultInitFont(def);
}

bool AppConfig::ApplyToFileSystem(zorfile::CFileSystem* fileSystem) const {
  if (!fileSystem) return false;
  for (const auto& pack : mDataPacks) fileSystem->InsertPack(pack);
  const struct {
    const std::vector<std::wstring>* list;
    uint32_t kind;
  } kinds[] = {{&mModelPaths, zorfile::kKindModels}, {&mTexturePaths, zorfile::kKindTextures},
               {&mSoundPaths, zorfile::kKindSounds}, {&mXmlPaths, zorfile::kKindXml},
               {&mVideoPaths, zorfile::kKindVideos}, {&mAnimationPaths, zorfile::kKindAnimations}};
  for (const auto& kind : kinds)
    for (const auto& folder : *kind.list) fileSystem->InsertPath(folder, kind.kind);
  return true;
}

bool AppConfig::ApplyRenderSettings(zuzorev::CRenderSystem* renderSystem) const {
  if (!renderSystem) return false;
  for (const auto& file : mRenderSetingsFiles) {
    if (renderSystem->GetRenderSetingsManager()->LoadSetingsFromXml(file, 1) < 0) {
      LogError(L"Init render setings. File %s", file, __LINE__);
      return false;
    }
  }
  for (const auto& font : mFonts) {
    if (!font.mFontName.empty()) {
      for (const auto& sub : font.mSubFonts) {
        if (!sub.mFileEffect.empty()) {
          if (renderSystem->AddResourceFontEffect(font.mFontName, sub.mFileFont, sub.mFileEffect, sub.mFileMetrik) <
              0) {
            LogError(L"No add ResourceFontEffect %s.", sub.mFileMetrik, __LINE__);
            return false;
          }
        } else if (renderSystem->AddResourceFont(font.mFontName, sub.mFileFont, sub.mFileMetrik) < 0) {
          LogError(L"No add ResourceFont %s.", sub.mFileMetrik, __LINE__);
          return false;
        }
      }
      continue;
    }
    if (!font.mFileEffect.empty()) {
      if (renderSystem->AddResourceFontEffect(font.mFileFont, font.mFileEffect, font.mFileMetrik) < 0) {
        LogError(L"No add ResourceFontEffect %s.", font.mFileMetrik, __LINE__);
        return false;
      }
    } else if (renderSystem->AddResourceFont(font.mFileFont, font.mFileMetrik) < 0) {
      LogError(L"No add ResourceFont %s.", font.mFileMetrik, __LINE__);
      return false;
    }
  }
  return true;
}

bool AppConfig::LoadTexts(rovovoz::CTextManager* textManager) const {
  if (!textManager) return false;
  for (const auto& root : mTextGroupRoots)
    if (!root.empty()) textManager->AddGroupRoot(root);
  for (const auto& file : mTextFiles)
    if (!textManager->Load(file)) LogError(L"Load text from file %s", file, __LINE__);
  return true;
}
