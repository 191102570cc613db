#pragma once
// The engine core: the one way the game reaches the window, input,
// rendering, texts, the file system, the command registry and the managers
// later engine parts add (sound, video, animated models, particle states).
// It makes and owns the subsystems and releases them in its destructor.
#include <memory>

namespace zorfile {
class CFileSystem;
}
namespace zorvideo {
class CVideoPlayer;
}
namespace zuzorev {
class CWindowSystem;
class CInputSystem;
class CRenderSystem;
}  // namespace zuzorev

namespace rovovoz {

class CTextManager;
class CScriptFunctions;
class CGameSoundSystem;
class CAnimModelManager;
class CParticleStateManager;
class CCore;

class CGameCore {
 public:
  CGameCore();
  ~CGameCore();
  CGameCore(const CGameCore&) = delete;
  CGameCore& operator=(const CGameCore&) = delete;

  zuzorev::CWindowSystem* GetWindow() const { return mWindow.get(); }
  zuzorev::CInputSystem* GetInput() const { return mInput.get(); }
  zuzorev::CRenderSystem* GetRender() const { return mRender.get(); }
  zorfile::CFileSystem* GetFileSystem() const { return mFileSystem.get(); }
  CTextManager* GetTextManager() const { return mTextManager.get(); }
  CScriptFunctions* GetScript() const { return mScript.get(); }
  CGameSoundSystem* GetSound() const { return mSound.get(); }
  zorvideo::CVideoPlayer* GetVideoPlayer() const { return mVideoPlayer.get(); }
  // The low-level part: its GetSound is the audio device for the video player.
  CCore* GetCore() const { return mCore.get(); }
  // Made by the engine parts that bring them (null until then).
  CAnimModelManager* GetAnimModelManager() const { return mAnimModels.get(); }
  CParticleStateManager* GetParticleStateManager() const { return mParticleStates.get(); }

  // The core takes these over (shared pointers keep the deleters of the
  // complete types).
  void SetAnimModelManager(std::shared_ptr<CAnimModelManager> m) { mAnimModels = std::move(m); }
  void SetParticleStateManager(std::shared_ptr<CParticleStateManager> m) { mParticleStates = std::move(m); }

 private:
  std::unique_ptr<zorfile::CFileSystem> mFileSystem;
  std::unique_ptr<zuzorev::CWindowSystem> mWindow;
  std::unique_ptr<zuzorev::CRenderSystem> mRender;
  std::unique_ptr<zuzorev::CInputSystem> mInput;
  std::unique_ptr<CTextManager> mTextManager;
  std::unique_ptr<CScriptFunctions> mScript;
  std::shared_ptr<CCore> mCore;
  std::shared_ptr<CGameSoundSystem> mSound;
  std::shared_ptr<zorvideo::CVideoPlayer> mVideoPlayer;
  std::shared_ptr<CAnimModelManager> mAnimModels;
  std::shared_ptr<CParticleStateManager> mParticleStates;
};

// Interface scale factors: back-buffer pixels per virtual-screen pixel,
// across (KW) and down (KH). Computed after every device init.
void CalculateInterfaceKoef(CGameCore* core);
float GetKW();
float GetKH();

}  // namespace rovovoz
