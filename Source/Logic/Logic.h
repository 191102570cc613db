#pragma once
#include "Logic/LogicAction.h"

class CBaseMiniGame;
namespace rovovoz {
class CMouseCursor;
class CStaticObject3D;
}

// An inventory item of the logic's item table: its loaded model, its text
// key and how many of it the player gets.
struct SLogicPredmet {
  std::wstring mName;
  std::wstring mText;
  int mCount = 1;
  rovovoz::CStaticObject3D* mModel = nullptr;
};

// The story logic: loads every logic table and scene list at start, walks
// the steps, and owns the current episode. Operations that are not built yet
// do nothing; the loaders then report success with nothing loaded.
class CLogic {
 public:
  CLogic();
  virtual ~CLogic();
  CLogic(const CLogic&) = delete;
  CLogic& operator=(const CLogic&) = delete;

  // Loaders: non-zero on success, 0 on failure. LoadLevels and the other
  // list loaders tick the loading screen once per object they create.
  virtual int LoadSteps(const std::wstring& file);
  virtual int LoadLevels();
  virtual int LoadRegions();
  virtual int LoadMiniGames();
  virtual int LoadRoliki();
  virtual int LoadPredmets(const std::wstring& file);
  virtual int LoadHogPredmets(const std::wstring& file);
  virtual int LoadDialogs();
  virtual int LoadSadanies(const std::wstring& file);

  // A text field of the item's record (empty for a name that is no item).
  virtual std::wstring FindItemText(const std::wstring& item) const;
  // The item record of that name in the item table, or none.
  virtual const SLogicPredmet* StdPredmetMapFind(const std::wstring& name) const;
  // The mini-game of that name (ignoring case), or none.
  virtual CBaseMiniGame* FindMiniGame(const std::wstring& name) const;

  // Starts or continues the story at the current player's saved step;
  // non-zero while the story runs, 0 when it did not start.
  virtual int Play();
  // After a display re-initialisation; 0 on failure.
  virtual int ReInit();
  virtual void Render();
  // Resumes what a menu interrupted.
  virtual void ResumeCurrent();
  // Stores the current step's name in the current player's record.
  virtual void SaveCurrentStepName(int flags);
  // Stops the current episode and what it runs.
  virtual void StopEpisod();
  // Per-frame story logic; may request the pause menu (10), extras over the
  // game (102) or the main menu (0).
  virtual void Update(float dt, rovovoz::CMouseCursor* cursor);
  // The current episode alone (behind the exit dialog).
  virtual void UpdateEpisod(float dt);
};

// Made by the game object at the start of the data load, deleted at its release.
extern CLogic* gLogic;
