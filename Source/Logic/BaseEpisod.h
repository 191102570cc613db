#pragma once
// A chapter of the story: what the game panel asks of it and the actions it
// runs for the panel. The story logic fills these in; until then each
// answers as a chapter without a current scene does.
#include <string>
#include <vector>

#include "Engine/zormath/Math.h"

// One item of a complex hidden-object set as the chapter's progress holds it.
struct SComplexHogItem {
  int Row = 0;  // 1-based row of the panel list, 0 when not listed
  std::wstring Name;
  std::vector<int> Pieces;  // numbers of the pieces still to find
  float Alpha = 0.0f;       // initial fade of its row
};

class CBaseEpisod {
 public:
  CBaseEpisod() = default;
  virtual ~CBaseEpisod() = default;
  CBaseEpisod(const CBaseEpisod&) = delete;
  CBaseEpisod& operator=(const CBaseEpisod&) = delete;

  // Runs a named action of the chapter after its conditions; non-zero when it ran.
  virtual int RunAction(const std::wstring& name, int a, int b, int c);
  // Hands an action to the current scene; 0 when the scene reports failure.
  virtual int ForwardSceneAction(const std::wstring& name, int a, int b, int c);
  virtual int GetState() const;
  virtual bool RequestMenu();
  virtual bool RequestGuide();
  virtual void RequestDiary();
  // A mode request for every scene of the chapter.
  virtual void RequestToBacks(const std::wstring& kind, const std::wstring& name, const std::wstring& extra, int a,
                              int b);
  // The current scene's hint search (0 outside the play state).
  virtual int FindHint();
  virtual int GetSceneFrontMode();
  // Whether the scene draws the held object itself at that point.
  virtual bool SceneShowsCursorObject(const std::wstring& name, const zormath::Vec3f& point);
  virtual void OnCursorObjectReleased(const std::wstring& name);
  virtual int QueryPredmet(const std::wstring& name);
  virtual bool IsHogObjectMarked(const std::wstring& objectName);
  virtual void GetComplexHogItems(std::vector<SComplexHogItem>& out, const std::wstring& setName);
};
