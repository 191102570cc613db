#pragma once
// A message box: a title, a text, up to three buttons (OK, Cancel, Close;
// a button shows when it has a caption) and an optional check box, laid out
// top to bottom in a box that grows with its texts. The box stands at its
// position with the alignment VisibleBox gives; UpdateBox reports when the
// player closed it.
//
// Element (usually "MessageBox"): MinWidth (default 200), Padding (16),
// Spacing (8), TextGroup (the box's text group), a look of the box
// (Image / Fill / NameModel), and the widgets the box lays out by name:
// Label "Title", Label "Text", Button "BOk", "BCancel", "BClose", CheckBox
// "Check" (the buttons and the check box keep their Width and Height; the
// positions of all are the box's). A missing widget is simply not shown.
#include <cstdint>

#include "Engine/rovovoz/GUIForm.h"

namespace rovovoz {

class CGUICheckBox;
class CGUILabel;

// UpdateBox results: kMsgClosed when the player closed the box, with the
// button that closed it and kMsgChecked when the check box was ticked.
enum : uint8_t {
  kMsgOk = 0x01,
  kMsgCancel = 0x02,
  kMsgClose = 0x04,
  kMsgChecked = 0x20,
  kMsgClosed = 0x80,
};

class CGUIMessageBox : public CGUIForm {
 public:
  explicit CGUIMessageBox(CGameCore* core, CGUIBaseObject* parent = nullptr);

  int32_t LoadProperty(const TiXmlElement* element, int index, uint32_t flags) override;

  // Empties the texts, captions and check box and hides the box.
  void Clear();
  // The text (or, when key is not empty, the text of key in the box's text
  // group); wrap 1 breaks it into lines no wider than maxWidth pixels, wrap
  // 0 keeps one line per paragraph; show 0 leaves it out.
  void SetText(const std::wstring& text, int wrap, const std::wstring& key, float maxWidth, int show);
  void SetTitle(const std::wstring& text, int wrap, const std::wstring& key, float maxWidth, int show);
  using CGUIForm::SetText;
  // Captions of the OK, Cancel and Close buttons (empty: not shown).
  void SetButtonProperty(const std::wstring& ok, const std::wstring& cancel, const std::wstring& close);
  void SetCheckProperty(int hasCheck, const std::wstring& text);
  // Lays the box out and shows it: hAlign 0 puts the box right of its
  // position, 1 centres it, 2 puts it left; vAlign 0 below, 4 centred, 8
  // above.
  void VisibleBox(int hAlign, int vAlign);
  // One frame of the open box: the closing bits, 0 while it stays open,
  // kMsgClosed when it is not shown.
  int8_t UpdateBox(float dt, CMouseCursor* cursor);
  int GetCheck() const;
  void CloseBox();
  // The box in its own layout pixels; GetWorldMatrix2D maps it to the screen.
  void GetRectRender(zuzorev::SRect& rect) const;
  // The box on the screen.
  void GetBoxRect(zuzorev::SRect& rect) const override;
  const std::wstring& GetDefaultKeyText() const { return GetTextGroup(); }

 protected:
  void DrawSelf() override;

 private:
  struct SPart {
    std::wstring text;
    bool wrap = false;
    float maxWidth = 0;
    bool show = false;
  };
  void Layout();
  float PlaceLabel(CGUILabel* label, const SPart& part, float top, float inner);

  CGUILook mBack;
  float mMinWidth = 200, mPadding = 16, mSpacing = 8;
  SPart mTitle, mBody;
  std::wstring mCaptions[3];
  bool mHasCheck = false;
  std::wstring mCheckText;
  int mHAlign = 1, mVAlign = 4;
};

}  // namespace rovovoz
