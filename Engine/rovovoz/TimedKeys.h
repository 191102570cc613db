#pragma once
// Key lists of the animations and paths read from files: keys in time
// order from time 0.
#include <vector>

namespace rovovoz {

enum class EKeyPlace { Added, BeforeStart, BackInTime };

// Appends a key after the ones read before it. A key at the time of the last
// one replaces it (the later one wins from that time on); a key before time
// 0 or before the last key is refused and the list stays as it was.
template <class Key>
EKeyPlace AppendTimedKey(std::vector<Key>& keys, const Key& key) {
  if (key.time < 0) return EKeyPlace::BeforeStart;
  if (!keys.empty() && key.time < keys.back().time) return EKeyPlace::BackInTime;
  if (!keys.empty() && key.time == keys.back().time) keys.pop_back();
  keys.push_back(key);
  return EKeyPlace::Added;
}

}  // namespace rovovoz
