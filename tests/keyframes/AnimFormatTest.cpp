// The two key-frame formats: the export's samples, controllers, clamped
// frames, fill modes, vertex tracks and parent node; the binary companion
// preferred when it is there, read back as written, and refused (the
// export read instead) when it is short or cannot be right.
#include <gtest/gtest.h>

#include "Objects/AnimCompanion.h"
#include "Objects/AnimExport.h"
#include "keyframes/KeyframesTestSupport.h"

namespace {

using keyframestest::CompanionBytes;
using keyframestest::CompanionHeader;
using keyframestest::Export;
using keyframestest::KeyframesCore;
using zormath::Vec3f;
using zuzorev::ELogLevel;

class AnimFormat : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(core.Ok()); }
  // Reads an export written from text; no rest pose unless given.
  bool Read(const std::string& xml, SAnimData& anim, const std::string& node = "Box01",
            const std::vector<Vec3f>& rest = {}) {
    const std::wstring file = core.Write("Test.xaf", xml);
    return animfile::ReadExport(file, std::wstring(node.begin(), node.end()), rest, anim);
  }
  static std::string Controller(const std::string& name, const std::string& keys, const std::string& attributes = "") {
    return "<Controller name=\"" + name + "\" " + attributes + "><Keys count=\"2\">" + keys + "</Keys></Controller>";
  }
  KeyframesCore core;
  testsupport::LogCapture log;
};

TEST_F(AnimFormat, SamplesSwapTheirSecondAndThirdComponents) {
  SAnimData anim;
  ASSERT_TRUE(Read("<MaxAnimation><Node name=\"Box01\"><Samples count=\"2\">"
                   "<S v=\"1 0 0 0 1 0 0 0 1 5 6 7\"/><S v=\"0 1 0 -1 0 0 0 0 1 1 2 3\"/>"
                   "</Samples></Node></MaxAnimation>",
                   anim));
  ASSERT_EQ(anim.keys.size(), 2u);
  EXPECT_EQ(anim.keys[0].position, Vec3f(5, 7, 6));
  EXPECT_EQ(anim.keys[0].direction, Vec3f(0, 0, 1));
  EXPECT_EQ(anim.keys[0].up, Vec3f(0, 1, 0));
  EXPECT_EQ(anim.keys[1].direction, Vec3f(-1, 0, 0));
  EXPECT_EQ(anim.keys[0].scale, Vec3f(1, 1, 1));
  EXPECT_EQ(anim.keys[0].alpha, 1.0f);
  EXPECT_EQ(anim.frameRate, 30) << "no SceneInfo: 30 frames a second";
  EXPECT_FLOAT_EQ(anim.length, 1.0f / 30.0f);
}

TEST_F(AnimFormat, ControllersAreChosenByTheirLastWords) {
  const std::string controllers =
      Controller("Box01 \\ Scale", "<K t=\"0\" v=\"1 2 3\"/><K t=\"320\" v=\"3 4 5\"/>") +
      Controller("Box01 \\ Scale \\ X Scale", "<K t=\"0\" v=\"9 9 9\"/><K t=\"320\" v=\"9 9 9\"/>") +
      Controller("Box01 \\ Material \\ V Offset", "<Key t=\"0\" v=\"0.25\"/><Key t=\"320\" v=\"0.25\"/>") +
      Controller("Box01 \\ Visibility", "<Key t=\"0\" v=\"0\"/><Key t=\"320\" v=\"1\"/>") +
      Controller("Box01 \\ Position", "<Key t=\"0\" v=\"7\"/><Key t=\"320\" v=\"7\"/>");
  SAnimData anim;
  ASSERT_TRUE(Read(Export("Box01", 3, controllers), anim));
  ASSERT_EQ(anim.keys.size(), 3u);
  EXPECT_EQ(anim.keys[0].scale, Vec3f(1, 3, 2)) << "scale stored as (a, c, b); X Scale skipped";
  EXPECT_EQ(anim.keys[1].scale, Vec3f(2, 4, 3));
  EXPECT_FLOAT_EQ(anim.keys[1].offsetV, -0.25f) << "V offsets are negated";
  EXPECT_EQ(anim.textureOffset, 1);
  EXPECT_FLOAT_EQ(anim.keys[1].alpha, 0.5f);
  EXPECT_EQ(anim.keys[2].position, Vec3f(20, 0, 0));
  EXPECT_TRUE(log.Texts(ELogLevel::Error).empty());
}

TEST_F(AnimFormat, FramesBeyondTheSamplesAreClampedWithAWarning) {
  // Four samples: frames 0 .. 3; N x ticks is frame 4.
  const std::string controllers =
      Controller("Box01 \\ U Offset", "<Key t=\"-160\" v=\"1\"/><Key t=\"640\" v=\"4\"/>");
  SAnimData anim;
  ASSERT_TRUE(Read(Export("Box01", 4, controllers), anim));
  EXPECT_FLOAT_EQ(anim.keys[0].offsetU, 1.0f);
  EXPECT_FLOAT_EQ(anim.keys[3].offsetU, 4.0f);
  EXPECT_FLOAT_EQ(anim.keys[1].offsetU, 2.0f);
  const auto warnings = log.Texts(ELogLevel::Warning);
  ASSERT_EQ(warnings.size(), 2u);
  EXPECT_EQ(warnings[0], L"AnimKeyU out of range");
  EXPECT_EQ(warnings[1], L"AnimKeyU out of range");
}

TEST_F(AnimFormat, OneKeyTracksAreNotBaked) {
  const std::string controllers =
      "<Controller name=\"Box01 \\ Visibility\" outOfRangeAfter=\"constant\"><Keys count=\"1\">"
      "<Key t=\"160\" v=\"0.2\"/></Keys></Controller>";
  SAnimData anim;
  ASSERT_TRUE(Read(Export("Box01", 3, controllers), anim));
  for (const SAnimKey& key : anim.keys) EXPECT_EQ(key.alpha, 1.0f);
}

TEST_F(AnimFormat, TheKeysCountBoundsTheTrack) {
  // Four frames; the visibility keys fall from 1 to 0 over frames 0 .. 2,
  // a third key would bring it back at frame 3.
  const std::string keys = "<Key t=\"0\" v=\"1\"/><Key t=\"320\" v=\"0\"/><Key t=\"480\" v=\"0.5\"/>";
  struct Case {
    const char* count;
    float alpha[4];
    size_t warnings;
  } cases[] = {
      {"count=\"3\"", {1.0f, 0.5f, 0.0f, 0.5f}, 0},
      {"count=\"2\"", {1.0f, 0.5f, 0.0f, 1.0f}, 0},
      {"count=\"1\"", {1.0f, 1.0f, 1.0f, 1.0f}, 0},
      {"count=\"-4\"", {1.0f, 1.0f, 1.0f, 1.0f}, 0},
      {"", {1.0f, 1.0f, 1.0f, 1.0f}, 0},
      {"count=\"9\"", {1.0f, 0.5f, 0.0f, 0.5f}, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.count);
    testsupport::LogCapture caseLog;
    const std::string controller = std::string("<Controller name=\"Box01 \\ Visibility\"><Keys ") + c.count + ">" +
                                   keys + "</Keys></Controller>";
    SAnimData anim;
    ASSERT_TRUE(Read(Export("Box01", 4, controller), anim));
    ASSERT_EQ(anim.keys.size(), 4u);
    for (int f = 0; f < 4; ++f) EXPECT_FLOAT_EQ(anim.keys[f].alpha, c.alpha[f]) << "frame " << f;
    EXPECT_EQ(caseLog.Texts(ELogLevel::Warning).size(), c.warnings) << "fewer keys than the count are noted";
  }
}

TEST_F(AnimFormat, OutOfRangeModesFillBeforeAndAfterTheKeys) {
  // Ten frames; U keys 1 at frame 3 and 4 at frame 6.
  struct Case {
    const char* mode;
    float expected[10];
  } cases[] = {
      {"none", {0, 0, 0, 1, 2, 3, 4, 0, 0, 0}},
      {"Loop", {0, 0, 0, 1, 2, 3, 4, 0, 0, 0}},  // compared with its case
      {"constant", {1, 1, 1, 1, 2, 3, 4, 4, 4, 4}},
      {"oscillate", {4, 3, 2, 1, 2, 3, 4, 3, 2, 1}},
      {"loop", {2, 3, 4, 1, 2, 3, 4, 1, 2, 3}},
      {"cycle", {2, 3, 4, 1, 2, 3, 4, 1, 2, 3}},
      {"linear", {-2, -1, 0, 1, 2, 3, 4, 5, 6, 7}},
      {"relativeRepeat", {-2, -1, 0, 1, 2, 3, 4, 4, 5, 6}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode);
    const std::string attributes =
        std::string("outOfRangeBefore=\"") + c.mode + "\" outOfRangeAfter=\"" + c.mode + "\"";
    const std::string controllers =
        Controller("Box01 \\ U Offset", "<Key t=\"480\" v=\"1\"/><Key t=\"960\" v=\"4\"/>", attributes);
    SAnimData anim;
    ASSERT_TRUE(Read(Export("Box01", 10, controllers), anim));
    ASSERT_EQ(anim.keys.size(), 10u);
    for (int f = 0; f < 10; ++f) EXPECT_FLOAT_EQ(anim.keys[f].offsetU, c.expected[f]) << "frame " << f;
  }
}

TEST_F(AnimFormat, VertexTrackMovesTheRestVerticesNearItsFirstKey) {
  // A quad's corners; the two at (20, 0, 20) (split vertices) follow the track.
  const std::vector<Vec3f> rest = {{-20, 0, -20}, {20, 0, 20}, {20.5f, 0, 20}, {-20, 0, 20}};
  const std::string controllers =
      Controller("Box01 \\ Vertex 2", "<K t=\"0\" v=\"20 20 0\"/><K t=\"320\" v=\"40 20 0\"/>");
  SAnimData anim;
  ASSERT_TRUE(Read(Export("Box01", 4, controllers), anim, "Box01", rest));
  EXPECT_EQ(anim.vertexAnimation, 1);
  ASSERT_EQ(anim.keys[1].vertices.size(), 4u);
  EXPECT_EQ(anim.keys[1].vertices[1], Vec3f(30, 0, 20));
  EXPECT_EQ(anim.keys[1].vertices[2], Vec3f(30, 0, 20)) << "within 1.0 of the key: moves along";
  EXPECT_EQ(anim.keys[1].vertices[0], rest[0]);
  EXPECT_EQ(anim.keys[3].vertices[1], rest[1]) << "after the track: the rest pose, no fill";

  SAnimData without;
  ASSERT_TRUE(Read(Export("Box01", 4, controllers), without));
  EXPECT_EQ(without.vertexAnimation, 0) << "no model, no vertex frames";
}

TEST_F(AnimFormat, TheParentNodesTracksAreReadFromASecondParse) {
  const std::string parentTrack =
      "<Node name=\"Rig\">" + Controller("Rig \\ Visibility", "<Key t=\"0\" v=\"0\"/><Key t=\"160\" v=\"0.5\"/>") +
      "</Node>";
  struct Case {
    const char* parent;
    float alphaAtFrame1;
  } cases[] = {{"Rig", 0.5f}, {"Scene Root", 1.0f}, {"R", 1.0f}, {"", 1.0f}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.parent);
    std::string xml = Export("Box01", 2, "", std::string("parentNode=\"") + c.parent + "\"");
    xml.insert(xml.size() - std::string("</MaxAnimation>").size(), parentTrack);
    // A one-character parent named like that exists too: still not read.
    xml.insert(xml.size() - std::string("</MaxAnimation>").size(),
               "<Node name=\"R\">" + Controller("R \\ Visibility", "<Key t=\"0\" v=\"0\"/><Key t=\"160\" v=\"0\"/>") +
                   "</Node>");
    SAnimData anim;
    ASSERT_TRUE(Read(xml, anim));
    ASSERT_EQ(anim.keys.size(), 2u);
    EXPECT_FLOAT_EQ(anim.keys[1].alpha, c.alphaAtFrame1);
    EXPECT_EQ(anim.keys[1].position, Vec3f(10, 0, 0)) << "samples are the node's own";
  }
}

TEST_F(AnimFormat, CompanionIsReadBackAsWrittenAndPreferredByName) {
  EXPECT_EQ(animfile::CompanionName(L"Anim\\door.xaf", L"Door01"), L"Anim\\door.Door01.anim");
  EXPECT_EQ(animfile::CompanionName(L"door.v2.xaf", L"Door01"), L"door.Door01.anim");
  CompanionBytes bytes = CompanionHeader(3, 25, 192, 1, 0.08f);
  bytes.Key({1, 2, 3}, 0.5f, 0.25f, -0.5f).Key({4, 5, 6}).Key({7, 8, 9});
  bytes.Int(1).Int(2);
  for (int i = 0; i < 6; ++i) bytes.Vec(static_cast<float>(i), 0, 1);
  const std::wstring name = core.Write("Door.Door01.anim", bytes.Bytes() + "surplus");
  ASSERT_TRUE(animfile::CompanionExists(L"door.door01.ANIM"));
  SAnimData anim;
  ASSERT_TRUE(animfile::ReadCompanion(name, anim));
  EXPECT_EQ(anim.frameRate, 25);
  EXPECT_EQ(anim.ticksPerFrame, 192);
  EXPECT_EQ(anim.textureOffset, 1);
  EXPECT_FLOAT_EQ(anim.length, 0.08f);
  ASSERT_EQ(anim.keys.size(), 3u);
  EXPECT_EQ(anim.keys[0].position, Vec3f(1, 2, 3));
  EXPECT_FLOAT_EQ(anim.keys[0].alpha, 0.5f);
  EXPECT_FLOAT_EQ(anim.keys[0].offsetU, 0.25f);
  EXPECT_FLOAT_EQ(anim.keys[0].offsetV, -0.5f);
  EXPECT_EQ(anim.keys[2].position, Vec3f(7, 8, 9));
  EXPECT_EQ(anim.vertexAnimation, 1);
  ASSERT_EQ(anim.keys[2].vertices.size(), 2u);
  EXPECT_EQ(anim.keys[2].vertices[1], Vec3f(5, 0, 1));
}

TEST_F(AnimFormat, BrokenCompanionsAreRefusedWithALine) {
  const std::string keys3 = CompanionBytes().Key({}).Key({}).Key({}).Bytes();
  struct Case {
    const char* what;
    std::string bytes;
  } cases[] = {
      {"empty", ""},
      {"short header", CompanionHeader(3, 10, 160, 0, 0.2f).Bytes().substr(0, 12)},
      {"no sample", CompanionHeader(0, 10, 160, 0, 0.0f).Int(0).Bytes()},
      {"negative count", CompanionHeader(-3, 10, 160, 0, 0.0f).Int(0).Bytes()},
      {"frame rate 0", CompanionHeader(3, 0, 160, 0, 0.2f).Bytes() + keys3 + CompanionBytes().Int(0).Bytes()},
      {"ticks 0", CompanionHeader(3, 10, 0, 0, 0.2f).Bytes() + keys3 + CompanionBytes().Int(0).Bytes()},
      {"huge count", CompanionHeader(0x7fffffff, 10, 160, 0, 0.2f).Bytes() + keys3},
      {"truncated keys", CompanionHeader(3, 10, 160, 0, 0.2f).Bytes() + keys3.substr(0, 100)},
      {"no vertex flag", CompanionHeader(3, 10, 160, 0, 0.2f).Bytes() + keys3},
      {"negative vertices", CompanionHeader(3, 10, 160, 0, 0.2f).Bytes() + keys3 + CompanionBytes().Int(1).Int(-1).Bytes()},
      {"short vertices",
       CompanionHeader(3, 10, 160, 0, 0.2f).Bytes() + keys3 + CompanionBytes().Int(1).Int(1000000).Vec(1, 2, 3).Bytes()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    testsupport::LogCapture caseLog;
    const std::wstring name = core.Write("Broken.Box01.anim", c.bytes);
    SAnimData anim;
    anim.keys.resize(2);
    EXPECT_FALSE(animfile::ReadCompanion(name, anim));
    EXPECT_TRUE(anim.keys.empty()) << "nothing kept of a refused file";
    EXPECT_EQ(caseLog.Texts(ELogLevel::Error).size(), 1u);
  }
}

TEST_F(AnimFormat, BrokenExportsAreRefusedWithALine) {
  struct Case {
    const char* what;
    std::string xml;
  } cases[] = {
      {"not XML", "<MaxAnimation><Node"},
      {"eleven numbers", "<MaxAnimation><Node name=\"Box01\"><Samples count=\"1\"><S v=\"1 0 0 0 1 0 0 0 1 5 6\"/>"
                         "</Samples></Node></MaxAnimation>"},
      {"words in a sample", "<MaxAnimation><Node name=\"Box01\"><Samples count=\"1\"><S v=\"1 0 0 0 1 0 0 0 1 5 6 x\"/>"
                            "</Samples></Node></MaxAnimation>"},
      {"count 0", "<MaxAnimation><Node name=\"Box01\"><Samples count=\"0\"/></Node></MaxAnimation>"},
      {"frame rate 0", Export("Box01", 2, "", "", 0)},
      {"ticks 0", "<MaxAnimation><SceneInfo ticksPerFrame=\"0\"/><Node name=\"Box01\"/></MaxAnimation>"},
      {"key without value", Export("Box01", 2, Controller("Box01 \\ Scale", "<K t=\"0\" v=\"1 2\"/><K t=\"1\"/>"))},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    testsupport::LogCapture caseLog;
    SAnimData anim;
    EXPECT_FALSE(Read(c.xml, anim));
    EXPECT_FALSE(caseLog.Texts(ELogLevel::Error).empty());
  }
}

TEST_F(AnimFormat, OddButHarmlessExportsStillRead) {
  // Two keys on one frame, a one-word controller name, more samples than
  // the count, fewer samples than the count, no root, no such node.
  struct Case {
    const char* what;
    std::string xml;
    size_t keys;
  } cases[] = {
      {"keys on one frame", Export("Box01", 3, Controller("Box01 \\ Visibility", "<Key t=\"160\" v=\"0\"/><Key t=\"160\" v=\"0.5\"/>", "outOfRangeAfter=\"linear\" outOfRangeBefore=\"oscillate\"")), 3},
      {"one-word name", Export("Box01", 2, Controller("Scale", "<K t=\"0\" v=\"1 1 1\"/><K t=\"160\" v=\"2 2 2\"/>")), 2},
      {"surplus samples", "<MaxAnimation><Node name=\"Box01\"><Samples count=\"1\">" + keyframestest::Sample(1, 2, 3) +
                              keyframestest::Sample(4, 5, 6) + "</Samples></Node></MaxAnimation>", 1},
      {"missing samples", "<MaxAnimation><Node name=\"Box01\"><Samples count=\"5\">" + keyframestest::Sample(1, 2, 3) +
                              "</Samples></Node></MaxAnimation>", 1},
      {"no root", "<Other/>", 0},
      {"no such node", Export("Box02", 2), 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SAnimData anim;
    EXPECT_TRUE(Read(c.xml, anim));
    EXPECT_EQ(anim.keys.size(), c.keys);
    for (const SAnimKey& key : anim.keys) EXPECT_TRUE(std::isfinite(key.alpha));
  }
}

}  // namespace
