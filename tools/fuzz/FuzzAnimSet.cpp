// Any bytes as an animation set file.
#include "Engine/rovovoz/AnimModelManager.h"
#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzzsupport::SetUp();
  rovovoz::CAnimModelManager manager(nullptr);
  manager.LoadAnimSet(fuzzsupport::WriteInput(data, size, "animset.xml"));
  return 0;
}
