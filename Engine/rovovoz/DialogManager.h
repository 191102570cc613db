#pragma once
// Character dialogs: short lines a character says over the game (tips,
// remarks). Each dialog of the file (docs/formats.md, "Character dialogs")
// is a small form with a "Text" label; StartDialog shows one with a text
// (or the label's own text when the text is empty), fades it in, keeps it
// for its time and fades it out. A click on the dialog sends it away early.
// One dialog shows at a time: a new one replaces the one on the screen.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace rovovoz {

class CGameCore;
class CGUIForm;
class CMouseCursor;

class CDialogManager {
 public:
  explicit CDialogManager(CGameCore* core);
  ~CDialogManager();
  CDialogManager(const CDialogManager&) = delete;
  CDialogManager& operator=(const CDialogManager&) = delete;

  // Reads the dialog file (root Dialogs). N: fails on a missing or
  // malformed file or a missing root; a dialog without a name is skipped
  // with a warning.
  int32_t Load(const std::wstring& file, uint32_t flags);
  // Shows a dialog. False (with a warning) when there is no such dialog.
  bool StartDialog(const std::wstring& name, const std::wstring& text);
  // Fades and times the dialog on the screen. 0.
  int32_t Update(float dt, CMouseCursor* cursor);
  int32_t Render();
  // Takes the dialog off the screen at once.
  void Stop();
  // Remakes the dialogs' fonts after a display change. N.
  int32_t ReInit();
  void Release();

  bool IsPlaying() const { return mCurrent >= 0; }
  // The dialog on the screen (empty: none).
  std::wstring GetCurrentName() const;
  // A dialog's form by name (null: none).
  CGUIForm* GetDialog(const std::wstring& name) const;

 private:
  struct SDialog {
    std::wstring name;
    std::unique_ptr<CGUIForm> form;
    std::wstring defaultText;
    float timeIn = 0.3f;    // fade in, seconds
    float timeShow = 3.0f;  // on the screen at full alpha, plus timePerChar per character
    float timePerChar = 0.0f;
    float timeOut = 0.3f;   // fade out
  };
  enum class EPhase { In, Show, Out };

  int Find(const std::wstring& name) const;
  void Apply();

  CGameCore* mCore;
  std::vector<SDialog> mDialogs;
  int mCurrent = -1;
  EPhase mPhase = EPhase::In;
  float mTime = 0.0f;    // in the phase
  float mLength = 0.0f;  // of the show phase
};

}  // namespace rovovoz
