#pragma once
// The found-item window: the item's model and text in the middle of the
// screen with an OK button; it grows in, and shrinks away after OK.
#include <cstdint>
#include <string>

#include "Engine/rovovoz/GUIForm.h"
#include "Engine/zormath/Math.h"
#include "Engine/zuzorev/Mesh.h"

namespace rovovoz {
class CGUILabel;
}

class CPredmetMenu : public rovovoz::CGUIForm {
 public:
  enum : int { kAppearing = 1, kShown = 0, kDisappearing = -1, kHidden = -2 };

  CPredmetMenu(rovovoz::CGameCore* core, rovovoz::CGUIBaseObject* parent);

  virtual void UpdateAppear(float dt);
  virtual const wchar_t* GetPredmetName() const { return mPredmetName.c_str(); }
  // 1 opened, 0 when the logic has no such item (the window stays as it was).
  virtual int SetPredmet(const wchar_t* name, int flag);
  // Where the item stands in the window, for its flight into the strip.
  virtual zormath::Vec3f GetPredmetPosition() const;

  int32_t LoadProperty(const TiXmlElement* element, int index, uint32_t flags) override;
  int32_t Render() override;
  // -2 hidden, -1 OK pressed in this frame, 0 otherwise.
  int32_t Update(float dt, rovovoz::CMouseCursor* cursor) override;
  int32_t Release(uint32_t flags = 0) override;
  int GetVisible() const override { return mState != kHidden; }

  int GetState() const { return mState; }
  float GetAngle() const { return mAngle; }
  const zormath::Mat4f& GetMatrix() const { return mMatrix; }
  const zuzorev::CMesh& GetMesh() const { return mMesh; }
  rovovoz::CGUILabel* GetItemLabel() const { return mLItem; }

 private:
  void ApplyScale(float k);

  rovovoz::CGUIBaseObject* mText = nullptr;
  rovovoz::CGUIBaseObject* mBOk = nullptr;
  rovovoz::CGUILabel* mLItem = nullptr;
  zuzorev::CMesh mMesh;
  zormath::Mat4f mMatrix = zormath::Mat4f::Identity();
  int mState = kShown;
  std::wstring mPredmetName;
  float mAngle = 0.0f;
  zormath::Vec3f mPlace;
};
