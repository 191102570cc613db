#pragma once
// Helpers of the cut-scene suite: the sample game's core (texts, sounds,
// input and a cursor, from the panel suite), a folder of the test's own for
// descriptions, the sample game's cut-scene overlay as gRolikInterfaceMenu,
// and a cut-scene driven to an exact time.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "Engine/rovovoz/GUILabel.h"
#include "Engine/rovovoz/VideoObject3D.h"
#include "Interface/RolikInterfaceMenu.h"
#include "Roliki/BaseRolik.h"
#include "Roliki/RolikFinal.h"
#include "panel/PanelTestSupport.h"

namespace roliktest {

class RolikTest : public ::testing::Test {
 protected:
  explicit RolikTest(zuzorev::EDeviceKind kind = zuzorev::EDeviceKind::Headless) : core(kind) {}

  void SetUp() override {
    if (!core.Ok()) GTEST_SKIP() << "no device";
    zorfile::CFileSystem* fs = core.Get()->GetFileSystem();
    ASSERT_GE(fs->InsertPath(L"Data\\Roliki", zorfile::kKindVideos), 0);
    // Descriptions and forms of a test's own are found after the sample game's.
    ASSERT_GE(fs->InsertPath(own.Path().wstring(), zorfile::kKindAll), 0);
    overlay = std::make_unique<CRolikInterfaceMenu>(core.Get(), nullptr);
    ASSERT_GE(overlay->Load(L"Data\\Interface\\RolikInterfaceMenu.xml", 1), 0);
    mPrevious = gRolikInterfaceMenu;
    gRolikInterfaceMenu = overlay.get();
    gCurrentRolik = nullptr;
  }
  void TearDown() override {
    gRolikInterfaceMenu = mPrevious;
    gCurrentRolik = nullptr;
    overlay.reset();
  }

  // A description of the test's own, Data\Roliki\<file>.
  void Describe(const std::string& file, const std::string& xml) { own.Write("Data/Roliki/" + file, xml); }
  // Starts a cut-scene and plays it to `time` seconds in one step (the first
  // frame after Start does not move the clock).
  static void PlayTo(CBaseRolik& rolik, float time) {
    rolik.Start();
    rolik.Update(0.5f, nullptr);
    rolik.Update(time, nullptr);
  }
  std::wstring Subtitle() const { return overlay->GetTextLabel()->GetText(); }
  float SubtitleAlpha() const { return overlay->GetTextLabel()->GetAlpha(); }
  // A click on the overlay's skip button, seen by the next update of `rolik`.
  void ClickSkip(CBaseRolik& rolik, float dt = 0.02f) {
    core.MoveTo(432.0f, 340.0f);
    core.Click(0);
    core.NextFrame();
    rolik.Update(dt, core.Cursor());
  }

  paneltest::PanelCore core;
  testsupport::TempDir own;
  testsupport::LogCapture log;
  std::unique_ptr<CRolikInterfaceMenu> overlay;

 private:
  CRolikInterfaceMenu* mPrevious = nullptr;
};

}  // namespace roliktest
