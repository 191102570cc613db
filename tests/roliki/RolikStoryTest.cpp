// A cut-scene whose clip is corrupt or missing, or whose description is
// missing, is named in the log and the story moves on to its next step.
#include <algorithm>

#include "Logic/Logic.h"
#include "Logic/LogicLists.h"
#include "roliki/RolikTestSupport.h"

namespace roliktest {
namespace {

using RolikStory = RolikTest;

TEST_F(RolikStory, ACorruptOrMissingClipIsAnErrorAndTheStoryGoesOn) {
  own.Write("Data/Logic/CutSteps.xml",
            "<Steps><Rolik NameStep=\"R_Corrupt\" Name=\"Corrupt\"/><Rolik NameStep=\"R_NoClip\" Name=\"NoClip\"/>"
            "<Rolik NameStep=\"R_Gone\" Name=\"Gone\"/><Rolik NameStep=\"R_Intro\" Name=\"Intro\"/></Steps>");
  Describe("Corrupt.xml", "<Rolik><Video Name=\"C\" File=\"Corrupt.ogv\"/></Rolik>");
  own.Write("Corrupt.ogv", std::string("OggS\0\0not a video at all", 24));
  Describe("NoClip.xml", "<Rolik><Video Name=\"N\" File=\"Nowhere.ogv\"/></Rolik>");
  {
    CLogic logic;
    ASSERT_EQ(logic.LoadSteps(L"Data\\Logic\\CutSteps.xml"), 1);
    for (const wchar_t* name : {L"Corrupt", L"NoClip", L"Gone", L"Intro"})
      gRoliki[name] = new CBaseRolik(core.Get(), name, std::wstring(name) + L".xml");
    gCurrentPlayer = PlayerRecord();
    ASSERT_EQ(logic.Play(), 1);
    const auto current = [&logic] { return logic.GetStep(logic.GetTempStep())->NameStep; };
    logic.Update(1.0f, nullptr);
    ASSERT_EQ(current(), L"R_Corrupt");
    EXPECT_TRUE(log.Contains(zuzorev::ELogLevel::Error, L"Load rolik Corrupt"));
    logic.Update(0.02f, nullptr);
    EXPECT_EQ(current(), L"R_NoClip");
    EXPECT_TRUE(log.Contains(zuzorev::ELogLevel::Error, L"Load rolik NoClip"));
    logic.Update(0.02f, nullptr);
    EXPECT_EQ(current(), L"R_Gone");
    EXPECT_TRUE(log.Contains(zuzorev::ELogLevel::Error, L"Load rolik Gone"));
    logic.Update(0.02f, nullptr);
    EXPECT_EQ(current(), L"R_Intro");
    EXPECT_NE(gRoliki[L"Intro"]->GetVideo(), nullptr);
    for (int i = 0; i < 3; ++i) logic.Update(0.5f, nullptr);
    EXPECT_EQ(current(), L"R_Intro") << "the intro plays";
    // A failed clip is never reported as made: only the intro's is.
    const std::vector<std::wstring> infos = log.Texts(zuzorev::ELogLevel::Info);
    EXPECT_EQ(std::count(infos.begin(), infos.end(), L"CBaseRolik::LoadFromXML Video->CreateClip OK"), 1);
    ReleaseLogicLists();
  }
  gCurrentPlayer = PlayerRecord();
}

}  // namespace
}  // namespace roliktest
