#pragma once
// The closing cut-scene of the story: the cut-scene player with an end-text
// window drawn over the clip on a fixed time line (a dark frame with the
// closing text scrolling up, then a back frame, the game's logo with a
// sheen, "The end" and a line asking for a click), the closing music
// "track03", and a wait for a click or a key from 48.3 s on. Starting it
// marks the current player's game as finished and saves the player.
// Unlike other cut-scenes it reads its description when it is made.
#include <cstdint>
#include <memory>
#include <string>

#include "Engine/zuzorev/Texture.h"
#include "Roliki/BaseRolik.h"

namespace rovovoz {
class CGUIBaseObject;
class CGUIForm;
class CStaticObject3D;
}  // namespace rovovoz

class CRolikFinal : public CBaseRolik {
 public:
  // From 48.3 s of the window's time line a click or a key closes it.
  static constexpr float kContinueTime = 48.3f;

  CRolikFinal(rovovoz::CGameCore* core, const std::wstring& name, const std::wstring& file);
  ~CRolikFinal() override;

  int32_t Render() override;
  int32_t Update(float dt, rovovoz::CMouseCursor* cursor) override;
  int32_t Release(uint32_t flags = 0) override;
  // The description, then the end-text window "Data\Interface\FinalRolik.xml"
  // and its models; the description's result. A window that does not load
  // is left out: the frames and the logo are still drawn.
  int32_t LoadFromXML(const std::wstring& file, uint32_t flags) override;
  // Plays from the start and marks the current player's game as finished. 0.
  int32_t Start() override;
  // Plays from the start again, leaving the player's record alone. 0.
  virtual int32_t Replay();

  float GetWindowTime() const { return mWindowTime; }
  int IsContinued() const { return mContinued; }
  float GetSheenTimer() const { return mSheenTimer; }
  rovovoz::CGUIForm* GetWindow() const { return mWindow.get(); }
  rovovoz::CGUIBaseObject* GetTextLabel() const { return mLText; }
  rovovoz::CGUIBaseObject* GetEndLabel() const { return mLEnd; }
  rovovoz::CGUIBaseObject* GetContinueLabel() const { return mLContinue; }
  rovovoz::CStaticObject3D* GetTextFrame() const { return mTextFrame.get(); }
  rovovoz::CStaticObject3D* GetBackFrame() const { return mBackFrame.get(); }
  rovovoz::CStaticObject3D* GetLogo() const { return mLogo.get(); }
  rovovoz::CStaticObject3D* GetLogoSheen() const { return mLogoSheen.get(); }

  // The time line's values at window time t.
  static float TextFrameAlpha(float t);
  static float BackFrameAlpha(float t);
  static float EndLabelAlpha(float t);
  static float ContinueLabelAlpha(float t);
  // The logo's scale on the two screen axes from 42 s to 45 s.
  static float LogoGrowScale(float t);

 private:
  void Restart();
  void RenderLogo(float t);
  void RenderSheen();
  void LoadModels();

  float mWindowTime = 0.0f;
  int mContinued = 0;
  std::unique_ptr<rovovoz::CStaticObject3D> mTextFrame;
  std::unique_ptr<rovovoz::CStaticObject3D> mBackFrame;
  std::unique_ptr<rovovoz::CStaticObject3D> mLogo;
  std::unique_ptr<rovovoz::CStaticObject3D> mLogoSheen;
  float mSheenTimer = 0.0f;
  zuzorev::CTexture mSheenTexture;
  std::unique_ptr<rovovoz::CGUIForm> mWindow;
  rovovoz::CGUIBaseObject* mLText = nullptr;
  rovovoz::CGUIBaseObject* mLEnd = nullptr;
  rovovoz::CGUIBaseObject* mLContinue = nullptr;
};
