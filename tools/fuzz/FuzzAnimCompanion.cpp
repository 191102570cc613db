// Any bytes as the binary companion of a key-frame export, read by name
// through the animation search paths, then played in every mode on a model
// (vertex frames included) and drawn on the headless device.
#include "Engine/rovovoz/GameCore.h"
#include "Engine/zorfile/FileSystem.h"
#include "FuzzSupport.h"
#include "Objects/MaxAnim.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzzsupport::SetUp();
  rovovoz::CGameCore* core = fuzzsupport::SampleCore();
  static bool pathAdded = false;
  if (!pathAdded) {
    core->GetFileSystem()->InsertPath(fuzzsupport::InputFolder().wstring(), zorfile::kKindAnimations);
    pathAdded = true;
  }
  fuzzsupport::WriteInput(data, size, "fuzz.Box01.anim");
  // The export named here does not exist: only the companion can be read.
  CMaxAnim model(core);
  model.LoadFromFiles(L"Back_1.zorm", L"S_Lantern", L"fuzz.xaf", L"Box01", 11);
  for (int mode = 0; mode < 4; ++mode) {
    model.Play(mode);
    for (int i = 0; i < 6; ++i) {
      model.Update(0.37f, nullptr);
      model.Render();
    }
  }
  return 0;
}
