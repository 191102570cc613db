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

namespace rovovoz {
class CMouseCursor;
class CStaticObject3D;
}  // namespace rovovoz

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

  // The form, then the scene.
  int32_t Load(const std::wstring& file, uint32_t flags) override;
  using rovovoz::CGUIForm::Load;
  int32_t LoadProperty(const TiXmlElement* element, int index, uint32_t flags) override;
  int32_t Update(float dt, rovovoz::CMouseCursor* cursor) override;
  int32_t Render() override;
  int32_t Release(uint32_t flags = 0) override;

  float GetSceneTime() const { return mSceneTime; }

 protected:
  // The form's children that fly in with the scene, and where the form put them.
  static constexpr int kMoving = 7;
  static const wchar_t* const kMovingNames[kMoving];

  std::unique_ptr<rovovoz::CStaticObject3D> mSkyTop, mSky, mLogo, mLoaderBack, mLoaderBar, mLoaderFrame;
  float mSceneTime = 0.0f;
  std::array<zormath::Vec3f, kMoving> mBase{};
  std::array<bool, kMoving> mHasBase{};
  float mSwayTime = 0.0f;

 private:
  void LoadScene();
  void DrawAt(rovovoz::CStaticObject3D* model, float offset);
  void PlaceMoving(float extras, float others);
};

// Made and owned by the game object.
extern CMainMenu* gMainMenu;
