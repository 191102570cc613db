#pragma once
// The diary.
#include "Engine/rovovoz/GUIForm.h"

class CBaseEpisod;

class CDnevnik : public rovovoz::CGUIForm {
 public:
  CDnevnik(rovovoz::CGameCore* core, rovovoz::CGUIBaseObject* parent) : rovovoz::CGUIForm(core, parent) {
    SetVisible(0);
  }

  // The window's opening phase (0 closed .. 1 open).
  virtual float GetPhase() const { return mPhase; }
  virtual void SetPhase(float phase) { mPhase = phase; }
  // Starts the closing of the open diary.
  virtual void RequestClose() {}
  // ---- asked by the chapter (neutral until the diary's own work fills them)
  // The chapter whose pages the diary opens over.
  virtual void SetPageBack(CBaseEpisod*) {}
  // The opening or closing animation: non-zero once it is over (1 or 2 when
  // closing).
  virtual int Show(float) { return 1; }

 protected:
  float mPhase = 0.0f;
};

// Made and owned by the game object.
extern CDnevnik* gDnevnik;
