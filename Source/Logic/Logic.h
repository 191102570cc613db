#pragma once
#include <cstdint>
#include <map>
#include <string>

#include "Logic/EpisodData.h"
#include "Logic/ItemRecords.h"
#include "Logic/LogicAction.h"

class TiXmlElement;

class CBaseMiniGame;
namespace rovovoz {
class CMouseCursor;
}

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

  // Story scripts, chapter files and item tables
  // Reads the first Actions child of parent into actions (emptied first when
  // clearFirst); the file name is for the error lines only. Bad elements are
  // reported and dropped; a name already in the map keeps its first entry.
  static void LoadSadanieActions(const TiXmlElement* parent, SActionMap& actions, const std::wstring& file,
                                 bool clearFirst);
  // Keyword codes, ignoring ASCII case; kLogicUnknownCode when unknown.
  static uint32_t ParseActionOperation(const std::wstring& name);
  static uint32_t ParseActionObjectType(const std::wstring& name);
  static uint32_t ParseConditionType(const std::wstring& name);
  static uint32_t ParseConditionObjectType(const std::wstring& name);
  // The task file without its info-code box; 0 when it cannot be loaded.
  int ReloadSadanies(const std::wstring& file);
  // The chapters listed under the Episodes element of the task file's root.
  void LoadEpisodesList(const TiXmlElement* logic);
  // One chapter file (below DataLoc\Episodes) with the files it includes;
  // false when it cannot be loaded or, at the top level, has no Name.
  bool LoadEpisodeFile(const std::wstring& file, SEpisodData& out, bool topLevel);
  // The info-code box of the task file (none when element is null).
  virtual int LoadInfoCodeEditBox(const TiXmlElement* element);

  // The chapters by name, as read from the task file.
  std::map<std::wstring, SEpisodData> m_Episods;
  // Item tables by item name; the hidden-object texts by item name.
  std::map<std::wstring, SReplacePredmetInfo> m_ReplacePredmets;
  std::map<std::wstring, SPredmetInfo> m_PushPredmets;
  std::map<std::wstring, SPredmetInfo> m_FreePredmets;
  std::map<std::wstring, SFindPredmetInfo> m_FindPredmets;
  std::map<std::wstring, std::wstring> m_HogPredmetTexts;
};

// Made by the game object at the start of the data load, deleted at its release.
extern CLogic* gLogic;
