#pragma once
// The playable scene: every scene of the scene list is one, or one of the
// scene classes derived from it. Until its own operations come it plays as
// the scene framework's scene, purely from its data files.
#include <string>
#include <vector>

#include "Engine/zormath/Math.h"
#include "Levels/BaseBack.h"

class CBaseLevel : public CBaseBack {
 public:
  CBaseLevel();
  ~CBaseLevel() override;

  // ---- what the chapter calls by its state (neutral until the playable
  // scene's own work fills them) ------------------------------------------------
  // The fade-in frame: objects only, no picking. 0.
  virtual int32_t UpdateFromEpisode(float dt, rovovoz::CMouseCursor* cursor);
  // A fade-out frame: everything moves, nothing is picked. 0.
  virtual int32_t UpdateNoPick(float dt, rovovoz::CMouseCursor* cursor);
  // Once on the first play frame after the chapter started.
  virtual void OnEpisodeStarted();
  virtual int32_t RenderObjectsAndPanel();
  virtual int32_t RenderWithoutPanel();
  virtual int32_t GetStartFlag() const;
  // The hint search; 0 when nothing was found.
  virtual int FindHintTarget(int arg);
  // The trigger test over the scene and its close-ups.
  virtual bool IsObjectParamCSetInAny(const std::wstring& name);
  // Whether the scene draws the held object itself at that point.
  virtual bool ShowsCursorObject(const std::wstring& name, const zormath::Vec3f& point);
  // Typed developer words; non-zero when the scene took them.
  virtual int32_t LoadForm(const std::vector<std::wstring>& words);
};
