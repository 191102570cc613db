#pragma once
// The install-side configuration read once at start from DataLoc/config.xml:
// the save folder, the file system's search paths and packs, render
// settings, fonts, texts, logo timings and the cheat and guide switches.
#include <string>
#include <vector>

class TiXmlElement;

namespace zorfile {
class CFileSystem;
}
namespace zuzorev {
class CRenderSystem;
}
namespace rovovoz {
class CTextManager;
}

struct SSubFont {
  std::wstring mFileFont;
  std::wstring mFileEffect;
  std::wstring mFileMetrik;
};

// Either a named font with at least one sub-font, or no name and its own
// three files.
struct SFontRecord {
  std::wstring mFileFont;
  std::wstring mFileEffect;
  std::wstring mFileMetrik;
  std::wstring mFontName;
  std::vector<SSubFont> mSubFonts;
};

class AppConfig {
 public:
  // Empties every list and string and puts the defaults below back.
  void SetDefaults();
  // False when the file cannot be parsed or has no Config root; whatever
  // was read before that stays (defaults when nothing was).
  bool LoadFromXml(const std::wstring& fileName);
  // Packs first, then the search folders by kind: models, textures,
  // sounds, XML, videos, animations.
  bool ApplyToFileSystem(zorfile::CFileSystem* fileSystem) const;
  bool ApplyRenderSettings(zuzorev::CRenderSystem* renderSystem) const;
  bool LoadTexts(rovovoz::CTextManager* textManager) const;

  int IsCheatOn() const { return mCheatOn; }
  int IsGuideOn() const { return mGuideOn; }

  std::wstring mSaveDir;
  std::vector<std::wstring> mTexturePaths;
  std::vector<std::wstring> mModelPaths;
  std::vector<std::wstring> mSoundPaths;
  std::vector<std::wstring> mVideoPaths;
  std::vector<std::wstring> mXmlPaths;
  std::vector<std::wstring> mAnimationPaths;
  std::vector<std::wstring> mDataPacks;
  std::vector<std::wstring> mTextFiles;
  std::vector<std::wstring> mTextGroupRoots;
  std::vector<std::wstring> mRenderSetingsFiles;
  std::vector<SFontRecord> mFonts;
  int mCheatOn = 0;
  int mGuideOn = 0;
  std::wstring mTestUrl;
  int mTestYear = 2010;
  int mTestMonth = 1;
  int mTestDay = 1;
  float mLogoTimePlus = 0.5f;
  float mLogoTimeMinus = 0.5f;
  float mLogoTimeVisible = 2.0f;
  int mLogoSkip = 0;

 private:
  void ReadFonts(const TiXmlElement* fonts);
};

extern AppConfig gAppConfig;
