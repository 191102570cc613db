// Any bytes as the credits' form file (then every page laid out, shown and
// turned) and as the map's form file (then its places updated and the hint
// road searched), on the headless device.
#include "Engine/rovovoz/GameCore.h"
#include "FuzzSupport.h"
#include "Interface/CreditsMenu.h"
#include "Interface/Map.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzzsupport::SetUp();
  static rovovoz::CGameCore* core = fuzzsupport::SampleCore();
  const std::wstring file = fuzzsupport::WriteInput(data, size, "menu.xml");

  {
    CCreditsMenu credits(core, nullptr);
    if (credits.Load(file, 3) >= 0) {
      credits.Open();
      for (int i = 0; i < 6; ++i) {
        credits.Update(0.4f, nullptr);
        credits.Render();
        if (i % 2) credits.NextPage();
        else credits.PrevPage();
      }
      credits.ReInit();
    }
    credits.Release(0);
  }
  {
    CMap map(core, nullptr);
    if (map.Load(file, 3) >= 0) {
      map.Open(nullptr);
      for (int i = 0; i < 4; ++i) {
        map.UpdateShowAnimation(0.3f);
        map.Update(0.3f, nullptr);
        map.Render();
      }
      for (const SMapLocation& l : map.GetLocations()) map.FindHintPortal(l.Name + L".xml");
      map.FindHintPortal(L"Back_1.xml");
      map.RunPendingAction();
    }
    map.Release(0);
  }
  return 0;
}
