// The rippling reflection: a reshape every 0.033 s with the rest carried,
// the sine from the rest positions, the fade depth, and a flat mesh that
// stays still.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "Engine/rovovoz/StaticObject3D.h"
#include "Objects/ObjectSupport.h"
#include "Objects/ROOtragenie.h"
#include "keyframes/KeyframesTestSupport.h"

namespace {

using keyframestest::KeyframesCore;

// x and z of every vertex of the model's first part.
std::vector<std::pair<float, float>> Vertices(rovovoz::CStaticObject3D& model) {
  const zuzorev::CSubMesh sub = model.GetMesh()->GetSubMesh(0);
  const zuzorev::CVertexBuffer* buffer = sub.GetVertexBuffer();
  std::vector<std::pair<float, float>> xz(buffer->GetVertexCount());
  for (size_t i = 0; i < xz.size(); ++i) {
    std::memcpy(&xz[i].first, buffer->Bytes() + i * 24, 4);
    std::memcpy(&xz[i].second, buffer->Bytes() + i * 24 + 8, 4);
  }
  return xz;
}

class Ripple : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(core.Ok()); }
  std::unique_ptr<CROOtragenie> Load(const std::string& attributes) {
    return effectstest::LoadObject<CROOtragenie>(core, "<Properties FileModel=\"Keyframes.zorm\" " + attributes + "/>");
  }
  KeyframesCore core;
};

TEST_F(Ripple, ReshapesEverySecondFrameOfTwoHundredthsCarryingTheRest) {
  auto pond = Load("NameModel=\"Pond\"");
  ASSERT_NE(pond->GetModel(), nullptr);
  std::vector<int> steps;
  for (int i = 0; i < 4; ++i) {
    pond->Update(0.02f, nullptr);
    steps.push_back(pond->GetSteps());
    if (i == 1) {
      EXPECT_NEAR(pond->GetAccumulator(), 0.007f, 1e-6f);
    }
  }
  EXPECT_EQ(steps, (std::vector<int>{0, 1, 1, 2}));
  auto slow = Load("NameModel=\"Pond\"");
  slow->Update(0.1f, nullptr);
  EXPECT_EQ(slow->GetSteps(), 1) << "a long frame makes one step";
  EXPECT_NEAR(slow->GetAccumulator(), 0.067f, 1e-6f);
}

TEST_F(Ripple, SineFromTheRestPlaceFadesWithDepth) {
  struct Case {
    const char* stop;
    float fadeDepth;
  } cases[] = {{"50", 0.5f}, {"200", 2.0f}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stop);
    auto pond = Load(std::string("NameModel=\"Pond\" Amplituda=\"4\" Skorost=\"10\" StopProcent=\"") + c.stop + "\"");
    rovovoz::CStaticObject3D& model = *pond->GetModel();
    const std::vector<float> rest = pond->GetRestX();
    const zuzorev::SAABBox& box = model.GetMesh()->GetBox();
    const float depth = box.Max.z - box.Min.z;
    ASSERT_GT(depth, 0.0f);
    const float k = objects::kPi * (static_cast<float>(rest.size()) / 6.0f + 3.0f) / depth * 1.3f;
    for (int frame = 0; frame < 3; ++frame) pond->Update(0.02f, nullptr);
    const float wave = 0.04f * 10.0f;  // the phase at the one reshape, the second frame
    const auto xz = Vertices(model);
    ASSERT_EQ(xz.size(), rest.size());
    for (size_t i = 0; i < xz.size(); ++i) {
      const float z = xz[i].second;
      const float f = c.fadeDepth > 1.0f ? std::min(1.0f, (-z / depth) / c.fadeDepth) : 1.0f;
      EXPECT_NEAR(xz[i].first, rest[i] + 4.0f * f * std::sin(z * k + wave), 1e-3f) << "vertex " << i;
      if (c.fadeDepth > 1.0f && z == 0.0f) {
        EXPECT_NEAR(xz[i].first, rest[i], 1e-6f) << "no ripple at z 0";
      }
    }
  }
  auto pond = Load("NameModel=\"Pond\" Alpha=\"0.6\"");
  EXPECT_FLOAT_EQ(pond->GetModel()->GetMesh()->GetAlphaAll(), 0.6f);
  pond->SetAlpha(0.5f);
  EXPECT_FLOAT_EQ(pond->GetModel()->GetMesh()->GetAlphaAll(), 0.5f) << "replaced, not multiplied";
}

TEST_F(Ripple, AFlatMeshOrNoModelStaysStill) {
  auto flat = Load("NameModel=\"Flat\"");
  ASSERT_NE(flat->GetModel(), nullptr);
  const auto before = Vertices(*flat->GetModel());
  for (int i = 0; i < 10; ++i) flat->Update(0.05f, nullptr);
  EXPECT_EQ(Vertices(*flat->GetModel()), before);
  auto none = Load("");
  EXPECT_EQ(none->GetModel(), nullptr);
  none->Update(1.0f, nullptr);
  none->SetAlpha(0.3f);
  EXPECT_EQ(none->Render(), 0);
}

}  // namespace
