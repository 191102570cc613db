#pragma once
// The player's diary: a book over the running scene with two note pages
// side by side, page numbers, arrows to turn the pages, a close button and
// a button that opens the location map on top of the book. Each note page
// is a small form of its own, "Data\Interface\Note\<name>.xml"; the notes
// are the current player's, in the order they were received.
#include <memory>
#include <string>

#include "Engine/rovovoz/GUIForm.h"

class CBaseEpisod;

class CDnevnik : public rovovoz::CGUIForm {
 public:
  enum : int { kOpening = 1, kShown = 0, kClosing = -1, kCloseRequested = -3 };

  CDnevnik(rovovoz::CGameCore* core, rovovoz::CGUIBaseObject* parent);
  ~CDnevnik() override;

  // The book's alpha from the phase, on every widget, both pages and the map.
  virtual void SetDnevnikAlpha();
  // One step of the opening or closing: 0 while running; 1 when the
  // opening ended; at the end of a closing 3 when the map's travel was run,
  // else 1.
  virtual int UpdateShowAnimation(float dt);

  int32_t LoadProperty(const TiXmlElement* element, int index, uint32_t flags) override;
  // 1 when the diary starts closing, else 0.
  int32_t Update(float dt, rovovoz::CMouseCursor* cursor) override;
  int32_t Render() override;
  int32_t Release(uint32_t flags = 0) override;
  int32_t ReInit() override;

  // Opens the book on the spread holding the newest note.
  void Open(CBaseEpisod* episod);
  // The window's phase (0 closed .. 1 open).
  virtual float GetPhase() const { return mPhase; }
  virtual void SetPhase(float phase) { mPhase = phase; }
  // The game panel asks the open diary to close.
  virtual void RequestClose() { mState = kCloseRequested; }
  // The chapter's names for Open and UpdateShowAnimation.
  virtual void SetPageBack(CBaseEpisod* episod) { Open(episod); }
  virtual int Show(float dt) { return UpdateShowAnimation(dt); }

  // Loads the spread of mPage (clamped to the notes) and sets the arrows.
  void LoadNotePage();
  void SetPagesAlpha(float alpha);

  int GetState() const { return mState; }
  int GetPage() const { return mPage; }
  int GetNoteCount() const { return mNoteCount; }
  int IsMapShown() const { return mMapShown; }
  rovovoz::CGUIForm* GetLeftForm() const { return mLeftForm.get(); }
  rovovoz::CGUIForm* GetRightForm() const { return mRightForm.get(); }

 protected:
  // A note page's form; null when it does not load.
  std::unique_ptr<rovovoz::CGUIForm> LoadNote(const std::wstring& name);

  int mState = kShown;
  float mPhase = 0.0f;
  rovovoz::CGUIBaseObject *mBClose = nullptr, *mBFon = nullptr, *mBKarta = nullptr;
  rovovoz::CGUIBaseObject *mLPageLeft = nullptr, *mLPageRight = nullptr, *mLMapText = nullptr;
  rovovoz::CGUIBaseObject *mBLeft = nullptr, *mBRight = nullptr;
  int mNoteCount = 0;
  int mPage = 1;
  int mTurn = 0;
  float mTurnFade = 1.0f;
  std::unique_ptr<rovovoz::CGUIForm> mLeftForm, mRightForm;
  CBaseEpisod* mEpisod = nullptr;
  int mMapShown = 0;
};

// Made and owned by the game object.
extern CDnevnik* gDnevnik;
// The map cannot be opened from the diary in the current place (set on
// every Open).
extern int gMapDisabled;
