// Any bytes as a frame-animation file (root Animation with Frames and
// hitFrames), played in every mode, picked and drawn on the headless device.
#include "FuzzSupport.h"
#include "Objects/SimpleFrameAnim.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzzsupport::SetUp();
  rovovoz::CGameCore* core = fuzzsupport::SampleCore();
  CSimpleFrameAnim anim(core);
  anim.LoadAnimationXml(fuzzsupport::WriteInput(data, size, "frames.xml"));
  anim.SetPosition3D(10.0f, 0.0f, 20.0f);
  anim.SetScale(2.0f, 1.0f, -1.0f);
  for (int mode = 0; mode < 4; ++mode) {
    if (mode == 0) anim.Play();
    if (mode == 1) anim.PlayBack();
    if (mode == 2) anim.PlayLoop();
    if (mode == 3) anim.PlayLoopUpDown();
    for (int i = 0; i < 8; ++i) {
      anim.Update(0.3f, nullptr);
      anim.IsHit(0.0f, 0.0f, 0.0f);
      anim.Render();
    }
  }
  anim.Stop(0);
  anim.StopAt(5);
  return 0;
}
