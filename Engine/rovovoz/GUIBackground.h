#pragma once
// A plain picture, flat colour or model of a form: drawn, never reacting to
// the pointer. Element: a look (Image / Fill / NameModel).
#include "Engine/rovovoz/GUIBaseObject.h"

namespace rovovoz {

class CGUIBackground : public CGUIBaseObject {
 public:
  explicit CGUIBackground(CGameCore* core, CGUIBaseObject* parent = nullptr);

 protected:
  bool LoadWidget(const TiXmlElement* element) override { return LoadLook(mLook, element, ""); }
  const CGUILook* PrimaryLook() const override { return &mLook; }
  void DrawSelf() override { DrawLook(mLook, GetDrawAlpha()); }

 private:
  CGUILook mLook;
};

}  // namespace rovovoz
