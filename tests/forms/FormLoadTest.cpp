// Loading forms from our form files: the widgets, their order and kinds,
// texts from the text manager, the menus' LoadProperty hook, the scene form
// with the scene's models and triggers, failures, and the form's places.
#include <gtest/gtest.h>

#include <typeinfo>

#include "Engine/TinyXmlExt/TinyXmlExt.h"
#include "Engine/rovovoz/GUIBackground.h"
#include "Engine/rovovoz/GUIButton.h"
#include "Engine/rovovoz/GUICheckBox.h"
#include "Engine/rovovoz/GUIEditBox.h"
#include "Engine/rovovoz/GUIForm.h"
#include "Engine/rovovoz/GUILabel.h"
#include "Engine/rovovoz/GUIListBox.h"
#include "Engine/rovovoz/GUIMarker.h"
#include "Engine/rovovoz/GUISlider.h"
#include "Engine/zormath/Transform.h"
#include "forms/FormsTestSupport.h"

namespace {

using rovovoz::CGUIBaseObject;
using rovovoz::CGUIForm;

class FormLoad : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(core.Ok()); }
  formstest::Core core;
};

TEST_F(FormLoad, WidgetsComeInFileOrderWithTheirKindsAndTexts) {
  CGUIForm form(core.Get(), nullptr);
  ASSERT_GT(form.Load(L"TestForm.xml", 3), 0);
  EXPECT_EQ(form.GetName(), L"TestForm");

  const struct {
    const wchar_t* name;
    const std::type_info& kind;
  } expected[] = {
      {L"Back", typeid(rovovoz::CGUIBackground)},   {L"Title", typeid(rovovoz::CGUILabel)},
      {L"BOk", typeid(rovovoz::CGUIButton)},        {L"BCancel", typeid(rovovoz::CGUIButton)},
      {L"EditName", typeid(rovovoz::CGUIEditBox)},  {L"ListName", typeid(rovovoz::CGUIListBox)},
      {L"CheckFull", typeid(rovovoz::CGUICheckBox)}, {L"SlayderMusik", typeid(rovovoz::CGUISlider)},
      {L"TextRect", typeid(rovovoz::CGUIMarker)},
  };
  const CGUIBaseObject* child = form.IterateChild(nullptr);
  for (const auto& e : expected) {
    ASSERT_NE(child, nullptr) << "missing " << Platform::WideToUtf8(e.name);
    EXPECT_EQ(child->GetName(), e.name);
    EXPECT_EQ(typeid(*child), e.kind);
    EXPECT_EQ(form.GetChild(e.name), child);
    child = form.IterateChild(child);
  }
  EXPECT_EQ(child, nullptr) << "the Pages element is no widget";
  EXPECT_EQ(form.GetChild(L"Missing"), nullptr);

  // NameText through the form's text group; Text as written.
  EXPECT_EQ(form.GetChild(L"Title")->GetText(), L"Keeper's log");
  EXPECT_EQ(form.GetChild(L"BCancel")->GetText(), L"Cancel");
  EXPECT_EQ(static_cast<rovovoz::CGUIButton*>(form.GetChild(L"BOk"))->GetCommand(), L"TestBCOk");

  zuzorev::SRect rect;
  form.GetChild(L"TextRect")->GetBoxRect(rect);
  EXPECT_EQ(rect.left, 300);
  EXPECT_EQ(rect.top, 160);
  EXPECT_EQ(rect.right, 700);
  EXPECT_EQ(rect.bottom, 190);
}

TEST_F(FormLoad, BrokenOrMissingFilesFailWithAnError) {
  testsupport::LogCapture log;
  for (const wchar_t* file : {L"NoSuchForm.xml", L"Broken.xml", L"NoForm.xml"}) {
    CGUIForm form(core.Get(), nullptr);
    log.Clear();
    EXPECT_LT(form.Load(file, 3), 0) << Platform::WideToUtf8(file);
    EXPECT_EQ(log.Texts(zuzorev::ELogLevel::Error).size(), 1u) << Platform::WideToUtf8(file);
    EXPECT_EQ(form.IterateChild(nullptr), nullptr);
  }
}

// A menu reads its own elements after the form's, with its widgets loaded.
class CPagesMenu : public CGUIForm {
 public:
  using CGUIForm::CGUIForm;
  int32_t LoadProperty(const TiXmlElement* element, int index, uint32_t flags) override {
    const int32_t result = CGUIForm::LoadProperty(element, index, flags);
    const TiXmlElement* pages = FirstChildElementUpper(element, "Pages");
    step = pages ? FloatValue(FindUpper(pages, "dy_text")) : 0.0f;
    okFound = GetChild(L"BOk") != nullptr;
    KorectOpornPoint2D(zormath::Vec3f(516, 388, 0), 1, 1);
    return fail ? zuzorev::kFail : result;
  }
  float step = 0;
  bool okFound = false;
  bool fail = false;
};

TEST_F(FormLoad, LoadPropertyOverrideReadsItsOwnElementsAndCanFailTheLoad) {
  CPagesMenu menu(core.Get(), nullptr);
  ASSERT_GT(menu.Load(L"TestForm.xml", 3), 0);
  EXPECT_FLOAT_EQ(menu.step, -5.0f);
  EXPECT_TRUE(menu.okFound);
  // Anchored where the menu said and standing there: it shows as laid out.
  const zormath::Vec3f p = zormath::TransformCoord(zormath::Vec3f(300, 200, 0), menu.GetWorldMatrix2D());
  EXPECT_NEAR(p.x, 300, 1e-3);
  EXPECT_NEAR(p.y, 200, 1e-3);

  CPagesMenu failing(core.Get(), nullptr);
  failing.fail = true;
  EXPECT_LT(failing.Load(L"TestForm.xml", 3), 0);
}

TEST_F(FormLoad, SceneFormTakesItsModelsAndTriggersFromTheSceneFiles) {
  CGUIForm form(core.Get(), nullptr);
  ASSERT_GT(form.Load(L"SceneForm.xml", L"Back_1.zorm", L"Back_1_tr.zorm", L"", 0), 0);
  form.KorectOpornPoint2D(zormath::Vec3f(512, 384, 0), 1, 1);
  CGUIBaseObject* key = form.GetChild(L"BKey");
  CGUIBaseObject* door = form.GetChild(L"BDoor");
  ASSERT_NE(key, nullptr);
  ASSERT_NE(door, nullptr);
  EXPECT_EQ(key->GetFirstNameModel(), L"S_Key");
  EXPECT_EQ(door->GetFirstNameModel(), L"T_Door");
  ASSERT_EQ(form.GetListModelName().size(), 1u);
  EXPECT_EQ(form.GetListModelName()[0], L"S_Lantern");

  // The key's box is its mesh's on the screen (x -334..-206, z -152..-88).
  zuzorev::SRect rect;
  key->GetBoxRect(rect);
  EXPECT_EQ(rect.left, 178);
  EXPECT_EQ(rect.right, 306);
  EXPECT_EQ(rect.top, 472);
  EXPECT_EQ(rect.bottom, 536);

  int keys = 0, doors = 0;
  core.Script().AddCommand(L"SceneKey", [&] { ++keys; });
  core.Script().AddCommand(L"SceneDoor", [&] { ++doors; });
  core.Click(form, 242, 504);
  core.Click(form, 512, 450);  // the door's trigger (px 412..612, py 200..456)
  core.Click(form, 700, 700);  // neither
  EXPECT_EQ(keys, 1);
  EXPECT_EQ(doors, 1);

  // The close-up frame: moved up and shrunk, its triggers follow it.
  form.SetPositionZ3D(50.0f);
  form.SetScale(0.5f, 0.5f, 1.0f);
  core.Click(form, 512, 450);  // where the door was
  EXPECT_EQ(doors, 1);
  core.Click(form, 512, 250);  // where it is now (py 242..370)
  EXPECT_EQ(doors, 2);
}

TEST_F(FormLoad, WorldMatrix2DFollowsAnchorPositionScaleAndTurn) {
  CGUIForm form(core.Get(), nullptr);
  ASSERT_GT(form.Load(L"TestForm.xml", 3), 0);
  form.KorectOpornPoint2D(zormath::Vec3f(516, 388, 0), 1, 1);
  form.SetPosition2D(zormath::Vec3f(616, 450, 0), 1);
  form.SetScaleX(0.5f);
  form.SetScaleY(0.25f);
  const struct {
    float x, y, wantX, wantY;
  } cases[] = {
      {516, 388, 616, 450},  // the anchor lands on the position
      {616, 388, 666, 450},  // across: half
      {516, 428, 616, 460},  // down: a quarter
  };
  for (const auto& c : cases) {
    const zormath::Vec3f p = zormath::TransformCoord(zormath::Vec3f(c.x, c.y, 0), form.GetWorldMatrix2D());
    EXPECT_NEAR(p.x, c.wantX, 1e-3) << c.x << "," << c.y;
    EXPECT_NEAR(p.y, c.wantY, 1e-3) << c.x << "," << c.y;
  }
  EXPECT_NEAR(form.GetPosition2D().x, 616, 1e-3);
  EXPECT_NEAR(form.GetPosition2D().y, 450, 1e-3);

  // Upright again, turned a quarter to the right: screen up points right.
  form.SetScaleX(1.0f);
  form.SetScaleY(1.0f);
  form.SetDirection2D(zormath::Vec3f(1, 0, 0));
  const zormath::Vec3f p = zormath::TransformCoord(zormath::Vec3f(516, 378, 0), form.GetWorldMatrix2D());
  EXPECT_NEAR(p.x, 626, 1e-3);
  EXPECT_NEAR(p.y, 450, 1e-3);
}

TEST_F(FormLoad, ReleaseForgetsWidgetsAndAReloadReadsThemAgain) {
  CGUIForm form(core.Get(), nullptr);
  ASSERT_GT(form.Load(L"TestForm.xml", 3), 0);
  form.Release(0);
  EXPECT_EQ(form.IterateChild(nullptr), nullptr);
  ASSERT_GT(form.Load(L"TestForm.xml", 3), 0);
  int count = 0;
  for (auto* c = form.IterateChild(nullptr); c; c = form.IterateChild(c)) ++count;
  EXPECT_EQ(count, 9);
  EXPECT_GT(form.ReInit(), 0);
}

}  // namespace
