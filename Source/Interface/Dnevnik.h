#pragma once
// The diary.
#include "Interface/InterfaceForm.h"

class CDnevnik : public CInterfaceForm {
 public:
  CDnevnik(rovovoz::CGameCore* core, rovovoz::CBaseObject* parent) : CInterfaceForm(core, parent) {}
};

// Made and owned by the game object.
extern CDnevnik* gDnevnik;
