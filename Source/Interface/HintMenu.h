#pragma once
// The hint pop-up: a message box that shows queued hints one at a time,
// each placed next to a point of the screen, optionally with an arrow that
// points at it and bobs along its direction (a still model, an animated
// one, or both). Hints are described once, by name, in the pop-up's file.
// The game object owns three of them.
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "Engine/zormath/Math.h"

namespace rovovoz {
class CGameCore;
class CGUIMessageBox;
class CModelAnimation3D;
class CMouseCursor;
class CStaticObject3D;
}  // namespace rovovoz
class TiXmlElement;

// One described hint.
struct SHintDesc {
  std::wstring Text;
  std::wstring Title;
  std::wstring Unused;
  std::wstring ButtonOk, ButtonCancel, ButtonClose;
  std::wstring CheckText;
  int HasCheck = 0;
  float MaxLenghtText = 400.0f;
  float MaxLenghtTitle = 300.0f;
  int PerenosText = 0;
  int PerenosTitle = 0;
  std::wstring SoundOpen, SoundClose;
};

// One queued hint.
struct SHintInfo {
  enum : int { kNew = -1, kFadingIn = 0, kOpen = 1, kFadingOut = 2 };
  std::wstring SoundOpen, SoundClose, Name;
  zormath::Vec3f Position;
  int UseArrow = 0;
  int AutoPlace = 0;
  float Distance = 0.0f;
  int HAlign = 0;
  int VAlign = 0;
  int State = kNew;
  float Alpha = 0.0f;
  float FadeRate = 0.0f;
};

class CHintMenu {
 public:
  explicit CHintMenu(rovovoz::CGameCore* core);
  virtual ~CHintMenu();
  CHintMenu(const CHintMenu&) = delete;
  CHintMenu& operator=(const CHintMenu&) = delete;

  // Reads the hint descriptions; false (logged) when the file or its box
  // does not load.
  virtual bool Load(const std::wstring& file);
  // After a display re-initialisation.
  virtual int32_t ReInit();
  // One step of the front hint: the box's result (bit 128 closed, bit 32
  // check box ticked), 128 when nothing is queued, else 0.
  virtual int8_t Update(float dt, rovovoz::CMouseCursor* cursor);
  virtual void Render();
  virtual bool GetCheck();
  // all 1 empties the queue at once; else the front hint fades out at the
  // rate (or goes at once with rate 0).
  virtual void CloseHint(int all, float fadeRate);
  // The box on the virtual screen (pixels, top-left origin); all zero
  // without a hint.
  virtual void GetBoxRect(float& left, float& top, float& right, float& bottom);
  // Makes a described hint current; false (and no current hint) otherwise.
  virtual bool SelectHint(const std::wstring& name);
  // Queues the current hint at a point (null: the screen's centre); 1 when
  // queued.
  virtual int Show(const float* position = nullptr, int clearQueue = 1, int useArrow = 1, int autoPlace = 0,
                   float distance = 0.0f, float fadeRate = 2.0f, int hAlign = 0, int vAlign = 0);
  virtual void Release();

  int IsShown() const { return mShown; }
  const std::wstring& GetCurrentName() const { return mCurrent.Name; }
  const std::vector<SHintInfo>& GetQueue() const { return mQueue; }
  const SHintDesc* FindDesc(const std::wstring& name) const;
  rovovoz::CGUIMessageBox* GetBox() const { return mBox.get(); }
  int IsArrowPlaced() const { return mArrowPlaced; }
  const zormath::Vec3f& GetArrowBase() const { return mArrowBase; }
  const zormath::Vec3f& GetArrowDir() const { return mArrowDir; }
  rovovoz::CStaticObject3D* GetArrowModel() const { return mArrowModel.get(); }
  rovovoz::CModelAnimation3D* GetArrowAnim() const { return mArrowAnim.get(); }

 private:
  void ReadDesc(const TiXmlElement* element, SHintDesc& desc) const;
  std::wstring ResolveKey(const std::string& key) const;
  int Fill(SHintInfo& info);
  int StepHint(SHintInfo& info);
  // The animated arrow of an animation set; none (logged by the engine)
  // when the set or its clip does not load.
  void LoadArrowAnim(const std::wstring& setFile);
  // The arrows at the point, turned by the angle; the box the arrow's width
  // away along the arrow.
  void PlaceArrow(const zormath::Vec3f& point, float angle);
  bool HasArrow() const { return mArrowModel || mArrowAnim; }
  void SetAlphaAll(float alpha);
  void DropFront();
  void ResetDefaults();

  rovovoz::CGameCore* mCore;
  std::unique_ptr<rovovoz::CGUIMessageBox> mBox;
  std::unique_ptr<rovovoz::CModelAnimation3D> mArrowAnim;
  std::unique_ptr<rovovoz::CStaticObject3D> mArrowModel;
  std::wstring mArrowAnimName;
  int mArrowMove = 0;
  float mArrowSpeed = 0.0f;
  float mArrowDelta = 0.0f;
  zormath::Vec3f mArrowDir, mArrowBase;
  float mArrowPhase = 0.0f;
  std::map<std::wstring, SHintDesc> mDescs;
  SHintDesc mDefault;
  int mArrowPlaced = 0;
  int mShown = 0;
  SHintInfo mCurrent;
  std::vector<SHintInfo> mQueue;
  float mArrowWidth = 0.0f;
};

// Made and owned by the game object.
extern CHintMenu* gHintMenu;
extern CHintMenu* gHintMenu2;
extern CHintMenu* gHintMenu3;
