#pragma once
// The layer over a playing cut-scene: the skip button, the subtitle line,
// the letterbox bars "Back1" (above the picture) and "Back2" (below) and a
// full-screen darkening that closes every cut-scene, skipped or played out.
// The cut-scene player drives it: Reset and SetBarOffset when a clip starts,
// subtitles, Update and Render every frame, StartFade at the end, and
// IsFadeDone to know the picture is black.
#include <cstdint>
#include <memory>
#include <string>

#include "Engine/rovovoz/GUIForm.h"

namespace rovovoz {
class CGUILabel;
class CStaticObject3D;
}  // namespace rovovoz

class CRolikInterfaceMenu : public rovovoz::CGUIForm {
 public:
  CRolikInterfaceMenu(rovovoz::CGameCore* core, rovovoz::CGUIBaseObject* parent);
  ~CRolikInterfaceMenu() override;

  // The form, then its skip button and subtitle label and the darkening
  // model "Rolik_zatemnenie" of "Rolik_interface.ZORM". The form's result.
  int32_t Load(const std::wstring& file, uint32_t flags) override;
  using rovovoz::CGUIForm::Load;
  // 1 when the skip button was pressed in this frame, else 0.
  int32_t Update(float dt, rovovoz::CMouseCursor* cursor) override;
  int32_t Render() override;
  int32_t Release(uint32_t flags = 0) override;

  // For the start of every clip: skip shown and live, screen clear, no text.
  void Reset();
  // How far each bar stands away from its laid-out place (virtual pixels).
  void SetBarOffset(float offset) { mBarOffset = offset; }
  void SetText(const std::wstring& text) override;
  void SetTextAlpha(float alpha);
  // Begins the fade to black; a fade already running goes on unchanged.
  void StartFade();
  // 1 once the darkening has passed fully black, else 0.
  int IsFadeDone() const { return mFade > 1.0f ? 1 : 0; }
  // Dims (or hides) the skip button and stops it reacting until Reset.
  void SetSkipAlpha(float alpha);

  float GetFade() const { return mFade; }
  void SetFade(float fade) { mFade = fade; }
  float GetFadeTime() const { return mFadeTime; }
  int IsFading() const { return mFading; }
  int IsSkipEnabled() const { return mSkipEnabled; }
  float GetBarOffset() const { return mBarOffset; }
  // Where the bars stand from their laid-out place in the next Render.
  float GetBarDistance() const;
  rovovoz::CGUIBaseObject* GetSkipButton() const { return mBSkip; }
  rovovoz::CGUILabel* GetTextLabel() const { return mLText; }
  rovovoz::CStaticObject3D* GetDarkModel() const { return mDarkModel.get(); }

 private:
  rovovoz::CGUIBaseObject* mBSkip = nullptr;
  rovovoz::CGUILabel* mLText = nullptr;
  std::unique_ptr<rovovoz::CStaticObject3D> mDarkModel;
  float mBarOffset = 0.0f;
  int32_t mSkipEnabled = 1;
  float mFade = 1.0f;
  int32_t mFading = 0;
  float mFadeTime = 1.0f;
};

// Made and owned by the game object.
extern CRolikInterfaceMenu* gRolikInterfaceMenu;
