#pragma once
// A close-up view inside a scene: every entry of the close-up list is one,
// or one of the close-up classes derived from it. It opens over its parent
// scene with a zoom from the point the player clicked, runs its own objects
// and actions while open, tells the parent by its update result when to
// close (0 stay open, 1 close with the zoom back, 2 close at once, 3 done:
// close after a second), and shrinks back to where it came from.
//
// Operations by file: BaseRegion.cpp (attach, opening and closing, frame
// update and drawing) and BaseRegionHint.cpp (the hint search inside the
// close-up and the query of its usable items).
#include <cstdint>
#include <string>

#include "Engine/zormath/Math.h"
#include "Levels/BaseBack.h"

namespace rovovoz {
class CGUIBaseObject;
}

class CBaseRegion : public CBaseBack {
 public:
  // Transition states.
  enum : int32_t { kOpen = 0, kOpening = 1, kOpenRequested = 2, kClosing = -1 };

  CBaseRegion();
  ~CBaseRegion() override;

  // ---- framework operations the close-up takes over ------------------------
  int32_t Render() override;
  int32_t Update(float dt, rovovoz::CMouseCursor* cursor) override;
  int32_t Release(uint32_t flags = 0) override;
  int32_t LoadBack(CBaseEpisod* episod, CBaseBack* owner) override;
  int32_t AttachToEpisod(CBaseEpisod* episod, CBaseBack* owner) override;
  int32_t StartBack(uint32_t flags) override;
  int32_t ExecuteAction(SLogicAction& record, int mode, int randomize) override;
  bool FindAction(const std::wstring& name, SLogicActionEntry*& entry) override;
  bool IsInputEnabled() const override;
  void UpdateBackSounds(float dt) override;
  // Developer words: "win" ends the mini-game that owns the frame as
  // solved, "form" reads the close-up's own form file again.
  int32_t OnDebugCommand(const std::wstring& command) override;
  int32_t HandleWordCommand(const std::vector<std::wstring>& words) override;

  // ---- the close-up's own operations ---------------------------------------
  // Per-frame hook of the close-up classes; the base moves the overlay.
  virtual void UpdateRegionLogic(float dt, rovovoz::CMouseCursor* cursor);
  virtual void RenderTop();
  // Starts the zoom back after delay seconds; 0 when not open.
  virtual int32_t Close(float delay);
  // One step of the closing; false once it has ended.
  virtual bool UpdateZoomTransition(float dt, rovovoz::CMouseCursor* cursor);
  virtual bool IsMiniGameActive() const;
  virtual void SetZoneItemName(const std::wstring& name) { mZoneItemName = name; }
  virtual std::wstring GetZoneItemName() const { return mZoneItemName; }
  virtual void OnRegionStarted() {}
  virtual void SetOpenParam1(int value) { mOpenParam1 = value; }
  virtual void SetShowFrame(int value) { mShowFrame = value; }
  virtual void SetDrawOnTop(int value) { mDrawOnTop = value; }
  // 1 a hint was shown, 0 no hint now (a pause runs), -1 nothing to hint.
  virtual int32_t FindHintTarget(int queryOnly);
  // Whether a zone item of the kind ("push", "spush", "mouse") can be acted
  // on now.
  virtual bool HasUsableZoneItems(const std::wstring& kind);

  // ---- plain access -------------------------------------------------------
  int32_t GetTransitionState() const { return mTransitionState; }
  float GetTransitionValue() const { return mTransitionValue; }
  const zormath::Vec3f& GetOpeningPoint() const { return mOpeningPoint; }
  int32_t GetCloseRequest() const { return mCloseRequest; }
  rovovoz::CGUIForm* GetFrameForm() const { return mFrameForm; }
  int32_t GetShowFrame() const { return mShowFrame; }
  int32_t GetDrawOnTop() const { return mDrawOnTop; }

 protected:
  // The items of the three lists still in play here.
  int32_t CountOpenWork();
  // The frame and the objects at a transition point: alpha k, scale s,
  // placed at (x, z).
  void PlaceTransition(float k, float s, float x, float z);
  void RenderBody();

  rovovoz::CGUIForm* mFrameForm = nullptr;           // shared by all close-ups
  rovovoz::CGUIBaseObject* mCloseButton = nullptr;  // a child of the frame
  int32_t mTransitionState = kOpen;
  float mTransitionValue = 0.0f;
  float mPhase = 0.0f;
  float mStartScale = 0.5f;
  float mEndScale = 1.0f;
  zormath::Vec3f mOpeningPoint{0.0f, 0.0f, 0.0f};
  int32_t mCloseRequest = 0;
  std::wstring mZoneItemName;
  int32_t mOpenParam1 = 0;
  int32_t mShowFrame = 0;
  int32_t mDrawOnTop = 0;
  rovovoz::CParticleSystem* mParticlesA = nullptr;  // lent by the game panel
};
