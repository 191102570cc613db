// Any bytes as a key-frame export: read for a node of a model with a rest
// pose (so vertex tracks bake), then played in every mode and drawn on the
// headless device.
#include "Engine/rovovoz/StaticObject3D.h"
#include "FuzzSupport.h"
#include "Objects/AnimExport.h"
#include "Objects/MaxAnim.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzzsupport::SetUp();
  rovovoz::CGameCore* core = fuzzsupport::SampleCore();
  const std::wstring file = fuzzsupport::WriteInput(data, size, "export.xaf");
  const std::vector<zormath::Vec3f> rest = {{0, 0, 0}, {20, 0, 20}, {-20, 0, 20}, {1e30f, 0, 0}};
  SAnimData anim;
  animfile::ReadExport(file, L"Box01", rest, anim);
  // The same file through the model, which also plays it.
  CMaxAnim model(core);
  model.LoadFromFiles(L"Back_1.zorm", L"S_Lantern", file, L"Box01", 11);
  for (int mode = 0; mode < 4; ++mode) {
    model.Play(mode);
    for (int i = 0; i < 6; ++i) {
      model.Update(0.37f, nullptr);
      model.Render();
    }
  }
  model.Reset();
  return 0;
}
