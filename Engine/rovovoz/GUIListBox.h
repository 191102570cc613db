#pragma once
// A list of text entries, one per row, with one selected entry. A click on a
// row selects it; a double click on a row, or the Delete key while no edit
// box has the keyboard focus, calls the list's command with the list's
// context word and the selected index (-1 when none). The wheel scrolls
// when there are more entries than rows.
//
// Element: Command, Context (a number handed to the command), RowHeight
// (default the font's line height), the text attributes of CGUIText, the
// look of the list (Image / Fill / NameModel) and of the selected row
// (ImageSelect / FillSelect).
#include <vector>

#include "Engine/rovovoz/GUITextWidget.h"

namespace rovovoz {

class CGUIListBox : public CGUITextWidget {
 public:
  // Two clicks on one row within this much game time make a double click.
  static constexpr float kDoubleClickTime = 0.4f;

  explicit CGUIListBox(CGameCore* core, CGUIBaseObject* parent = nullptr);

  int GetCount() const { return static_cast<int>(mItems.size()); }
  // -1 when nothing is selected.
  int GetSelected() const { return mSelected; }
  // An index outside the entries selects nothing.
  void SetSelected(int index);
  // Empty for an index outside the entries.
  std::wstring GetItemText(int index) const;
  void AddItem(const std::wstring& text);
  void RemoveAll();
  const std::wstring& GetCommand() const { return mCommand; }
  uint32_t GetContext() const { return mContext; }

  // Forgets the entries first.
  int32_t Release(uint32_t flags = 0) override;

 protected:
  bool LoadWidget(const TiXmlElement* element) override;
  const CGUILook* PrimaryLook() const override { return &mLook; }
  void UpdateSelf(float dt, CMouseCursor* cursor) override;
  void RunCommand() override;
  void DrawSelf() override;

 private:
  float RowHeight() const;
  int VisibleRows() const;
  void KeepSelectionVisible();

  CGUILook mLook;
  CGUILook mSelectLook;
  std::vector<std::wstring> mItems;
  int mSelected = -1;
  int mFirst = 0;  // first row shown
  float mRowHeight = 0.0f;
  std::wstring mCommand;
  uint32_t mContext = 0;
  int mLastClickRow = -1;
  float mSinceClick = 0.0f;
  bool mFire = false;
};

}  // namespace rovovoz
