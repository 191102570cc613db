// Any bytes as the hint pop-up's file (then a hint shown, stepped and
// closed) and as a character dialog script (then played to its end), on the
// headless device.
#include "Engine/rovovoz/GameCore.h"
#include "FuzzSupport.h"
#include "Interface/DialogPlayer.h"
#include "Interface/HintMenu.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzzsupport::SetUp();
  static rovovoz::CGameCore* core = fuzzsupport::SampleCore();
  const std::wstring file = fuzzsupport::WriteInput(data, size, "panel.xml");

  CHintMenu hints(core);
  if (hints.Load(file)) {
    for (const wchar_t* name : {L"HintDnevnik", L"HintHint", L"A"}) {
      if (!hints.SelectHint(name)) continue;
      const float at[3] = {500.0f, 0.0f, -380.0f};
      hints.Show(at, 0, 1, 1, 30.0f, 2.0f, 2, 8);
      hints.Update(0.3f, nullptr);
      hints.Render();
    }
    hints.CloseHint(0, 2.0f);
    hints.Update(1.0f, nullptr);
    hints.CloseHint(1, 0.0f);
  }

  CDialogPlayer dialog(core);
  if (dialog.LoadFromXML(file)) {
    for (int i = 0; i < 20 && dialog.mEnded != 2; ++i) {
      dialog.Update(0.7f);
      dialog.GetCurrentText();
      dialog.GetTextAlpha();
      if (i == 3) dialog.Skip();
    }
  }
  return 0;
}
