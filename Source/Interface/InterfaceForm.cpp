#include "Interface/InterfaceForm.h"

CInterfaceForm::CInterfaceForm(rovovoz::CGameCore* core, rovovoz::CBaseObject*) : mCore(core) { SetVisible(0); }

int32_t CInterfaceForm::Load(const std::wstring&, uint32_t) { return 1; }

int32_t CInterfaceForm::ReInit() { return 1; }
