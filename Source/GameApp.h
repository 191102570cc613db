#pragma once
// The application object: it owns the engine core and the game object,
// brings the engine up in a fixed order (file system, settings, display
// mode, texts, window, rendering, input, sound, video, logo, loading
// screen), keeps the game to one running instance, handles the window's
// messages and activation, runs the main loop, and releases everything in a
// fixed order at the end.
#include <cstdint>
#include <functional>
#include <string>

#include "Engine/zuzorev/Timer.h"
#include "Engine/zuzorev/WindowSystem.h"
#include "LoadScreenHost.h"
#include "SingleInstance.h"

class Game;
class Logo;
namespace rovovoz {
class CGameCore;
class CGameSoundSystem;
class CStaticObject3D;
class CTextManager;
}  // namespace rovovoz
namespace zuzorev {
class CInputSystem;
class CRenderSystem;
}  // namespace zuzorev
namespace zorfile {
class CFileSystem;
}
namespace zorvideo {
class CVideoPlayer;
}

class GameApp : public LoadScreenHost {
 public:
  GameApp();
  // Release, then the frame pacer is stopped.
  ~GameApp() override;
  GameApp(const GameApp&) = delete;
  GameApp& operator=(const GameApp&) = delete;

  // Engine start-up with the settings file's name ("game.ini"); 1 or 0.
  int Init(const std::wstring& iniFileName);
  int InitGame();
  // The main loop (GameAppLoop.cpp): the game's start, then paced turns
  // until the game or the window ends it.
  void Run();
  // True once the game's start in Run succeeded.
  bool HasGameStarted() const { return mGameStarted; }
  void ReleaseGame();
  void Release();
  // The window is being destroyed: release what needs it.
  void ReleaseNoWindow();

  int IsActive() const { return mActive == 1 && mMinimized == 0 ? 1 : 0; }
  // Applies a change of activity (never while starting).
  void Activate();
  void OnActivate();
  void OnDeactivate();

  static intptr_t WndProc(zuzorev::WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam);
  // Restores (when asked) and raises the window; true when it ends up with
  // the focus.
  bool BringToFront(zuzorev::WindowHandle window, int restore);

  int InitTextManager();
  int InitWindow();
  int InitRender();
  int InitInput();
  int InitSound();
  int InitVideo();

  // One turn's update and drawing; 0 ends the loop.
  int UpdateGame(float dt);
  int RenderGame(float dt);

  // Display modes (GameAppDisplay.cpp).
  void ReadVideoConfig();
  int FindStartMode();
  int SelectBestMode();
  int CorrectDisplay();
  void SaveVideoConfig();

  // Answers a second start's request to raise the window; true when one came.
  bool ServeInstanceRequests();
  // The loading screen's host: the window's waiting events and a second
  // start's request (true: quit asked), and the display set up again for a
  // desktop turned since the stored size (also after a lost display in the
  // main loop), and the wide display's bars over a frame.
  bool PumpEvents() override;
  DisplayCorrection CorrectTurnedDisplay(const wchar_t* caller) override;
  void DrawFrameOverlay() override;

  // The desktop size the application keeps, and the desktop's size now.
  int GetDesktopWidth() const { return mDesktopWidth; }
  int GetDesktopHeight() const { return mDesktopHeight; }
  void SetDesktopSize(int width, int height);
  void ReadDesktopSize(int& width, int& height) const;

  Game* GetGame() const { return mGame; }
  rovovoz::CGameCore* GetCore() const { return mGameCore; }
  zuzorev::CTimer& GetFrameTimer() { return mFrameTimer; }
  int GetAppliedActive() const { return mAppliedActive; }

  // Tests: called at the end of every turn of every application's main loop.
  static void SetTurnHookForTests(std::function<void()> hook);
  // Tests: called with the frame drawn but not yet shown (its pixels can be
  // read back), in every turn that draws.
  static void SetFrameHookForTests(std::function<void(zuzorev::CRenderSystem&)> hook);

 private:
  void CarryOutDisplayRequest(bool& close);
  void CloseSequence();
  void SaveConfigAndReleaseLoadProgress();

  zuzorev::CTimer mFrameTimer;
  Logo* mLogo = nullptr;
  rovovoz::CGameCore* mGameCore = nullptr;
  zuzorev::CWindowSystem* mWindowSys = nullptr;
  zuzorev::CInputSystem* mInputSys = nullptr;
  zuzorev::CRenderSystem* mRenderSys = nullptr;
  rovovoz::CGameSoundSystem* mSoundSys = nullptr;
  rovovoz::CTextManager* mTextManager = nullptr;
  zorfile::CFileSystem* mFileSystem = nullptr;
  zorvideo::CVideoPlayer* mVideoPlayer = nullptr;
  Game* mGame = nullptr;
  int mActive = 1;
  int mMinimized = 0;
  int mAppliedActive = 1;
  int mDesktopWidth = 0;
  int mDesktopHeight = 0;
  // Set once the "Video" section was read: before that there is nothing to
  // write back.
  bool mVideoConfigRead = false;
  bool mGameStarted = false;
  SingleInstance mInstance;
};

// The application object while it exists.
extern GameApp* gGameApp;
// Copies of the application's desktop size.
extern int gDesktopWidth;
extern int gDesktopHeight;
// The wide-screen border model (none when it did not load).
extern rovovoz::CStaticObject3D* gWideBack;
// 1 from the entry until the main loop is about to start: the window then
// ignores close requests and activation changes.
extern int gAppStarting;
// Set once the loop ends by failure or by the exit state: from then on a
// close request destroys the window.
extern int gCloseAllowed;
// The game's built-in name, the window title when the texts give none.
extern std::wstring gWindowTitleFallback;
