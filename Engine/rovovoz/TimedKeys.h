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

// The key list at time t: the first key before the start, the last after
// the end, and between two keys mix(a, b, k) with k from 0 at a to 1 at b.
// An empty list gives a default key.
template <class Key, class Mix>
Key SampleTimedKeys(const std::vector<Key>& keys, float t, Mix mix) {
  if (keys.empty()) return Key();
  if (t <= keys.front().time) return keys.front();
  for (size_t i = 1; i < keys.size(); ++i)
    if (t < keys[i].time) {
      const Key& a = keys[i - 1];
      const Key& b = keys[i];
      return mix(a, b, (t - a.time) / (b.time - a.time));  // AppendTimedKey keeps b.time > a.time
    }
  return keys.back();
}

}  // namespace rovovoz
