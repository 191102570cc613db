#pragma once
// The base every menu and the game panel are built on: the engine's form
// takes this place once it exists. Until then it holds only the form
// operations the game object calls, and each does nothing: loading and
// re-initialising succeed, and a form starts hidden.
#include <cstdint>
#include <string>

#include "Engine/rovovoz/BaseObject.h"

namespace rovovoz {
class CGameCore;
}

class CInterfaceForm : public rovovoz::CBaseObject {
 public:
  CInterfaceForm(rovovoz::CGameCore* core, rovovoz::CBaseObject* parent);
  ~CInterfaceForm() override = default;

  using rovovoz::CBaseObject::Load;
  // The form file with load flags. 1.
  virtual int32_t Load(const std::wstring& file, uint32_t flags);
  // After a display re-initialisation. 1.
  virtual int32_t ReInit();

 protected:
  rovovoz::CGameCore* mCore;
};
