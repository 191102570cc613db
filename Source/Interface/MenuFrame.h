#pragma once
// The frame every dialog-like menu shares: the window flies in while it
// grows and fades in, flies out while it shrinks and fades out, sounds on
// opening and closing, Esc as cancel, buttons bound to commands by name,
// and the hand-off of the chosen screen state once the window has closed.
// Each menu gives its own points and closing scale in a layout; the
// animation itself is written here once.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "Engine/rovovoz/GUIForm.h"
#include "Engine/zormath/Math.h"

namespace rovovoz {
class CMouseCursor;
class CStaticObject3D;
}  // namespace rovovoz

// What happens when the closing animation ends.
enum : int {
  kMenuEndHandOff = 1,  // gNextGameState = gPendingGameState
  kMenuEndHide = 2,     // the window is hidden
};

struct SMenuLayout {
  zormath::Vec3f openAt{516.0f, 380.0f, 0.0f};  // where Open puts the window
  zormath::Vec3f entry{516.0f, 380.0f, 0.0f};   // the first pose of the opening
  zormath::Vec3f rest{516.0f, 380.0f, 0.0f};    // where the window stands while idle
  zormath::Vec3f exit{0.0f, 380.0f, 0.0f};      // where the closing takes it
  zormath::Vec3f anchor{516.0f, 388.0f, 0.0f};  // the layout point the position refers to
  float closingScale = 0.8f;                    // shrinks to 1 - this while closing
  float backdropFactor = 0.0f;                  // backdrop alpha per window alpha (0: none)
  bool moves = true;                            // false: only alpha (and scale)
  bool scales = true;
  bool placeOnOpen = true;
  bool clearOnOpen = true;
  int endOfClosing = kMenuEndHandOff;
  bool startHidden = false;
};

class CMenuFrame : public rovovoz::CGUIForm {
 public:
  CMenuFrame(rovovoz::CGameCore* core, rovovoz::CGUIBaseObject* parent, const SMenuLayout& layout);
  ~CMenuFrame() override;

  // The ease-in-out of the animation: 0 at phase 0, 1 at pi.
  static float Ease(float phase);

  // One step of the show animation (dt in seconds). The show state.
  virtual int UpdateShowAnimation(float dt);
  // Starts the opening. 1.
  virtual int Open();
  // Starts the closing (from any state: the phase starts again at 0). 1.
  virtual int Close();

  int GetShowState() const { return mShowState; }
  float GetShowPhase() const { return mShowPhase; }
  rovovoz::CStaticObject3D* GetBackdrop() const { return mBackdrop.get(); }

  // The form, then the anchor, the idle state and the menu's widgets.
  int32_t LoadProperty(const TiXmlElement* element, int index, uint32_t flags) override;
  // While the window animates only the animation runs (0); then the form's
  // update with the buttons' commands, and Esc as cancel.
  int32_t Update(float dt, rovovoz::CMouseCursor* cursor) override;
  // The backdrop, then the form, while visible.
  int32_t Render() override;
  int32_t Release(uint32_t flags = 0) override;

 protected:
  // Where Esc is tested against the form's update.
  enum class EEsc { None, BeforeUpdate, AfterUpdate };

  // Looks up the menu's widgets after the form was read.
  virtual void FindWidgets() {}
  // The Esc key's handler (the menu's cancel command).
  virtual void Cancel() {}
  // Extras once the closing ended (after the hand-off and hiding).
  virtual void OnClosed() {}
  // A menu that waits for one button instead of commands: update only
  // that button and close on its click. 0.
  int32_t UpdatePolling(float dt, rovovoz::CMouseCursor* cursor, rovovoz::CGUIBaseObject* button);
  // The darkening backdrop under the window ("Alpha_ekran" of the panel's
  // models); a failed load is logged and the menu goes on without it.
  void LoadBackdrop();
  // Registers a button's command on the core's script registry.
  void AddCommand(const wchar_t* name, std::function<void()> handler);
  // The Esc key went down in this frame.
  bool IsEscDown() const;
  // Plays an interface sound by name.
  void PlaySound(const wchar_t* name) const;
  // The child of that name as a widget of the given type (null when absent
  // or of another type).
  template <class T>
  T* FindChild(const wchar_t* name) const {
    return dynamic_cast<T*>(GetChild(name));
  }

  SMenuLayout mLayout;
  EEsc mEsc = EEsc::AfterUpdate;
  int mShowState = 0;
  float mShowPhase = 0.0f;
  std::unique_ptr<rovovoz::CStaticObject3D> mBackdrop;

 private:
  void Pose(float k, bool opening);
  void EndClosing();
};
