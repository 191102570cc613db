#pragma once
// The diary.
#include "Engine/rovovoz/GUIForm.h"

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

 protected:
  float mPhase = 0.0f;
};

// Made and owned by the game object.
extern CDnevnik* gDnevnik;
