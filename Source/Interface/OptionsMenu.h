#pragma once
// The options box: volumes, display mode, full screen, wide screen, cursor.
// Volumes are heard at once; display changes are collected and handed to
// the main loop as the next screen state.
#include <string>
#include <vector>

#include "Interface/MenuFrame.h"

namespace rovovoz {
class CGUICheckBox;
class CGUISlider;
}  // namespace rovovoz

class COptionsMenu : public CMenuFrame {
 public:
  COptionsMenu(rovovoz::CGameCore* core, rovovoz::CGUIBaseObject* parent);

  using CMenuFrame::Open;
  using CMenuFrame::Close;
  // Starts the opening; overGame 1 when opened from the pause menu.
  virtual int Open(int overGame);
  // Starts the closing; toGame 1 when it goes back to the pause menu.
  // keepVolumes: the volumes in force are written to game.ini.
  virtual int Close(int toGame, bool keepVolumes);
  // Refreshes the full-screen box from the shown mode and the wide-mode flag.
  virtual void RefreshVideoControls();

  int32_t Update(float dt, rovovoz::CMouseCursor* cursor) override;
  int32_t Render() override;

  // The handlers of the box's buttons.
  void Apply();
  // Cancel (toState: the return state) and Credits (4): the volumes and the
  // cursor option of the moment the box opened come back.
  void Leave(int toState);
  void StepMode(int step);
  // 1 while the box was opened from the pause menu.
  int IsOverGame() const { return mOverGame; }

 protected:
  void FindWidgets() override;
  void Cancel() override;
  void ShowModeLabel();
  // The shown mode can only run full screen.
  bool ModeForcesFullScreen() const;

  int mOverGame = 0;
  rovovoz::CGUISlider* mMusic = nullptr;
  rovovoz::CGUISlider* mSound = nullptr;
  rovovoz::CGUISlider* mEffects = nullptr;
  rovovoz::CGUIBaseObject* mModeLabel = nullptr;
  rovovoz::CGUICheckBox* mFull = nullptr;
  rovovoz::CGUICheckBox* mWide = nullptr;
  rovovoz::CGUICheckBox* mCursor = nullptr;
  // The volumes in force when the box opened.
  float mOpenSound = 1.0f, mOpenMusic = 1.0f, mOpenEffect = 1.0f;
};

// Made and owned by the game object.
extern COptionsMenu* gOptionsMenu;

// One label per display mode the options menu steps through, and the index
// of the mode it shows.
extern std::vector<std::wstring> gOptionsModeLabels;
extern int gOptionsModeIndex;
// The full-screen choice kept while the shown mode forces full screen.
extern int gOptionsFullScreen;
// 1 when the display offers a wide mode.
extern int gOptionsWideAvailable;
// The player's cursor option when the box opened.
extern int gOptionsCursorSaved;
