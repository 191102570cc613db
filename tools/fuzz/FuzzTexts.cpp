// Any bytes as a texts file, then a few look-ups.
#include "Engine/rovovoz/TextManager.h"
#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzzsupport::SetUp();
  rovovoz::CTextManager texts;
  texts.AddGroupRoot(L"Collector");
  if (texts.Load(fuzzsupport::WriteInput(data, size, "texts.xml"))) {
    texts.GetText(L"k_hello");
    texts.GetText(L"k_game_text", L"k_hello");
  }
  return 0;
}
