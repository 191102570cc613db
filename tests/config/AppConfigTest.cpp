#include <gtest/gtest.h>

#include <filesystem>

#include "AppConfig.h"
#include "Engine/rovovoz/TextManager.h"
#include "Engine/zorfile/FileSystem.h"
#include "Engine/zuzorev/RenderSystem.h"
#include "support/TestSupport.h"

namespace {

using testsupport::TempDir;

// Runs LoadFromXml on a config text from inside a temporary install folder
// (the cheat marker is looked up relative to the current folder).
class AppConfigFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    mOldCwd = std::filesystem::current_path();
    std::filesystem::current_path(mDir.Path());
    mFs.SetInstallFolder(mDir.Path());
    zorfile::SetFileSystem(&mFs);
  }
  void TearDown() override {
    zorfile::SetFileSystem(nullptr);
    std::filesystem::current_path(mOldCwd);
  }
  bool Load(const std::string& xml) {
    mDir.Write("DataLoc/config.xml", xml);
    return mConfig.LoadFromXml(L"DataLoc\\config.xml");
  }

  TempDir mDir;
  std::filesystem::path mOldCwd;
  zorfile::CFileSystem mFs;
  AppConfig mConfig;
};

void ExpectDefaults(const AppConfig& c) {
  EXPECT_TRUE(c.mSaveDir.empty());
  EXPECT_TRUE(c.mTexturePaths.empty() && c.mModelPaths.empty() && c.mSoundPaths.empty());
  EXPECT_TRUE(c.mVideoPaths.empty() && c.mXmlPaths.empty() && c.mAnimationPaths.empty());
  EXPECT_TRUE(c.mDataPacks.empty() && c.mTextFiles.empty() && c.mFonts.empty());
  EXPECT_TRUE(c.mRenderSetingsFiles.empty());
  EXPECT_EQ(c.IsCheatOn(), 0);
  EXPECT_EQ(c.IsGuideOn(), 0);
  EXPECT_FLOAT_EQ(c.mLogoTimePlus, 0.5f);
  EXPECT_FLOAT_EQ(c.mLogoTimeVisible, 2.0f);
  EXPECT_FLOAT_EQ(c.mLogoTimeMinus, 0.5f);
  EXPECT_EQ(c.mLogoSkip, 0);
  EXPECT_EQ(c.mTestYear, 2010);
}

TEST_F(AppConfigFixture, MissingBrokenOrRootlessFilesGiveDefaults) {
  struct Case {
    const char* name;
    const char* xml;  // null: no file at all
    bool result;
  };
  const Case cases[] = {
      {"no file", nullptr, false},
      {"malformed", "<Config><SaveDir Value=\"x\">", false},
      {"wrong root", "<Settings><SaveDir Value=\"x\"/></Settings>", false},
      {"empty Config", "<Config/>", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove(mDir.Path() / "DataLoc/config.xml");
    bool ok = c.xml ? Load(c.xml) : mConfig.LoadFromXml(L"DataLoc\\config.xml");
    EXPECT_EQ(ok, c.result);
    ExpectDefaults(mConfig);
  }
}

TEST_F(AppConfigFixture, ReadsEveryFieldIgnoringElementCase) {
  ASSERT_TRUE(Load(R"(<?xml version="1.0" encoding="UTF-8"?>
<config>
  <savedir value="Хранилище"/>
  <Path>
    <Textures><Path Value="Data\Textures"/><Path/><Path Value="Data\Tex2"/></Textures>
    <MODELS><Path Value="Data\Models"/></MODELS>
    <Sounds><Path Value="DataLoc\Sounds"/></Sounds>
    <Videos><Path Value="Data\Video"/></Videos>
    <Xml><Path Value="Data"/></Xml>
    <Animations><Path Value="Data\Animation"/></Animations>
  </Path>
  <RenderSetings><File Name="first.xml"/><File Name="second.xml"/></RenderSetings>
  <Data><File Name="a.zip"/><File Name="b.zip"/></Data>
  <Text><File Name="t1.xml"/><AddRoot Name="root1"/><File Name="t2.xml"/></Text>
  <Beta_Test URL="http://example.invalid"><Date Year="2011" Month="3" Day="4"/></Beta_Test>
  <GuideOn/>
  <Logo TimePlus="0.25" TimeVisible="3" Skip="1"/>
</config>)"));
  EXPECT_EQ(mConfig.mSaveDir, L"Хранилище");
  EXPECT_EQ(mConfig.mTexturePaths, (std::vector<std::wstring>{L"Data\\Textures", L"Data\\Tex2"}));
  EXPECT_EQ(mConfig.mModelPaths, (std::vector<std::wstring>{L"Data\\Models"}));
  EXPECT_EQ(mConfig.mAnimationPaths, (std::vector<std::wstring>{L"Data\\Animation"}));
  // Only the first render-settings file counts.
  EXPECT_EQ(mConfig.mRenderSetingsFiles, (std::vector<std::wstring>{L"first.xml"}));
  EXPECT_EQ(mConfig.mDataPacks, (std::vector<std::wstring>{L"a.zip", L"b.zip"}));
  EXPECT_EQ(mConfig.mTextFiles, (std::vector<std::wstring>{L"t1.xml", L"t2.xml"}));
  EXPECT_EQ(mConfig.mTextGroupRoots, (std::vector<std::wstring>{L"root1"}));
  EXPECT_EQ(mConfig.mTestUrl, L"http://example.invalid");
  EXPECT_EQ(mConfig.mTestYear, 2011);
  EXPECT_EQ(mConfig.mTestDay, 4);
  EXPECT_EQ(mConfig.IsGuideOn(), 1);
  EXPECT_FLOAT_EQ(mConfig.mLogoTimePlus, 0.25f);
  EXPECT_FLOAT_EQ(mConfig.mLogoTimeVisible, 3.0f);
  EXPECT_FLOAT_EQ(mConfig.mLogoTimeMinus, 0.5f);  // absent: keeps its default
  EXPECT_EQ(mConfig.mLogoSkip, 1);
}

TEST_F(AppConfigFixture, FontRecords) {
  ASSERT_TRUE(Load(R"(<Config><Fonts>
    <Font FontName="Named">
      <SubFont FileFont="a.ttf" FileEffect="fx.xml" FileMetrik="a.xml"/>
      <SubFont FileFont="b.ttf" FileMetrik="b.xml"/>
      <SubFont FileEffect="lost.xml" FileMetrik="c.xml"/>
      <SubFont FileFont="d.ttf" FileMetrik="d.xml"/>
    </Font>
    <Font FontName="NoMetrics" FileFont="plain.ttf" FileMetrik="plain.xml">
      <SubFont FileFont="x.ttf"/>
    </Font>
    <Font FontName="" FileFont="e.ttf"><SubFont FileFont="y.ttf" FileMetrik="y.xml"/></Font>
    <Font FileFont="f.ttf" FileEffect="f_fx.xml" FileMetrik="f.xml"/>
    <Font FileFont="g.ttf"/>
    <Font FileMetrik="h.xml"/>
  </Fonts></Config>)"));
  ASSERT_EQ(mConfig.mFonts.size(), 3u);

  const SFontRecord& named = mConfig.mFonts[0];
  EXPECT_EQ(named.mFontName, L"Named");
  ASSERT_EQ(named.mSubFonts.size(), 3u);
  // The effect of the first sub-font carries over to those without one; a
  // sub-font without FileFont is skipped.
  for (const auto& sub : named.mSubFonts) EXPECT_EQ(sub.mFileEffect, L"fx.xml");
  EXPECT_EQ(named.mSubFonts[1].mFileFont, L"b.ttf");
  EXPECT_EQ(named.mSubFonts[2].mFileFont, L"d.ttf");
  EXPECT_EQ(named.mSubFonts[2].mFileMetrik, L"d.xml");

  // Sub-fonts all without metrics: stored as a plain font under its own files.
  const SFontRecord& fallback = mConfig.mFonts[1];
  EXPECT_TRUE(fallback.mFontName.empty());
  EXPECT_TRUE(fallback.mSubFonts.empty());
  EXPECT_EQ(fallback.mFileFont, L"plain.ttf");
  EXPECT_EQ(fallback.mFileMetrik, L"plain.xml");

  // An empty font name drops its sub-fonts; without FileMetrik nothing is
  // stored. The plain font keeps its effect.
  EXPECT_EQ(mConfig.mFonts[2].mFileFont, L"f.ttf");
  EXPECT_EQ(mConfig.mFonts[2].mFileEffect, L"f_fx.xml");
}

TEST_F(AppConfigFixture, CheatMarkerTurnsCheatsOnWhateverItHolds) {
  ASSERT_TRUE(Load("<Config/>"));
  EXPECT_EQ(mConfig.IsCheatOn(), 0);
  mDir.Write("DataLoc/CheatOn", "");
  ASSERT_TRUE(Load("<Config/>"));
  EXPECT_EQ(mConfig.IsCheatOn(), 1);
}

// Records the order in which start-up fills the file system.
class RecordingFileSystem : public zorfile::CFileSystem {
 public:
  int32_t InsertPack(const std::wstring& file) override {
    mCalls.push_back(L"pack " + file);
    return 1;
  }
  int32_t InsertPath(const std::wstring& folder, uint32_t kind) override {
    mCalls.push_back(std::to_wstring(kind) + L" " + folder);
    return 1;
  }
  std::vector<std::wstring> mCalls;
};

TEST(AppConfigApply, PacksFirstThenPathsByKindOrder) {
  AppConfig config;
  config.mTexturePaths = {L"tex"};
  config.mModelPaths = {L"mod1", L"mod2"};
  config.mSoundPaths = {L"snd"};
  config.mVideoPaths = {L"vid"};
  config.mXmlPaths = {L"xml"};
  config.mAnimationPaths = {L"anim"};
  config.mDataPacks = {L"p1.zip", L"p2.zip"};
  RecordingFileSystem fs;
  EXPECT_TRUE(config.ApplyToFileSystem(&fs));
  EXPECT_EQ(fs.mCalls, (std::vector<std::wstring>{L"pack p1.zip", L"pack p2.zip", L"4 mod1", L"4 mod2", L"2 tex",
                                                  L"8 snd", L"32 xml", L"16 vid", L"64 anim"}));
  EXPECT_FALSE(config.ApplyToFileSystem(nullptr));
  EXPECT_FALSE(config.LoadTexts(nullptr));
  EXPECT_FALSE(config.ApplyRenderSettings(nullptr));
}

TEST(AppConfigApply, FailingRenderSettingsOrFontStopsWithItsMessage) {
  TempDir dir;
  zorfile::CFileSystem fs;
  fs.SetInstallFolder(dir.Path());
  zorfile::SetFileSystem(&fs);
  struct Case {
    const char* name;
    std::vector<std::wstring> renderFiles;
    std::vector<SFontRecord> fonts;
    std::wstring message;
  };
  SFontRecord plain;
  plain.mFileFont = L"missing.ttf";
  plain.mFileMetrik = L"missing_m.xml";
  SFontRecord named;
  named.mFontName = L"Named";
  named.mSubFonts.push_back({L"missing.ttf", L"fx.xml", L"sub_m.xml"});
  const Case cases[] = {
      {"render settings", {L"Data\\NoSuch.xml"}, {}, L"Init render setings. File Data\\NoSuch.xml"},
      {"plain font", {}, {plain}, L"No add ResourceFont missing_m.xml."},
      {"named font with effect", {}, {named}, L"No add ResourceFontEffect sub_m.xml."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    testsupport::LogCapture log;
    AppConfig config;
    config.mRenderSetingsFiles = c.renderFiles;
    config.mFonts = c.fonts;
    zuzorev::CRenderSystem render;
    EXPECT_FALSE(config.ApplyRenderSettings(&render));
    EXPECT_TRUE(log.Contains(zuzorev::ELogLevel::Error, c.message));
  }
  zorfile::SetFileSystem(nullptr);
}

}  // namespace

namespace {

// The bundled sample game's configuration and texts load without an error.
TEST(SampleGameConfig, LoadsAndAppliesWithoutErrors) {
  auto oldCwd = std::filesystem::current_path();
  std::filesystem::current_path(testsupport::GameDir());
  testsupport::LogCapture log;
  zorfile::CFileSystem fs;
  fs.SetInstallFolder(testsupport::GameDir());
  zorfile::SetFileSystem(&fs);

  AppConfig config;
  EXPECT_TRUE(config.LoadFromXml(L"DataLoc\\config.xml"));
  EXPECT_EQ(config.mSaveDir, L"LanternHallTale");
  EXPECT_TRUE(config.ApplyToFileSystem(&fs));
  rovovoz::CTextManager texts;
  EXPECT_TRUE(config.LoadTexts(&texts));
  EXPECT_EQ(texts.GetText(L"window_app_name_CE"), L"Lantern Hall Tale");
  zuzorev::CRenderSystem render;
  EXPECT_TRUE(config.ApplyRenderSettings(&render));
  EXPECT_GE(render.GetRenderSetingID(L"RS_FONTRENDER"), 0);
  EXPECT_EQ(log.Texts(zuzorev::ELogLevel::Error), std::vector<std::wstring>());

  zorfile::SetFileSystem(nullptr);
  std::filesystem::current_path(oldCwd);
}

}  // namespace
