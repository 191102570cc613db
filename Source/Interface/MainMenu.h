#pragma once
// The title screen: play, options, extras, quit and change player, with the
// greeting of the current player, over the night scene that flies in after
// the loading screen. The overlays it hosts (extras, win notice, play menu,
// unreadable-profile notice, locked-extras notice) take its input while one
// of them is shown.
#include <array>
#include <memory>

#include "Engine/rovovoz/GUIForm.h"
#include "Engine/zormath/Math.h"
#include "Engine/zuzorev/Texture.h"

namespace rovovoz {
class CMouseCursor;
class CStaticObject3D;
}  // namespace rovovoz
class CRORain;
class CROMolnia;
class CROLuchi;
class CMaxAnim;
namespace RerivuzoZurodo {
class CParticleEffect;
}

class CMainMenu : public rovovoz::CGUIForm {
 public:
  CMainMenu(rovovoz::CGameCore* core, rovovoz::CGUIBaseObject* parent);
  ~CMainMenu() override;

  // Zeroes the title scene's animation timers (the fly-in starts again).
  virtual void ResetTimers();
  // Animates the title scene; 1 while its fly-in runs (4.5 s), then 0.
  virtual int UpdateScene(float dt, rovovoz::CMouseCursor* cursor);
  // Puts the main menu on screen (rain, greeting, play menu hidden; the win
  // notice once after the game was finished).
  virtual void Enter();
  // Forgets the pointer's state; the main menu has no closing animation.
  virtual int Close();
  // Shows the greeting with the current player's name when there is one.
  virtual void SetGreeting();

  // The form, then the scene. 0 (not a failure) when the scene stops
  // short for want of the logo's screen-line texture.
  int32_t Load(const std::wstring& file, uint32_t flags) override;
  using rovovoz::CGUIForm::Load;
  int32_t LoadProperty(const TiXmlElement* element, int index, uint32_t flags) override;
  int32_t Update(float dt, rovovoz::CMouseCursor* cursor) override;
  int32_t Render() override;
  int32_t Release(uint32_t flags = 0) override;

  // The lock and chains over the locked Extras button play once.
  void ShakeLock();

  float GetSceneTime() const { return mSceneTime; }
  float GetGlintTimer() const { return mGlintTimer; }
  static constexpr int kWindows = 19;
  // A lit window's alpha now (0 dark .. 1 lit); -1 without that window.
  float GetWindowAlpha(int i) const;
  // How many of the scene's weather and light objects loaded.
  int GetWeatherCount() const;

 protected:
  // The form's children that fly in with the scene, and where the form put them.
  static constexpr int kMoving = 7;
  static const wchar_t* const kMovingNames[kMoving];

  std::unique_ptr<rovovoz::CStaticObject3D> mSkyTop, mSky, mLogo, mLoaderBack, mLoaderBar, mLoaderFrame;
  float mSceneTime = 0.0f;
  std::array<zormath::Vec3f, kMoving> mBase{};
  std::array<bool, kMoving> mHasBase{};
  float mSwayTime = 0.0f;

  // The mansion's windows light up and go dark each on its own cycle:
  // lit and dark parts of 4 to 14 s; countdown through the cycle.
  struct SWindow {
    std::unique_ptr<rovovoz::CStaticObject3D> model;
    float cycle = 0.0f, dark = 0.0f, countdown = 0.0f;
  };
  std::unique_ptr<rovovoz::CStaticObject3D> mDom, mBranchLeft, mBranchRight, mTreeRight, mTreeLeft;
  std::array<std::unique_ptr<rovovoz::CStaticObject3D>, 7> mSway;
  std::unique_ptr<rovovoz::CStaticObject3D> mFountain, mFountainGlow, mBushLeft, mUrnLeft;
  std::array<SWindow, kWindows> mWindows;
  std::array<std::unique_ptr<CRORain>, 3> mRain;
  std::array<std::unique_ptr<CROMolnia>, 3> mLightning;
  std::array<std::unique_ptr<CROLuchi>, 2> mRays;
  // Rain splashing on the ground; fades in with the lightning.
  std::unique_ptr<RerivuzoZurodo::CParticleEffect> mBrizgi;
  // The logo's glint: a light streak crosses the logo while the timer runs
  // from 1 down to 0, then waits 0 to 1.2 timer units.
  std::unique_ptr<rovovoz::CStaticObject3D> mGlint;
  float mGlintTimer = 0.0f;
  zuzorev::CTexture mScreenLine;
  // Sparks on the buttons under the pointer, and the fountain's spray.
  enum { kFxPlay, kFxOptions, kFxQuit, kFxChange, kFxExtras, kFxFountain, kEffects };
  std::array<std::unique_ptr<RerivuzoZurodo::CParticleEffect>, kEffects> mEffects;
  std::unique_ptr<CMaxAnim> mLock, mChains;

  // The glint over the logo standing at this offset (while the timer is
  // below 1); the render states it changes are put back.
  void RenderGlint(float offset);
  void DrawAt(rovovoz::CStaticObject3D* model, float offset);

 private:
  static void NewWindowCycle(SWindow& w);
  // false: no object file (or no object list); the rest of the scene stays out.
  bool LoadWeather();
  void UpdateWindows(float dt);
  // false when the scene stopped for want of the screen-line texture.
  bool LoadScene();
  void LoadEffects();
  void LoadLock();
  void PlaceMoving(float extras, float others);
  void SwitchButtonEffects();
  void RenderLock(float offset);
};

// Made and owned by the game object.
extern CMainMenu* gMainMenu;
