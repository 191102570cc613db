#include <gtest/gtest.h>

#include "Engine/TinyXmlExt/TinyXmlExt.h"
#include "Engine/rovovoz/TextManager.h"
#include "Engine/zorfile/FileSystem.h"
#include "Platform/Strings.h"
#include "support/TestSupport.h"

namespace {

using testsupport::LogCapture;
using zuzorev::ELogLevel;

// Texts read from tests/fixtures/rovovoz/texts through the file system.
class TextManagerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    mFs.SetInstallFolder(testsupport::FixturesDir() / "rovovoz");
    zorfile::SetFileSystem(&mFs);
  }
  void TearDown() override { zorfile::SetFileSystem(nullptr); }

  zorfile::CFileSystem mFs;
  rovovoz::CTextManager mTexts;
};

TEST_F(TextManagerTest, FindsTextsByGroupAndKey) {
  mTexts.AddGroupRoot(L"Collector");
  ASSERT_TRUE(mTexts.Load(L"Texts\\Main.xml"));
  ASSERT_TRUE(mTexts.Load(L"Texts\\More.xml"));

  struct Case {
    std::wstring group;  // empty: GetText(key) over every group
    std::wstring key;
    std::wstring expected;
  };
  const std::vector<Case> cases = {
      {L"k_game_text", L"k_hello", L"Hello"},
      {L"k_game_text", L"k_goodbye", L"Goodbye"},  // same group, second file
      {L"k_map", L"k_map_title", L"Карта зала"},
      {L"k_map", L"k_shared", L"from map"},
      {L"k_game_text", L"k_two_lines", L"First line\nsecond line"},
      {L"k_game_text", L"k_escaped", L"Salt & <pepper>"},
      {L"k_extra", L"k_bonus", L"Bonus room"},  // under an added root
      {L"", L"k_map_title", L"Карта зала"},
      {L"", L"k_shared", L"from game text"},  // first loaded group wins
      {L"", L"k_hello", L"Hello"},            // first loaded file wins
      {L"", L"k_goodbye", L"Goodbye"},
      {L"k_map", L"k_hello", L""},            // key in another group only
      {L"K_GAME_TEXT", L"k_hello", L""},      // group names are exact
      {L"k_game_text", L"K_HELLO", L""},      // keys are exact
      {L"k_nothing", L"k_hello", L""},
      {L"", L"k_missing", L""},
      {L"", L"k_orphan", L""},  // its group has no name
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "group " << c.group.size() << " key " << c.key.size());
    EXPECT_EQ(c.group.empty() ? mTexts.GetText(c.key) : mTexts.GetText(c.group, c.key), c.expected);
  }
}

TEST_F(TextManagerTest, GroupsUnderARootNeedThatRoot) {
  ASSERT_TRUE(mTexts.Load(L"texts/main.xml"));
  EXPECT_EQ(mTexts.GetText(L"k_extra", L"k_bonus"), L"");
  EXPECT_EQ(mTexts.GetText(L"k_hello"), L"Hello");

  mTexts.Release();
  EXPECT_EQ(mTexts.GetText(L"k_hello"), L"");
  mTexts.AddGroupRoot(L"collector");  // root names are exact too
  ASSERT_TRUE(mTexts.Load(L"texts/main.xml"));
  EXPECT_EQ(mTexts.GetText(L"k_bonus"), L"");
}

TEST_F(TextManagerTest, RejectsMissingAndMalformedFilesKeepingWhatWasLoaded) {
  ASSERT_TRUE(mTexts.Load(L"Texts\\More.xml"));
  LogCapture log;
  struct Case {
    std::wstring file;
    ELogLevel level;      // of the one line naming the file
    std::wstring phrase;  // in that line; empty: no line (the caller names a missing file)
  };
  const std::vector<Case> cases = {
      {L"Texts\\Missing.xml", ELogLevel::Warning, L""},
      {L"Texts\\Broken.xml", ELogLevel::Error, L"not parsed"},
      {L"Texts\\NoRoot.xml", ELogLevel::Error, L"not parsed"},
      {L"Texts\\WrongRoot.xml", ELogLevel::Warning, L"has no Texts root"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << Platform::WideToUtf8(c.file));
    log.Clear();
    EXPECT_FALSE(mTexts.Load(c.file));
    const auto errors = log.Texts(ELogLevel::Error);
    const auto warnings = log.Texts(ELogLevel::Warning);
    EXPECT_EQ(errors.size() + warnings.size(), c.phrase.empty() ? 0u : 1u);
    if (c.phrase.empty()) continue;
    const auto& lines = c.level == ELogLevel::Error ? errors : warnings;
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find(c.file), std::wstring::npos) << Platform::WideToUtf8(lines[0]);
    EXPECT_NE(lines[0].find(c.phrase), std::wstring::npos) << Platform::WideToUtf8(lines[0]);
  }
  EXPECT_EQ(mTexts.GetText(L"k_goodbye"), L"Goodbye");
  EXPECT_EQ(mTexts.GetText(L"k_broken"), L"");
  EXPECT_EQ(mTexts.GetText(L"k_wrong"), L"");
}

TEST(DefaultInit, KeepsFontAndTextDefaults) {
  TiXmlDocument doc;
  ASSERT_TRUE(ParseXmlDocument(doc, R"(<Config>
      <DefaultInit name="Body" RENDERNAME="RS_TEXT" ScaleX="0.5" IntervalY="3" Height="18" Bold="0" MaxChar="0x200"/>
      <DefaultInit Group="k_default"/>
    </Config>)"));
  const TiXmlElement* font = FirstChildElementUpper(doc.RootElement(), "DefaultInit");
  const TiXmlElement* text = IterateChildrenElementUpper(doc.RootElement(), "DefaultInit", font);

  rovovoz::LoadDefaultInitFont(font);
  const rovovoz::SInitInfoFont& f = rovovoz::GetDefInitFont();
  EXPECT_EQ(f.Name, L"Body");
  EXPECT_EQ(f.RenderName, L"RS_TEXT");
  EXPECT_EQ(f.RenderNameShadow, L"RS_FONTRENDER");  // not given: default
  EXPECT_FLOAT_EQ(f.ScaleX, 0.5f);
  EXPECT_FLOAT_EQ(f.ScaleY, 1.0f);
  EXPECT_EQ(f.IntervalX, 1);
  EXPECT_EQ(f.IntervalY, 3);
  EXPECT_EQ(f.Height, 18);
  EXPECT_EQ(f.Bold, 0);
  EXPECT_EQ(f.MaxChar, 0x200u);
  EXPECT_EQ(f.ScaleRaster, 1);

  rovovoz::LoadDefaultInitText(text);
  EXPECT_EQ(rovovoz::GetDefInitText().Group, L"k_default");

  // A long name is cut to its field size; a null element restores defaults.
  TiXmlElement longName("DefaultInit");
  longName.SetAttribute("Name", std::string(300, 'n').c_str());
  rovovoz::LoadDefaultInitFont(&longName);
  EXPECT_EQ(rovovoz::GetDefInitFont().Name.size(), rovovoz::SInitInfoFont::kMaxName);
  rovovoz::LoadDefaultInitFont(nullptr);
  rovovoz::LoadDefaultInitText(nullptr);
  EXPECT_EQ(rovovoz::GetDefInitFont().Name, L"");
  EXPECT_EQ(rovovoz::GetDefInitFont().Bold, 1);
  EXPECT_EQ(rovovoz::GetDefInitText().Group, L"");
}

}  // namespace
