#include "Engine/zuzorev/EventScript.h"

#include <cmath>

namespace zuzorev {

CEventScript::CEventScript(float frameTime, std::optional<uint32_t> seed)
    : mFrameTime(std::isfinite(frameTime) && frameTime > 0.0f ? frameTime : 0.0f), mSeed(seed) {}

void CEventScript::Add(int frame, SInputEvent e) { mEvents.emplace(frame < 0 ? 0 : frame, std::move(e)); }

void CEventScript::PlayFrame(CEventQueue& queue) {
  const auto end = mEvents.upper_bound(mFrame);
  for (auto it = mEvents.begin(); it != end; ++it) queue.Push(std::move(it->second));
  mEvents.erase(mEvents.begin(), end);
  ++mFrame;
}

}  // namespace zuzorev
