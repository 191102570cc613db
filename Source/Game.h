#pragma once
// The game object: it owns everything the game shares program-wide (engine
// subsystem pointers, camera, light, mouse cursor, menus, game panel, the
// story logic and the player list), loads all game data behind the loading
// screen, runs the screen-state machine (GameState.h) and saves on release.
// Its state lives in the program-wide globals below, which every subsystem
// reads.
#include <cstdint>

namespace rovovoz {
class CGameCore;
class CGameSoundSystem;
class CAnimModelManager;
class CParticleStateManager;
class CTextManager;
class CCamera;
class CGameLight;
class CMouseCursor;
}  // namespace rovovoz
namespace zuzorev {
class CWindowSystem;
class CInputSystem;
class CRenderSystem;
}  // namespace zuzorev
namespace zorvideo {
class CVideoPlayer;
}
class CLogic;

// Engine subsystems, set from the core by Game::Init.
extern rovovoz::CGameCore* gGameCore;
extern zuzorev::CWindowSystem* gWindowSystem;
extern zuzorev::CInputSystem* gInputSystem;
extern zuzorev::CRenderSystem* gRenderSystem;
extern rovovoz::CGameSoundSystem* gSoundSystem;
extern rovovoz::CAnimModelManager* gAnimModelManager;
extern rovovoz::CTextManager* gTextManager;
extern zorvideo::CVideoPlayer* gVideoPlayer;
extern rovovoz::CParticleStateManager* gParticleStateManager;

// Made and owned by the game object.
extern rovovoz::CCamera* gCamera;
extern rovovoz::CGameLight* gGameLight;
extern rovovoz::CMouseCursor* gMouseCursor;

// Volumes of the sound types 0 (sounds), 1 (music) and 2 (effects).
extern float gSoundVolume;
extern float gMusicVolume;
extern float gEffectVolume;

class Game {
 public:
  Game();
  ~Game();
  Game(const Game&) = delete;
  Game& operator=(const Game&) = delete;

  // Engine pointers, camera, light, cursor and player list; state 100.
  int Init(rovovoz::CGameCore* core);
  // The whole data load behind the loading screen, then the player choice.
  int Start();
  int LoadSounds();
  int LoadParticles();
  int LoadInterface();
  // The progress callback of the sound-list loader.
  static void OnSoundLoaded();
  // Every form again after a display re-initialisation; always 1.
  int ReInitLogic();
  // Deletes every menu, the panel and the hint pop-ups (release order).
  void DeleteInterface();
  // Saves the player, deletes what the game made, writes the "Game"
  // section; always 1.
  int Release();

  // Per frame (GameState.cpp): false only in the exit state.
  bool Update(float dt);
  // Always true.
  bool Render();
  // Applies the requested state: leave actions, entry actions, current.
  void ChangeState();
  void CheckCheatKeys();
  static void SetupCameraTransform();
  void Activate();
  void Deactivate();
  static void RequestExit();

  // Tests: what Start creates in place of the story logic (null: CLogic).
  using LogicFactory = CLogic* (*)();
  static void SetLogicFactoryForTests(LogicFactory factory);

 private:
  void UpdateState(float t);
  void RenderState();
  void LeaveState(int state);
  void EnterState();
  void UpdateTitleScene(float t);
  bool ReturnsToGame() const;
  void RenderMenuOrGame();
  void OnExitDialogClosed(int returnState);
  void ApplyPlayerVolumes();
  void ApplyPlayerDisplaySettings();
  void StoreSettingsInPlayer();
  void AdoptNewVideoSettings();
  void UpdateAfterReInit();
  void UpdateAfterWide();
  void UpdateAfterRestore();
};
