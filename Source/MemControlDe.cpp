#include "MemControlDe.h"

#include "GameLog.h"

namespace {
const wchar_t* const kSource = L"Source/MemControlDe";
}

MemControlDe::~MemControlDe() {
  ReleaseAll();
  mSlots.clear();
}

int MemControlDe::LoadAll(uint32_t flags) {
  int result = 1;
  for (const Slot& slot : mSlots) {
    rovovoz::CBaseObject* object = slot.get();
    if (!object) continue;
    if (object->Load(flags) <= 0) {
      gamelog::Error(kSource, __LINE__, L"failed texture load");
      result = 0;
    }
  }
  return result;
}

void MemControlDe::ReleaseAll() {
  for (const Slot& slot : mSlots)
    if (slot.get()) slot.destroy();
}
