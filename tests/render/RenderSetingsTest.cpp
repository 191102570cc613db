#include <gtest/gtest.h>

#include "Engine/zuzorev/RenderSetings.h"
#include "render/RenderTestSupport.h"

namespace {

using zuzorev::CRenderSetingsManager;
using zuzorev::EBlend;

TEST(RenderSetings, AttributesBecomeStates) {
  CRenderSetingsManager m;
  ASSERT_GE(m.LoadSetingsFromText(R"(<RenderSetings>
      <Seting Name="A" Blend="add" DepthTest="0" DepthWrite="0" Cull="ccw" Filter="point"
              SecondTex="multalpha" AlphaCut="128" Lighting="0"/>
      <seting name="B"/>
    </RenderSetings>)"),
            0);
  const auto* a = m.Get(m.GetID(L"a"));  // names ignore case
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->Blend, EBlend::Add);
  EXPECT_FALSE(a->DepthTest);
  EXPECT_FALSE(a->DepthWrite);
  EXPECT_EQ(a->Cull, zuzorev::ECull::CounterClockwise);
  EXPECT_FALSE(a->Linear);
  EXPECT_EQ(a->SecondTex, zuzorev::ESecondTex::MultiplyAlpha);
  EXPECT_NEAR(a->AlphaCut, 128 / 255.0f, 1e-6f);
  EXPECT_FALSE(a->Lighting);
  // Defaults: alpha blend, depth test and write, lit.
  const auto* b = m.Get(m.GetID(L"B"));
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(b->Blend, EBlend::Alpha);
  EXPECT_TRUE(b->DepthTest && b->DepthWrite && b->Lighting && b->Linear);
  EXPECT_EQ(m.GetID(L"missing"), -1);
  EXPECT_EQ(m.Get(-1), nullptr);
}

TEST(RenderSetings, BadEntriesAreSkippedAndBadFilesFail) {
  testsupport::LogCapture log;
  CRenderSetingsManager m;
  ASSERT_GE(m.LoadSetingsFromText(R"(<RenderSetings><Seting Name="X" Blend="sideways"/><Seting Blend="add"/>
      <Seting Name="Y"/></RenderSetings>)"),
            0);
  EXPECT_EQ(m.Count(), 1u);
  EXPECT_EQ(m.GetID(L"Y"), 0);
  for (const char* text : {"", "<RenderSetings>", "<Other/>", "\xff\xfe garbage"})
    EXPECT_LT(m.LoadSetingsFromText(text), 0) << text;
}

TEST(RenderSetings, LaterFileReplacesSameName) {
  CRenderSetingsManager m;
  m.LoadSetingsFromText(R"(<RenderSetings><Seting Name="S" Blend="none"/><Seting Name="T"/></RenderSetings>)");
  m.LoadSetingsFromText(R"(<RenderSetings><Seting Name="s" Blend="add"/></RenderSetings>)");
  EXPECT_EQ(m.Count(), 2u);
  EXPECT_EQ(m.GetID(L"S"), 0);  // ids stay
  EXPECT_EQ(m.Get(0)->Blend, EBlend::Add);
}

TEST(RenderSetings, SampleGameHasEveryNameTheGameUses) {
  rendertest::ScopedFileSystem fs;
  testsupport::LogCapture log;
  CRenderSetingsManager m;
  ASSERT_GE(m.LoadSetingsFromXml(L"BaseSetings.xml", 1), 0);
  for (const wchar_t* name :
       {L"MT_TEXTURE_ALPHA_LOGO", L"MT_TEXTURE_ALPHA_SMOOTH", L"MT_TEXTURE_ALPHA_SMOOTH_SECONDTEX_MULTALPHA",
        L"MT_TEXTURE_ALPHA_SMOOTH_OVERLAY", L"MT_TEXTURE_ALPHA_CULL_NONE", L"MT_PARTICLE", L"MT_PARTICLE_OVERLAY",
        L"MT_PARTICLE_GAME", L"MT_FIRE", L"MT_LUCHI_PIL", L"MT_STRUYA", L"RS_FONTRENDER"})
    EXPECT_GE(m.GetID(name), 0) << name;
  EXPECT_TRUE(log.Texts(zuzorev::ELogLevel::Warning).empty());
  EXPECT_LT(m.LoadSetingsFromXml(L"NoSuchFile.xml", 1), 0);
}

}  // namespace
