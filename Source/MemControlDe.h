#pragma once
// A list of the places where an owner keeps its engine objects, so that the
// owner loads all of them with one call and deletes all of them with
// another. The holder owns the objects the slots point to, from their
// registration until ReleaseAll; the slots themselves stay the owner's.
#include <cstdint>
#include <functional>
#include <type_traits>
#include <vector>

#include "Engine/rovovoz/BaseObject.h"

class MemControlDe {
 public:
  MemControlDe() = default;
  ~MemControlDe();
  MemControlDe(const MemControlDe&) = delete;
  MemControlDe& operator=(const MemControlDe&) = delete;

  // Registers the slot (it may still be null; LoadAll and ReleaseAll look at
  // what it holds when they run).
  template <class T>
  void Add(T*& slot) {
    static_assert(std::is_base_of_v<rovovoz::CBaseObject, T>, "slots hold engine objects");
    mSlots.push_back(Slot{[&slot]() -> rovovoz::CBaseObject* { return slot; },
                          [&slot]() {
                            delete slot;
                            slot = nullptr;
                          }});
  }

  // Load (flags) on every object in registration order; a failed one logs
  // "failed texture load" and makes the result 0, and the others still load.
  int LoadAll(uint32_t flags);
  // Deletes every held object and empties its slot.
  void ReleaseAll();

  size_t Count() const { return mSlots.size(); }

 private:
  struct Slot {
    std::function<rovovoz::CBaseObject*()> get;
    std::function<void()> destroy;
  };
  std::vector<Slot> mSlots;
};
