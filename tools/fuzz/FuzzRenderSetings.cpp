// Any bytes as a render settings file, loaded twice (names replace names).
#include "Engine/zuzorev/RenderSetings.h"
#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzzsupport::SetUp();
  zuzorev::CRenderSetingsManager setings;
  const std::wstring file = fuzzsupport::WriteInput(data, size, "setings.xml");
  setings.LoadSetingsFromXml(file, 0);
  setings.LoadSetingsFromXml(file, 0);
  for (size_t i = 0; i < setings.Count(); ++i) setings.Get(static_cast<int>(i));
  setings.GetID(L"RS_TEXT");
  return 0;
}
