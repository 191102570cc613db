#include "Interface/UserDestroyMenu.h"

int CUserDestroyMenu::Open(const std::wstring& fileName) {
  CNoticeBox::Open();
  UpdateShowAnimation(0.0f);
  if (rovovoz::CGUIBaseObject* name = GetChild(L"Name")) name->SetText(fileName.substr(0, fileName.find(L'.')));
  return 1;
}
