#pragma once
// The mouse cursor: named cursor images with hot spots (our cursor list XML,
// docs/formats.md), drawn by the engine over everything, or shown as the
// system pointer with the same image; a one-frame tooltip (hint) at a scene
// point. Positions are virtual-screen pixels (mode 1) or window points (0).
#include <SDL2/SDL.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "Engine/zormath/Math.h"
#include "Engine/zuzorev/Font.h"
#include "Engine/zuzorev/Texture.h"

namespace rovovoz {

class CGameCore;

class CMouseCursor {
 public:
  explicit CMouseCursor(CGameCore* core = nullptr);
  ~CMouseCursor();
  CMouseCursor(const CMouseCursor&) = delete;
  CMouseCursor& operator=(const CMouseCursor&) = delete;

  // Reads the cursor list. N; fails on a missing or malformed file or a
  // list without cursors.
  int32_t Load(const std::wstring& file);

  // Selects a cursor by name or by its place in the list; restart 1 starts
  // its animation again. False when there is no such cursor.
  bool SetCursor(const std::wstring& name, int restart = 0);
  bool SetCursor(int number, int restart = 0);
  int GetCursorNumber() const { return mCurrent; }
  std::wstring GetCursorName() const;

  void SetPosition(float x, float y, int mode = 1);
  void GetPosition(zormath::Vec3f& point, int mode = 1) const;
  // The pointer's point in the scene plane (y = 0).
  zormath::Vec3f GetPosition3D(int mode = 1) const;
  // Moves the pointer over a scene point.
  void SetPosition3D(const zormath::Vec3f& point, int mode = 1);
  void SetVisible(int visible);
  int GetVisible() const { return mVisible ? 1 : 0; }
  // 1: the system pointer shows the cursor (drawn by the desktop); 0: the
  // engine draws it.
  void SetWindowsCursor(int on);
  int GetWindowsCursor() const { return mWindowsCursor ? 1 : 0; }
  // The pointer is over the window.
  int IsWindow() const;

  // Takes the pointer's position from the input system.
  void UpdatePosition();
  // Animation time; a hint lasts for the frame it was set in.
  void Update(float dt);
  // The cursor (unless the system pointer shows it) and the hint.
  void Render();
  // Only the hint.
  void RenderHint();

  // A tooltip with the style `name` of the cursor list, at a scene point,
  // for this frame; show 0 hides it. align 8: centred above the point.
  void SetHint(const std::wstring& name, const std::wstring& text, const zormath::Vec3f& point, int show, int align);
  bool IsHintShown() const { return mHintVisible; }
  const std::wstring& GetHintText() const { return mHint.text; }

  // Read directly by the game: 0 lets RenderHint stand in for Render while
  // the system pointer is in use; 1 keeps the engine cursor drawn.
  int mAlwaysDraw = 0;

 private:
  struct SCursor {
    std::wstring name;
    std::wstring image;
    int hotX = 0, hotY = 0;
    int frames = 1;
    float fps = 10.0f;
    zuzorev::CTexture texture;
    SDL_Cursor* system = nullptr;
  };
  struct SHintStyle {
    std::wstring name;
    std::wstring font = L"DejaVuSans.ttf";
    int height = 16;
    uint32_t color = 0xFFFFFFFFu;
    uint32_t back = 0xC0000000u;
    int padding = 6;
  };
  struct SHint {
    std::wstring style;
    std::wstring text;
    zormath::Vec3f point;
    int align = 8;
  };

  void ApplySystemPointer();
  void DrawCursor();
  void DrawHint();
  const SHintStyle& StyleOf(const std::wstring& name) const;

  CGameCore* mCore;
  std::vector<std::unique_ptr<SCursor>> mCursors;
  std::vector<SHintStyle> mStyles;
  int mCurrent = 0;
  float mTime = 0.0f;
  zormath::Vec3f mPos{512, 384, 0};  // virtual-screen pixels
  bool mVisible = true;
  bool mWindowsCursor = false;
  SDL_Cursor* mAppliedSystem = nullptr;
  SHint mHint;
  bool mHintPending = false;
  bool mHintVisible = false;
  zuzorev::CFont mHintFont;
  std::wstring mHintFontStyle;
};

}  // namespace rovovoz
