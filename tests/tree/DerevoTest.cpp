// The swaying tree through its per-frame update with fixed frame times and
// a seeded random source: when gusts start and how strong they are, the
// corrected wind bounds, the spring that cancels the torques, a child
// carried on its parent's bend, pushes by name, the drawing order and the
// trees that load only in part.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "Engine/zormath/Transform.h"
#include "Objects/Derevo.h"
#include "tree/TreeTestSupport.h"

namespace {

using treetest::Draws;
using treetest::LoadObject;
using treetest::TreeCore;
using zuzorev::ELogLevel;

constexpr float kPi = 3.1415927f;

// The fixture tree: trunk, its left bough with a twig, its right bough.
std::string Tree(const std::string& extra, const std::string& koef = "") {
  return "<Properties>" + extra + "<Korni><Koren NameModel=\"B_Trunk\" " + koef + "><Child NameModel=\"B_Left\" " +
         koef + "><Child NameModel=\"B_Twig\" " + koef + "/></Child><Child NameModel=\"B_Right\" " + koef +
         "/></Koren></Korni></Properties>";
}

const SDerevoBranch& Trunk(const CDerevo& tree) { return tree.GetRoots().at(0).branch; }
const SDerevoBranch& Left(const CDerevo& tree) { return Trunk(tree).children.at(0); }
const SDerevoBranch& Twig(const CDerevo& tree) { return Left(tree).children.at(0); }

void ExpectMatrixNear(const zormath::Mat4f& got, const zormath::Mat4f& want, const char* what) {
  for (int i = 0; i < 16; ++i) EXPECT_NEAR(got.m[i], want.m[i], 1e-3f) << what << " element " << i;
}

class Derevo : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(core.Ok()); }
  TreeCore core;
  testsupport::LogCapture log;
};

TEST_F(Derevo, FirstGustStartsOnTheFirstUpdateWithForceZeroThenPulsesAsAHalfSine) {
  Draws r(77);
  auto tree = LoadObject<CDerevo>(
      core, Tree("<Veter MinDTime=\"3\" MaxDTime=\"5\" MinTimeSila=\"0.5\" MaxTimeSila=\"1.5\" MinSila=\"2\" "
                 "MaxSila=\"4\" ValueReverse=\"0.5\"><Dir x=\"1\"/></Veter>",
                 "KoefUprugosti=\"0.5\""));
  tree->Update(0.1f, nullptr);
  EXPECT_EQ(tree->GetForce(), 0.0f);
  EXPECT_EQ(Trunk(*tree).velocity, 0.0f) << "no force yet, no pull";
  // Strength, length, pause, then the reversal draw.
  float amplitude = 2.0f + r[0] * (4.0f - 2.0f);
  if (0.5f > r[3]) amplitude = -amplitude;
  const float length = 0.5f + r[1] * (1.5f - 0.5f);
  EXPECT_FLOAT_EQ(tree->GetGustAmplitude(), amplitude);
  EXPECT_FLOAT_EQ(tree->GetGustLength(), length);
  EXPECT_FLOAT_EQ(tree->GetGustRemaining(), length);
  EXPECT_FLOAT_EQ(tree->GetGustPause(), 3.0f + r[2] * (5.0f - 3.0f));
  EXPECT_EQ(tree->GetGustElapsed(), 0.0f);

  tree->Update(0.1f, nullptr);
  float remaining = length;
  remaining -= 0.1f;
  EXPECT_FLOAT_EQ(tree->GetForce(), std::sin(remaining * kPi / length) * amplitude);
  EXPECT_NE(Trunk(*tree).velocity, 0.0f) << "the gust bends the trunk";
  EXPECT_EQ(r.Taken(), 4) << "no further draw until the pause has passed";

  // Past the gust's length the force is 0 until the next gust starts.
  while (tree->GetGustRemaining() > 0.0f) tree->Update(0.1f, nullptr);
  EXPECT_EQ(tree->GetGustAmplitude(), 0.0f);
  EXPECT_EQ(tree->GetForce(), 0.0f);
}

TEST_F(Derevo, WindBoundsAreCorrectedAndDrawOnlyWhereTheyDiffer) {
  const std::string fixed = "MinDTime=\"1\" MaxDTime=\"1\" MinTimeSila=\"0.5\" MaxTimeSila=\"0.5\" ";
  struct Case {
    const char* what;
    std::string veter;
    float amplitude;  // after the first update
    int draws;        // taken by the first update
  } cases[] = {
      {"MinSila 2 over MaxSila 1 is a fixed 2", fixed + "MinSila=\"2\" MaxSila=\"1\"", 2.0f, 0},
      {"negative strengths are no gusts", fixed + "MinSila=\"-1\" MaxSila=\"-2\"", 0.0f, 0},
      {"negative pauses are no gusts", "MinDTime=\"-1\" MaxDTime=\"-3\" MinTimeSila=\"1\" MaxTimeSila=\"1\" MinSila=\"2\"",
       0.0f, 0},
      {"no gust length, no gusts", "MinDTime=\"1\" MaxDTime=\"1\" MinSila=\"2\" MaxSila=\"2\"", 0.0f, 0},
      {"ValueReverse 0 never reverses", fixed + "MinSila=\"2\" MaxSila=\"2\" ValueReverse=\"0\"", 2.0f, 0},
      {"ValueReverse 1 reverses", fixed + "MinSila=\"2\" MaxSila=\"2\" ValueReverse=\"1\"", -2.0f, 1},
      {"a negative Min with a Max draws from 0", fixed + "MinSila=\"-5\" MaxSila=\"0\"", 0.0f, 0},
  };
  for (const Case& c : cases) {
    Draws r(5);
    auto tree =
        LoadObject<CDerevo>(core, Tree("<Veter " + c.veter + "><Dir x=\"1\"/></Veter>", "KoefUprugosti=\"0.5\""));
    tree->Update(0.05f, nullptr);
    EXPECT_EQ(tree->GetGustAmplitude(), c.amplitude) << c.what;
    EXPECT_EQ(r.Taken(), c.draws) << c.what;
    for (int i = 0; i < 100; ++i) tree->Update(0.05f, nullptr);
    if (c.amplitude == 0.0f) {
      EXPECT_EQ(Trunk(*tree).velocity, 0.0f) << c.what << ": the tree stays still";
    } else {
      EXPECT_NE(Trunk(*tree).velocity, 0.0f) << c.what << ": the gusts bend the tree";
    }
  }
}

TEST_F(Derevo, PullAndPushBendWithoutGusts) {
  struct Case {
    const char* what;
    std::string extra;
    bool push;
  } cases[] = {
      {"pull", "<Veter MaxSila=\"0\"/><SilaPrit Value=\"1\"><Dir x=\"1\"/></SilaPrit>", false},
      {"push", "<Veter MaxSila=\"0\"/>", true},
  };
  for (const Case& c : cases) {
    auto tree = LoadObject<CDerevo>(core, Tree(c.extra, "KoefUprugosti=\"0.5\""));
    if (c.push) {
      ASSERT_NE(tree->PushBranch(L"B_Twig", zormath::Vec3f(1, 0, 0), 1.0f, 1.0f), nullptr);
    }
    for (int i = 0; i < 5; ++i) tree->Update(0.05f, nullptr);
    EXPECT_EQ(tree->GetForce(), 0.0f) << c.what;
    EXPECT_NE(Twig(*tree).velocity, 0.0f) << c.what;
  }
}

TEST_F(Derevo, SpringCoefficientOneCancelsWindPullAndPushTorques) {
  const std::string wind =
      "<Veter MinDTime=\"0.2\" MaxDTime=\"0.2\" MinTimeSila=\"1\" MaxTimeSila=\"1\" MinSila=\"3\" MaxSila=\"3\">"
      "<Dir x=\"1\"/></Veter><SilaPrit Value=\"2\"><Dir x=\"1\"/></SilaPrit>";
  struct Case {
    const char* koef;
    bool still;
  } cases[] = {{"KoefUprugosti=\"1\"", true}, {"KoefUprugosti=\"0.5\"", false}};
  for (const Case& c : cases) {
    auto tree = LoadObject<CDerevo>(core, Tree(wind, c.koef));
    tree->PushBranch(L"B_Left", zormath::Vec3f(1, 0, 0), 2.0f, 0.5f);
    for (int i = 0; i < 20; ++i) tree->Update(0.05f, nullptr);
    for (const SDerevoBranch* b : tree->GetRenderList()) {
      if (c.still) {
        EXPECT_NEAR(b->velocity, 0.0f, 1e-6f) << c.koef;
        EXPECT_NEAR(b->bent.x, 0.0f, 1e-6f) << c.koef;
      } else {
        EXPECT_GT(std::fabs(b->velocity), 1e-3f) << c.koef;
      }
    }
  }
}

TEST_F(Derevo, ChildWorldMatrixRidesOnItsParentsBend) {
  auto tree = LoadObject<CDerevo>(
      core, Tree("<SilaPrit Value=\"0.5\"><Dir x=\"1\"/></SilaPrit>", "KoefUprugosti=\"0.5\" SilaUprugosti=\"20\""));
  for (int i = 0; i < 10; ++i) tree->Update(0.05f, nullptr);
  const SDerevoRoot& root = tree->GetRoots().at(0);
  // Each branch turns about its own pivot: the trunk's at (0, 10, -100),
  // the left bough's at (0, 12, 0), the twig's at (-60, 13, 60).
  const zormath::Mat4f trunk = root.branch.bend * root.matrix;
  const zormath::Mat4f left = Left(*tree).bend * zormath::MatrixTranslation(0, 2, 100) * trunk;
  const zormath::Mat4f twig = Twig(*tree).bend * zormath::MatrixTranslation(-60, 1, 60) * left;
  ExpectMatrixNear(root.branch.world, trunk, "trunk");
  ExpectMatrixNear(Left(*tree).world, left, "left bough");
  ExpectMatrixNear(Twig(*tree).world, twig, "twig");
  // The bough's foot left its place with the trunk's bend.
  ASSERT_NE(root.branch.bend(0, 2), 0.0f);
  EXPECT_GT(std::fabs(Left(*tree).world(3, 0)), 1.0f);

  // Moving the object moves every branch with it.
  const zormath::Mat4f before = Twig(*tree).world;
  tree->SetPosition3D(50.0f, 0.0f, -20.0f);
  EXPECT_NEAR(Twig(*tree).world(3, 0), before(3, 0) + 50.0f, 1e-3f);
  EXPECT_NEAR(Twig(*tree).world(3, 2), before(3, 2) - 20.0f, 1e-3f);
}

TEST_F(Derevo, PushFindsItsBranchByExactNameGrowsLinearlyAndEnds) {
  auto tree = LoadObject<CDerevo>(core, "<Properties><Korni><Koren NameModel=\"B_Trunk\" KoefUprugosti=\"0\"/>"
                                        "</Korni></Properties>");
  for (const wchar_t* name : {L"b_trunk", L"Nothing", L"", L"B_Trunk "})
    EXPECT_EQ(tree->PushBranch(name, zormath::Vec3f(1, 0, 0), 1.0f, 1.0f), nullptr) << name;
  zormath::Mat4f m;
  EXPECT_EQ(tree->GetBranchMatrix(m, L"b_trunk"), zormath::Mat4f::Identity());

  const SDerevoBranch* trunk = tree->PushBranch(L"B_Trunk", zormath::Vec3f(1, 0, 0), 1.0f, 1.0f);
  ASSERT_EQ(trunk, &Trunk(*tree));
  // A quarter through the push its strength is a quarter: the torque
  // about the trunk's 100-unit lever gives -25 / s^2.
  tree->Update(0.25f, nullptr);
  EXPECT_FLOAT_EQ(trunk->velocity, -6.25f);
  EXPECT_EQ(trunk->pushAmount, 1.0f);
  for (int i = 0; i < 3; ++i) tree->Update(0.25f, nullptr);
  EXPECT_EQ(trunk->pushAmount, 0.0f) << "the push ends after its duration";
  EXPECT_EQ(tree->GetBranchMatrix(m, L"B_Trunk"), trunk->world);
}

TEST_F(Derevo, LeverArmsComeFromTheMeshBoxAndAreAtLeastAHundredth) {
  struct Case {
    const char* mesh;
    float leverZ, leverX;
  } cases[] = {{"B_Trunk", 100.0f, 10.0f}, {"B_Left", 60.0f, 60.0f}, {"B_Point", 0.01f, 0.01f}};
  for (const Case& c : cases) {
    auto tree = LoadObject<CDerevo>(
        core, std::string("<Properties><Korni><Koren NameModel=\"") + c.mesh + "\"/></Korni></Properties>");
    ASSERT_EQ(tree->GetRoots().size(), 1u) << c.mesh;
    EXPECT_FLOAT_EQ(Trunk(*tree).leverZ, c.leverZ) << c.mesh;
    EXPECT_FLOAT_EQ(Trunk(*tree).leverX, c.leverX) << c.mesh;
  }
}

TEST_F(Derevo, DrawsFromTheLowestBranchAtLoadAndNamesItsMeshesInFileOrder) {
  auto tree = LoadObject<CDerevo>(core, Tree(""));
  std::vector<std::wstring> names;
  tree->CollectModelNames(names);
  EXPECT_EQ(names, (std::vector<std::wstring>{L"B_Trunk", L"B_Left", L"B_Twig", L"B_Right"}));

  tree->Load(3);
  core.Render().Begin();
  tree->Render();
  const auto& draws = core.Render().GetFrameDraws();
  ASSERT_EQ(draws.size(), 4u);
  const wchar_t* order[] = {L"B_Trunk", L"B_Right", L"B_Left", L"B_Twig"};  // heights 10, 11, 12, 13
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(draws[i].mesh, order[i]);
    EXPECT_EQ(draws[i].world, tree->GetRenderList()[i]->world);
  }
  core.Render().End();

  tree->SetAlpha(0.5f);
  for (const SDerevoBranch* b : tree->GetRenderList()) EXPECT_EQ(b->mesh.GetAlphaAll(), 0.5f);
  EXPECT_EQ(tree->GetAlpha(), 1.0f);
}

TEST_F(Derevo, BranchesThatFailAreLoggedAndLeftOutWithWhatHangsOnThem) {
  struct Case {
    const char* what;
    std::string xml;
    size_t roots;
    size_t branches;
    std::vector<std::wstring> errors;
  } cases[] = {
      {"no roots", "<Properties KoefSopr=\"0.1\"/>", 0, 0, {}},
      {"a root without its name",
       "<Properties><Korni><Koren/><Koren NameModel=\"B_Trunk\"/></Korni></Properties>", 1, 1,
       {L"No find attribute  NameModel"}},
      {"a root the model file lacks", "<Properties><Korni><Koren NameModel=\"Nothing\"/></Korni></Properties>", 0, 0,
       {L"LoadDerevo. Load koren transform file = Tree.zorm model = Nothing"}},
      {"a model file that is missing",
       "<Properties NameFile=\"Missing.zorm\"><Korni><Koren NameModel=\"B_Trunk\"/></Korni></Properties>", 0, 0,
       {L"No find model file Missing.zorm.", L"LoadDerevo. Load koren transform file = Missing.zorm model = B_Trunk"}},
      {"a bough the model file lacks, with its twig",
       "<Properties><Korni><Koren NameModel=\"B_Trunk\"><Child NameModel=\"Nothing\"><Child NameModel=\"B_Twig\"/>"
       "</Child><Child NameModel=\"B_Right\"/></Koren></Korni></Properties>",
       1, 2, {L"LoadDerevo. Load model file = Tree.zorm model = Nothing"}},
      {"a bough without its name",
       "<Properties><Korni><Koren NameModel=\"B_Trunk\"><Child><Child NameModel=\"B_Twig\"/></Child></Koren>"
       "</Korni></Properties>",
       1, 1, {L"No find attribute  NameModel"}},
  };
  for (const Case& c : cases) {
    log.Clear();
    int32_t result = -1;
    auto tree = LoadObject<CDerevo>(core, c.xml, &result);
    EXPECT_EQ(result, 0) << c.what;
    EXPECT_EQ(tree->GetRoots().size(), c.roots) << c.what;
    EXPECT_EQ(tree->GetRenderList().size(), c.branches) << c.what;
    EXPECT_EQ(log.Texts(ELogLevel::Error), c.errors) << c.what;
    tree->PushBranch(L"B_Twig", zormath::Vec3f(0, 0, 1), 1.0f, 1.0f);
    for (int i = 0; i < 50; ++i) tree->Update(0.1f, nullptr);
    core.Render().Begin();
    EXPECT_EQ(tree->Render(), 0);
    core.Render().End();
  }
}

TEST_F(Derevo, LoadFailsOnlyWithoutRenderSystemOrElement) {
  CDerevo tree(core.Get());
  EXPECT_EQ(tree.Load(nullptr, L"Tree.zorm", 0), static_cast<int32_t>(0x80004005u));
  CDerevo lost(nullptr);
  testsupport::Element element(Tree(""));
  EXPECT_EQ(lost.Load(element.Get(), L"Tree.zorm", 0), static_cast<int32_t>(0x80004005u));
  EXPECT_EQ(log.Texts(ELogLevel::Error), (std::vector<std::wstring>{L"Null xml element.", L"Null render system"}));
  lost.Update(0.1f, nullptr);
  EXPECT_EQ(lost.Render(), 0);

  // Loading again starts afresh: no branch twice, no gust kept.
  auto again = LoadObject<CDerevo>(core, Tree("<Veter MinDTime=\"1\" MaxDTime=\"1\" MinTimeSila=\"1\" "
                                              "MaxTimeSila=\"1\" MinSila=\"1\" MaxSila=\"1\"/>"));
  again->Update(0.1f, nullptr);
  testsupport::Element plain(Tree(""));
  EXPECT_EQ(again->Load(plain.Get(), L"Tree.zorm", 0), 0);
  EXPECT_EQ(again->GetRenderList().size(), 4u);
  EXPECT_EQ(again->GetGustAmplitude(), 0.0f);
  EXPECT_EQ(again->GetGustPause(), 0.0f);
}

}  // namespace
