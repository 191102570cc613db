#pragma once
// The question after a switch to a new display mode: keep it, or go back
// to the old one. It counts down 15 seconds; no answer (or Esc) restores.
#include <string>

#include "Interface/MenuFrame.h"

class CSaveOptionsMenu : public CMenuFrame {
 public:
  CSaveOptionsMenu(rovovoz::CGameCore* core, rovovoz::CGUIBaseObject* parent);

  int Open() override;
  int32_t Update(float dt, rovovoz::CMouseCursor* cursor) override;

  float GetCountdown() const { return mCountdown; }
  // The seconds as shown: the nearest whole number, exact halves toward zero.
  static int ShownSeconds(float seconds);

 protected:
  void FindWidgets() override;
  void Cancel() override;
  // mText1, the separator, the seconds, a space, mText2.
  void ShowText(const wchar_t* separator);

  float mCountdown = 0.0f;
  std::wstring mText1, mText2;
  rovovoz::CGUIBaseObject* mTextWidget = nullptr;
};

// Made and owned by the game object.
extern CSaveOptionsMenu* gSaveOptionsMenu;
