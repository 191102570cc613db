#pragma once
// The engine's low-level part of the core: the audio device that the game
// sound system plays through and that the video player is handed.
#include <memory>

namespace zorsound {
class CSoundSystem;
}

namespace rovovoz {

class CCore {
 public:
  CCore();
  ~CCore();
  CCore(const CCore&) = delete;
  CCore& operator=(const CCore&) = delete;

  zorsound::CSoundSystem* GetSound() const { return mSound.get(); }

 private:
  std::unique_ptr<zorsound::CSoundSystem> mSound;
};

}  // namespace rovovoz
