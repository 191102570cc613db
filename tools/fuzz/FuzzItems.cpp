// Any bytes as the item table and as the hidden-object item table, read
// with the sample game's models and texts on the headless device.
#include "Engine/rovovoz/GameCore.h"
#include "Engine/rovovoz/TextManager.h"
#include "FuzzSupport.h"
#include "Logic/Logic.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzzsupport::SetUp();
  static rovovoz::CGameCore* core = [] {
    rovovoz::CGameCore* made = fuzzsupport::SampleCore();
    made->GetTextManager()->Load(L"DataLoc\\Texts\\Texts.xml");
    return made;
  }();
  (void)core;
  const std::wstring file = fuzzsupport::WriteInput(data, size, "items.xml");
  CLogic logic;
  logic.LoadPredmets(file);
  logic.LoadHogPredmets(file);
  return 0;
}
