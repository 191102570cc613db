#pragma once
// The in-game panel: inventory strip, hint and skip buttons with their
// recharge, the hidden-object list, the ghost collectibles, the item window
// and character dialogs; every scene reaches it through gGamePanel. What
// must outlive a scene lives in gCurrentPlayer and is re-applied by
// RestoreFromPlayer.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "Engine/rovovoz/GUIForm.h"
#include "Engine/zormath/Math.h"

namespace rovovoz {
class CBaseGeometryObject;
class CGUILabel;
class CMouseCursor;
class CParticleSystem;
class CStaticObject3D;
class CTriangleObject3D;
}  // namespace rovovoz
namespace RerivuzoZurodo {
class CParticleEffect;
}
class CBaseEpisod;
class CDialogPlayer;
class CPredmetMenu;

// Rows of the hidden-object list.
extern int gPanelSlotCount;

// One inventory slot; the panel owns 50 of them for its whole life.
struct SPanelItem {
  enum : int { kFlyingIn = 0, kInStrip = 1, kRemoving = 2, kRemoved = 3, kHeld = 4 };
  std::unique_ptr<rovovoz::CStaticObject3D> model;
  std::wstring name;
  std::wstring text;
  zormath::Vec3f target, start, slot, current;
  int state = kInStrip;
  float timer = 0.0f;
  int hover = 0;
  float glow = 0.0f;
};

// One row of the hidden-object list.
struct SHogListRow {
  rovovoz::CGUILabel* Label = nullptr;  // owned by the form
  std::wstring Text;
  uint32_t Found = 1;
  std::vector<int> Pieces;
  float Alpha = 0.0f;
  std::wstring ObjectName;
};

// A found item's name flying letter by letter to its row.
struct SMoveText {
  int State = 0;  // 0 letters flying, 1 and 2 holding, 3 finished
  float Time = 0.0f;
  float Duration = 0.5f;
  zormath::Vec3f Start, End;
  float Speed = 200.0f;
  std::wstring Text;
  std::vector<float> LetterTimes;
  rovovoz::CBaseGeometryObject* Object = nullptr;  // not owned
};

// A hint beam's clock and place.
struct SHintBeam {
  int Active = 0;
  float Time = 0.0f;
  zormath::Vec3f Position;
};

// How a beam looks at clock t: drawn alpha (already x 0.6) and size factor.
struct SBeamLook {
  float alpha = 0.0f;
  float size = 1.0f;
};
SBeamLook BeamLookAt(float t, bool clampAtZero);
// The morph glow's strength at its clock.
float MorphStrengthAt(float t);
// The ghost window's horizontal offset at its clock.
float GhostWindowOffsetAt(float t);

class CGamePanel : public rovovoz::CGUIForm {
 public:
  static constexpr int kMaxItems = 50;
  static constexpr int kVisibleItems = 7;
  static constexpr float kStep = 79.0f;
  enum : int { kModePush = 0, kModeHog = 1, kModeMiniGame = 2, kModeDialog = 3 };

  CGamePanel(rovovoz::CGameCore* core, rovovoz::CGUIBaseObject* parent);
  ~CGamePanel() override;

  using rovovoz::CGUIForm::Load;
  int32_t Load(const std::wstring& file, uint32_t flags) override;
  int32_t Release(uint32_t flags = 0) override;
  int32_t ReInit() override;
  int32_t Update(float dt, rovovoz::CMouseCursor* cursor) override;
  int32_t Render() override;

  virtual void ClearItems();
  virtual void RestoreFromPlayer();
  // "push", "hog", "minigame", "dialog"; anything else keeps the mode.
  virtual void SetPanelMode(const std::wstring& type);
  virtual void SetBack(CBaseEpisod* episod);
  virtual int32_t UpdatePanelAnimation(float dt, rovovoz::CMouseCursor* cursor);
  virtual rovovoz::CStaticObject3D* GetAlphaEkran();
  virtual rovovoz::CStaticObject3D* GetAlphaEkran2();
  virtual rovovoz::CStaticObject3D* GetAlphaEkran3();
  virtual rovovoz::CStaticObject3D* GetAlphaEkran4();
  virtual rovovoz::CStaticObject3D* GetDirka();
  // Opens the item window; false without a window or a chapter.
  virtual bool ShowPredmet(const std::wstring& name);
  // The item window's update; -2 without a window.
  virtual int UpdatePredmetMenu(float dt, rovovoz::CMouseCursor* cursor);
  virtual void RenderPredmetMenu();
  // "shesterni" 1, "push" 2, "click" 3, "glaz" 4, "lupa" 5, "portal" 6, else 0.
  virtual void SetCursorModeByName(const std::wstring& kind, rovovoz::CBaseGeometryObject* target = nullptr,
                                   rovovoz::CBaseGeometryObject* reference = nullptr);
  virtual void SetCursorMode(int kind, rovovoz::CBaseGeometryObject* target = nullptr,
                             rovovoz::CBaseGeometryObject* reference = nullptr);
  virtual void SetCursorIcon(float dt, rovovoz::CMouseCursor* cursor);
  virtual void HandleInventoryMouse(float dt, rovovoz::CMouseCursor* cursor);
  virtual void RenderItems();
  virtual void RenderGhostWindow();
  // source "p_menu": flies in from the item window; "start": restored.
  virtual void AddSimpleObject(const std::wstring& name, const std::wstring& source, int a = 0, int b = 0);
  virtual void DeleteSimpleObject(const std::wstring& name);
  virtual void SetFirstVisibleItem(int first);
  virtual bool IsMouseOverPanel(rovovoz::CMouseCursor* cursor);
  virtual void TakeToCursor(const std::wstring& name, rovovoz::CBaseGeometryObject* sceneObject);
  virtual void UpdateCursorObject();
  virtual std::wstring GetCursorName();
  // mode 1 back where it came from, 0 straight into the strip, 2 forgotten.
  virtual void DropCursorObject(int mode);
  virtual bool IsCursorEmpty();
  virtual bool IsCursorName(const std::wstring& name);
  virtual bool HasCursorObject();
  virtual void SetComplexHogList(const std::wstring& setName);
  virtual bool RemoveComplexPiece(const std::wstring& setName, int piece, rovovoz::CBaseGeometryObject* object);
  virtual rovovoz::CParticleSystem* GetLevelParticlesA();
  virtual rovovoz::CParticleSystem* GetRegionParticlesA();
  virtual rovovoz::CParticleSystem* GetLevelParticlesB();
  virtual rovovoz::CParticleSystem* GetRegionParticlesB();
  virtual int RenderHintBeam(zormath::Mat4f matrix);
  virtual int RenderItemHint();
  virtual void ShowHintAt(float x, float y, float z, rovovoz::CBaseGeometryObject* object, int slot);
  virtual void ShowHintOnItem(const std::wstring& name);
  virtual int RenderMorphEffect();
  virtual void StartMorphEffect(float x, float y, float z, rovovoz::CBaseGeometryObject* object);
  virtual void AddGhostObject();
  virtual zormath::Vec3f ScrollToItem(const std::wstring& name, int scroll);
  virtual void ApplyDifficulty();
  virtual void StartDnevnikEffect(int withSound);

  void UpdateHintRecharge(float dt);
  void MakeHintReady();
  void MakeHogHintReady();
  void LoadDialog(const std::wstring& name);
  void StartDialog();

  // ---- read by scenes, tests and the panel's own parts -------------------
  int GetPanelMode() const { return mPanelMode; }
  float GetModeFade() const { return mModeFade; }
  CBaseEpisod* GetBack() const { return mEpisod; }
  int GetItemCount() const { return mItemCount; }
  int GetFirstVisibleItem() const { return mFirstVisible; }
  // A slot record; an index outside the 50 slots answers an empty record.
  const SPanelItem& GetItem(int index) const;
  int GetCursorKind() const { return mCursorKind; }
  float GetSlideOffset() const { return mSlideOffset; }
  float GetHintTime(int which) const { return mRechargeTime[which]; }
  const std::vector<SHogListRow>& GetHogRows() const { return mHogRows; }
  const std::vector<SMoveText>& GetMoveTexts() const { return mMoveTexts; }
  const std::wstring& GetComplexHogName() const { return mComplexHogName; }
  const SHintBeam& GetSceneBeam(int slot) const { return mSceneBeam[slot == 1 ? 1 : 0]; }
  const SHintBeam& GetItemBeam() const { return mItemBeam; }
  int IsMorphActive() const { return mMorphActive; }
  float GetMorphTime() const { return mMorphTime; }
  int IsGhostShown() const { return mGhostShown; }
  float GetGhostTime() const { return mGhostTime; }
  float GetDnevnikTimer() const { return mDnevnikTimer; }
  CDialogPlayer* GetDialogPlayer() const { return mDialog.get(); }
  CPredmetMenu* GetPredmetMenu() const { return mPredmetMenu.get(); }
  bool IsReturnFlightRunning() const { return mReturnModel != nullptr; }
  const zormath::Vec3f& GetNextSlotPosition() const { return mNextSlotPos; }

 private:
  // Loading helpers.
  std::unique_ptr<rovovoz::CStaticObject3D> LoadPanelModel(const std::wstring& file, const std::wstring& name,
                                                           bool keepOnFailure, const wchar_t* error);
  std::unique_ptr<rovovoz::CTriangleObject3D> LoadPanelTriangle(const std::wstring& file, const std::wstring& name,
                                                                const wchar_t* error);
  void LoadHogLabels();
  template <class T>
  T* Child(const wchar_t* name) const;

  // The strip.
  int FindItem(const std::wstring& name) const;
  zormath::Vec3f SlotPosition(int index) const;
  void FlyItemBack(SPanelItem& item);
  void ReturnSceneObject(bool tellEpisod);
  void StartReturnFlight(const zormath::Vec3f& from);
  void UpdateReturnFlight(float dt);
  void ReclaimRemovedItems();
  void UpdateStripItems(float dt);
  void HandleStripMouse(float dt, rovovoz::CMouseCursor* cursor);
  void HandleSceneObjectMouse(rovovoz::CMouseCursor* cursor);

  // Recharge.
  bool IsTutorialHintBlocking() const;
  void HandleHintButtons(float dt, rovovoz::CMouseCursor* cursor, bool blocked, bool diaryOpen);
  void RenderRechargeButton(int mode);

  // Hidden-object list.
  void StartMoveText(int row, rovovoz::CBaseGeometryObject* object);
  void UpdateMoveTexts(float dt);
  void RenderMoveTexts();

  // Beams and effects.
  void UpdateBeamClocks(float dt);
  void DrawBeamModels(const SBeamLook& look, const zormath::Vec3f& at, float turn, const zormath::Mat4f* matrix);
  void UpdateGhostAndMorph(float dt, rovovoz::CMouseCursor* cursor);
  void UpdateDnevnikEffect(float dt);

  // Update and render parts.
  void UpdateDialogMode(float dt);
  void UpdateDiaryButtons(float dt, rovovoz::CMouseCursor* cursor, bool blocked, const std::wstring& tutorialHint);
  void RenderDialogMode();
  void RenderNotebook();
  void RenderAtSlide(rovovoz::CGUIBaseObject* object, float alpha = -1.0f);

  int mPanelMode = kModePush;
  float mModeFade = 1.0f;
  CBaseEpisod* mEpisod = nullptr;

  rovovoz::CGUIBaseObject* mPodlojka = nullptr;
  rovovoz::CGUIBaseObject* mPodlojkaNiz = nullptr;
  rovovoz::CGUIBaseObject* mLeftSide = nullptr;
  rovovoz::CGUIBaseObject* mRightSide = nullptr;
  rovovoz::CGUIBaseObject* mVerh = nullptr;
  rovovoz::CGUIBaseObject* mBDnevnik = nullptr;
  rovovoz::CGUIBaseObject* mBDnevnikClose = nullptr;
  rovovoz::CGUIBaseObject* mBRight = nullptr;
  rovovoz::CGUIBaseObject* mBLeft = nullptr;
  rovovoz::CGUIBaseObject* mBMenu = nullptr;
  rovovoz::CGUIBaseObject* mBStrategy = nullptr;
  rovovoz::CGUIBaseObject* mBHint = nullptr;
  rovovoz::CGUIBaseObject* mBSkip = nullptr;
  rovovoz::CGUIBaseObject* mBSkipDialog = nullptr;
  rovovoz::CGUILabel* mLTextMiniGame = nullptr;
  rovovoz::CGUILabel* mLTextDialog = nullptr;

  std::unique_ptr<rovovoz::CStaticObject3D> mHintDis, mHintDef, mAlphaHint, mSkipDis, mSkipDef, mAlphaSkip;
  enum : int { kHintTime = 0, kHogHintTime = 1, kSkipTime = 2 };
  float mRechargeTime[3] = {60.0f, 60.0f, 60.0f};

  std::unique_ptr<rovovoz::CStaticObject3D> mAlphaEkran, mAlphaEkran2, mAlphaEkran3, mAlphaEkran4, mDirka;
  std::unique_ptr<CPredmetMenu> mPredmetMenu;

  int mCursorKind = 0;
  int mLastCursorKind = 0;

  zormath::Vec3f mSlots[kVisibleItems];
  zormath::Vec3f mBase{-236.0f, 0.0f, -341.0f};
  float mStep = kStep;
  zormath::Vec3f mNextSlotTarget, mNextSlotPos;

  std::vector<std::unique_ptr<SPanelItem>> mItems;
  int mItemCount = 0;
  int mFirstVisible = 0;

  std::unique_ptr<rovovoz::CTriangleObject3D> mKursorPanel02, mKursorPanel03, mKursorPanel01;
  zormath::Vec3f mKursorPanel02Rest;

  std::wstring mHeldName;
  int mClickConsumed = 0;
  rovovoz::CBaseGeometryObject* mHeldModel = nullptr;
  int mHeldFromPanel = 0;
  zormath::Vec3f mLastCursor;
  int mFrameFlag = 1;
  rovovoz::CBaseGeometryObject* mPortalArrow = nullptr;
  zormath::Vec3f mArrowDir{0.0f, 0.0f, 1.0f};
  float mArrowPhase = 0.0f;
  rovovoz::CBaseGeometryObject* mReturnModel = nullptr;
  zormath::Vec3f mReturnTarget, mReturnStart;
  float mReturnProgress = 1.0f;
  zormath::Vec3f mPickUpPosition;

  rovovoz::CGUILabel* mLOstalos = nullptr;
  std::wstring mOstalosCaption;
  rovovoz::CGUIBaseObject* mLInventory = nullptr;
  rovovoz::CGUIBaseObject* mLTipsMiniGame = nullptr;

  std::vector<SHogListRow> mHogRows;
  std::vector<SMoveText> mMoveTexts;
  rovovoz::CGUILabel* mLMoveText = nullptr;
  std::wstring mComplexHogName;

  std::unique_ptr<rovovoz::CParticleSystem> mLevelParticlesA, mLevelParticlesB, mRegionParticlesA,
      mRegionParticlesB;

  std::vector<std::unique_ptr<rovovoz::CStaticObject3D>> mDnevnikFrames;  // 40 slots, the last stays empty
  std::unique_ptr<rovovoz::CStaticObject3D> mDnevnikCloseSel;

  std::unique_ptr<rovovoz::CStaticObject3D> mHintIn, mHintOut;
  SHintBeam mSceneBeam[2];
  rovovoz::CBaseGeometryObject* mHintTarget = nullptr;
  zormath::Vec3f mHintTargetPosition;
  SHintBeam mItemBeam;

  std::unique_ptr<rovovoz::CStaticObject3D> mMorphIn, mMorphOut;
  int mMorphActive = 0;
  float mMorphTime = 0.0f;
  rovovoz::CBaseGeometryObject* mMorphObject = nullptr;

  std::unique_ptr<rovovoz::CStaticObject3D> mGhostWindow;
  std::unique_ptr<rovovoz::CTriangleObject3D> mGhostClose;
  rovovoz::CGUILabel* mLGhost = nullptr;
  rovovoz::CGUIBaseObject* mLGhost2 = nullptr;
  int mGhostShown = 0;
  float mGhostTime = 0.0f;

  float mSlideOffset = 0.0f;
  float mSlideSpeed = 0.0f;

  std::unique_ptr<RerivuzoZurodo::CParticleEffect> mBloknot, mSkipGlow, mHintGlow;
  float mDnevnikTimer = 0.0f;
  float mSkipGlowLevel = 0.0f;
  float mHintGlowLevel = 0.0f;

  std::unique_ptr<CDialogPlayer> mDialog;
  std::unique_ptr<rovovoz::CStaticObject3D> mTopLine, mBottomLine;
};

// Made and owned by the game object.
extern CGamePanel* gGamePanel;
