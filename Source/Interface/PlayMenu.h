#pragma once
// The play menu over the title scene: the story, or the bonus chapter once
// the game is finished. Switching between the two asks first (the warning
// box), since it clears the other one's progress.
#include <memory>

#include "Interface/MenuFrame.h"

namespace RerivuzoZurodo {
class CParticleEffect;
}

class CPlayMenu : public CMenuFrame {
 public:
  CPlayMenu(rovovoz::CGameCore* core, rovovoz::CGUIBaseObject* parent);
  ~CPlayMenu() override;

  int Open() override;
  int UpdateShowAnimation(float dt) override;
  // Polls its three buttons; the warning box takes the frame while shown.
  int32_t Update(float dt, rovovoz::CMouseCursor* cursor) override;
  int32_t Render() override;
  int32_t Release(uint32_t flags = 0) override;

  bool IsGlowShown() const { return mGlowShown; }

 protected:
  void FindWidgets() override;

  rovovoz::CGUIBaseObject* mStoryButton = nullptr;  // "B1"
  rovovoz::CGUIBaseObject* mBonusButton = nullptr;  // "B2"
  rovovoz::CGUIBaseObject* mCloseButton = nullptr;  // "B3"
  rovovoz::CGUIBaseObject* mBonusImage = nullptr;   // "Bonus_image_def"
  rovovoz::CGUIBaseObject* mBonusLabel = nullptr;   // "L_igratBonus"
  rovovoz::CGUIBaseObject* mBonusLabelOff = nullptr;  // "L_igratBonus_dis"
  std::unique_ptr<RerivuzoZurodo::CParticleEffect> mGlow;
  bool mGlowShown = false;
};

// Made and owned by the game object.
extern CPlayMenu* gPlayMenu;
