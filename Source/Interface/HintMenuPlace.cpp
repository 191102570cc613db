// Where the hint box and its arrow stand: next to the pointed-at point on
// the side the caller asks for, or on the side towards the screen's centre
// with room for the box.
#include <algorithm>
#include <cmath>

#include "Engine/rovovoz/GUIMessageBox.h"
#include "Engine/rovovoz/ModelAnimation3D.h"
#include "Engine/rovovoz/StaticObject3D.h"
#include "Interface/HintMenu.h"

namespace {

constexpr float kPi = 3.14159265f;
constexpr float kHalfWidth = 512.0f;
constexpr float kHalfHeight = 384.0f;

// The unit vector from the box towards the point for an alignment pair.
zormath::Vec3f AlignVector(int hAlign, int vAlign) {
  const float dx = hAlign == 0 ? -1.0f : (hAlign == 2 ? 1.0f : 0.0f);
  const float dz = vAlign == 0 ? 1.0f : (vAlign == 8 ? -1.0f : 0.0f);
  return zormath::Vec3f(dx, 0.0f, dz).Normalized();
}

// The arrow's turn for an alignment pair (none for the centred pair).
float ArrowAngle(int hAlign, int vAlign) {
  static const float kAngles[3][3] = {
      {-3.0f * kPi / 4.0f, -kPi / 2.0f, -kPi / 4.0f},
      {-kPi, 0.0f, 0.0f},
      {3.0f * kPi / 4.0f, kPi / 2.0f, kPi / 4.0f},
  };
  const int h = std::clamp(hAlign, 0, 2);
  const int v = vAlign == 0 ? 0 : (vAlign == 4 ? 1 : 2);
  return kAngles[h][v];
}

void MoveBox(rovovoz::CGUIMessageBox& box, const zormath::Vec3f& p) {
  box.SetPosition3D(p.x, box.GetPosition3D().y, p.z);
}

}  // namespace

void CHintMenu::PlaceArrow(const zormath::Vec3f& point, float angle) {
  rovovoz::CBaseGeometryObject* const arrows[] = {mArrowModel.get(), mArrowAnim.get()};
  for (rovovoz::CBaseGeometryObject* arrow : arrows) {
    if (!arrow) continue;
    arrow->SetPosition3D(point);
    arrow->SetAngleAxisY(angle);
  }
  // The still arrow leads when there are both.
  const rovovoz::CBaseGeometryObject* lead = arrows[0] ? arrows[0] : arrows[1];
  mArrowDir = (lead->GetDirection3D() * -1.0f).Normalized();
  mArrowBase = point - mArrowDir * mArrowDelta;
  if (mArrowAnim) mArrowAnim->PlayLoop(mArrowAnimName, 1, 0, 0.0f, 0, 0);
  MoveBox(*mBox, point - mArrowDir * mArrowWidth);
  mArrowPlaced = 1;
}

int CHintMenu::StepHint(SHintInfo& info) {
  if (!mBox) return 0;
  mArrowPhase = 0.0f;
  mShown = 0;
  mArrowPlaced = 0;
  zormath::Vec3f p = info.Position;
  const bool arrow = info.UseArrow && HasArrow();
  if (!info.AutoPlace) {
    if (arrow && !(info.HAlign == 1 && info.VAlign == 4)) {
      PlaceArrow(p, 0.0f);
    } else if (arrow || info.Distance == 0.0f) {
      MoveBox(*mBox, p);
    } else {
      MoveBox(*mBox, p - AlignVector(info.HAlign, info.VAlign) * info.Distance);
    }
    mBox->VisibleBox(info.HAlign, info.VAlign);
    mShown = 1;
    return 1;
  }

  MoveBox(*mBox, p);
  mBox->VisibleBox(1, 4);
  zuzorev::SRect rect;
  mBox->GetBoxRect(rect);
  const float w = static_cast<float>(rect.right - rect.left);
  const float h = static_cast<float>(rect.bottom - rect.top);
  p.x = std::clamp(p.x, -kHalfWidth, kHalfWidth);
  p.z = std::clamp(p.z, -kHalfHeight, kHalfHeight);
  if (!arrow && info.Distance == 0.0f) {
    const float hw = std::min(w * 0.5f, kHalfWidth), hh = std::min(h * 0.5f, kHalfHeight);
    MoveBox(*mBox, zormath::Vec3f(std::clamp(p.x, -kHalfWidth + hw, kHalfWidth - hw), 0.0f,
                                  std::clamp(p.z, -kHalfHeight + hh, kHalfHeight - hh)));
    mBox->VisibleBox(1, 4);
    mShown = 1;
    return 1;
  }
  const float d = arrow ? mArrowWidth : info.Distance;
  int hAlign = 0, vAlign = 0;
  bool sideways = false;
  if (p.z <= 0.0f) {
    vAlign = 8;
    sideways = d + h > kHalfHeight - p.z;
  } else {
    vAlign = 0;
    sideways = d + h > p.z + kHalfHeight;
  }
  if (sideways) {
    vAlign = 4;
    hAlign = p.x > 0.0f ? 2 : 0;
  } else if (p.x > 0.0f) {
    hAlign = d + w > p.x + kHalfWidth ? 1 : 2;
  } else {
    hAlign = d + w > kHalfWidth - p.x ? 1 : 0;
  }
  info.HAlign = hAlign;
  info.VAlign = vAlign;
  if (arrow && !(hAlign == 1 && vAlign == 4))
    PlaceArrow(p, ArrowAngle(hAlign, vAlign));
  else
    MoveBox(*mBox, p - AlignVector(hAlign, vAlign) * d);
  mBox->VisibleBox(hAlign, vAlign);
  mShown = 1;
  return 1;
}
