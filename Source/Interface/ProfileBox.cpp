#include "Interface/ProfileBox.h"

#include "Ini.h"
#include "Interface/MainMenu.h"
#include "PlayerRecord.h"

SMenuLayout CProfileBox::Layout() {
  SMenuLayout l;
  l.openAt = {616.0f, 450.0f, 0.0f};
  l.entry = {636.0f, 420.0f, 0.0f};
  l.rest = {516.0f, 380.0f, 0.0f};
  l.exit = {150.0f, 320.0f, 0.0f};
  l.closingScale = 0.8f;
  l.endOfClosing = kMenuEndHandOff;
  return l;
}

CProfileBox::CProfileBox(rovovoz::CGameCore* core, rovovoz::CGUIBaseObject* parent, std::function<void()> cancel)
    : CMenuFrame(core, parent, Layout()), mCancel(std::move(cancel)) {}

void StoreCurrentPlayerName() {
  std::wstring path;
  Ini::SetString(Ini::GetPath(path), L"Game", L"PlayerName", gCurrentPlayer.mName);
}

void RefreshGreeting() {
  if (gMainMenu) gMainMenu->SetGreeting();
}
