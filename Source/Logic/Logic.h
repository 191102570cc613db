#pragma once

// The story logic: loads every logic table and scene list at start, walks
// the steps, and owns the current episode.
//
// Operations are spread over files by what they do: Logic.cpp (life cycle,
// the per-frame update and drawing, fades), LogicSteps.cpp (the step list
// and starting steps), LogicLists.cpp (the lists of scenes, close-ups,
// mini-games and cut-scenes), LogicLookups.cpp (look-ups, re-initialisation,
// dialogs, the info-code box) and LogicDebug.cpp (developer commands and
// the reload).
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "Logic/EpisodData.h"
#include "Logic/ItemRecords.h"
#include "Logic/LogicAction.h"
#include "Logic/LogicStep.h"
#include "SaveInfo/SEpisodInfo.h"

class TiXmlElement;
class CBaseEpisod;
class CBaseMiniGame;
class CBaseRegion;
class CBaseRolik;
namespace rovovoz {
class CBaseObject;
class CGUIEditBox;
class CMouseCursor;
}  // namespace rovovoz

class CLogic {
 public:
  // Logic states.
  enum : int32_t {
    kStateNone = 0x0FFFFFFF,
    kStateRolik = 1,
    kStateEpisod = 3,
    kStateMiniGame = 4,
    kStateEnter = 5,
    kStateFadeOut = 6,
    kStateLeave = 7,
    kStateSuspended = 8,
    kStateBackToMenu = 9,
  };

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
  // The character-dialog manager (gDialogManager); 1, or E_FAIL when its
  // file does not load (the manager stays).
  virtual int LoadDialogs();
  virtual int LoadSadanies(const std::wstring& file);

  // The scene hint text of an item (empty for a name that is no item).
  virtual std::wstring FindItemText(const std::wstring& item) const;
  // The item record of that name in the item table, or none.
  virtual const SPredmetInfo* StdPredmetMapFind(const std::wstring& name) const;
  // The mini-game of that name (ignoring case), or none.
  virtual CBaseMiniGame* FindMiniGame(const std::wstring& name) const;
  // The close-up of that name (ignoring case), or none.
  CBaseRegion* FindRegion(const std::wstring& name) const;

  // Starts or continues the story at the current player's saved step;
  // non-zero while the story runs, 0 when it did not start.
  virtual int Play();
  // After a display re-initialisation; 1.
  virtual int ReInit();
  virtual void Render();
  // Resumes what a menu interrupted.
  virtual void ResumeCurrent();
  // Stores the current step's name in the current player's record and saves
  // the player; leaving (non-zero) when the player leaves the story.
  virtual void SaveCurrentStepName(int leaving);
  // Leaves the story for the main menu: fade to black, save, fade back.
  virtual void StopEpisod();
  // Per-frame story logic; may request the pause menu (10), extras over the
  // game (102) or the main menu (0).
  virtual void Update(float dt, rovovoz::CMouseCursor* cursor);
  // The suspended episode alone (behind a menu).
  virtual void UpdateEpisod(float dt);

  // ---- steps ----------------------------------------------------------------
  int GetStepCount() const { return static_cast<int>(m_Steps.size()); }
  // The step at that index; none outside the list.
  const SLogicStep* GetStep(int index) const;
  void NextStep();
  void StartStep();
  // Ends what the state runs (cut-scene, episode or mini-game); the state
  // itself stays.
  void EndCurrent();
  int StartEpisod();
  int InitEpisod(const std::wstring& name);
  int LoadEpisod(const std::wstring& name);
  // Erases the saved state of the scenes of the chapter that a
  // CalculateEpisod step at that index finished.
  void CalculateEpisod(int step);
  void CalculateEpisodBackward(int step);
  void ClearInfoLogicPlayer();
  int StartMiniGame(const std::wstring& name);

  // ---- fade over the whole screen --------------------------------------------
  void StartFadeIn();
  void StartFadeOut();
  // True while the fade runs.
  bool UpdateFade(float dt);
  void RenderFade();

  // ---- dialogs, info-code box, developer commands ---------------------------
  // The info-code box from the task file's EditBox element (null: none).
  void LoadInfoCodeEditBox(const TiXmlElement* element);
  // Developer key chords and the typed command line (game state 8 and cheats
  // on only); non-zero when the frame is to stop.
  int HandleDebugKeys(float dt, rovovoz::CMouseCursor* cursor);
  bool ReadDebugKey(std::wstring& command);
  int ExecuteDebugCommand(const std::wstring& text, bool typed);
  // selector: a step kind or kStepAnyType; direction +1, 0 or -1.
  void JumpToStep(uint32_t selector, int direction);
  void GoToNamedStep(uint32_t type, const std::wstring& name);
  void GoToEpisod(const std::wstring& name);
  void GoToRolik(const std::wstring& name);
  // Re-reads the chapter files and restarts the running chapter.
  void ReloadLogic();

  // Drops everything loaded.
  void Release();

  // ---- state (read by the game and by tests) --------------------------------
  int32_t GetState() const { return m_State; }
  int32_t GetPrevState() const { return m_PrevState; }
  int32_t GetTempStep() const { return m_TempStep; }
  const std::wstring& GetEpisodName() const { return m_EpisodName; }
  CBaseEpisod* GetEpisod() const { return m_pTempEpisod; }
  CBaseMiniGame* GetTempMiniGame() const { return m_pTempMiniGame; }
  CBaseRolik* GetTempRolik() const { return m_pTempRolik; }
  rovovoz::CGUIEditBox* GetInfoCodeBox() const { return m_pInfoCodeBox; }
  float GetFadeAlpha() const { return m_FadeAlpha; }

 private:
  bool IsStepIndex(int index) const { return index >= 0 && index < GetStepCount(); }
  void DeleteEpisod();
  // The first steps of preparing a chapter: its name becomes the loaded one
  // and, when the chapter is known, the player's; its initial progress, or
  // none when there is no chapter object or no such chapter.
  const SEpisodInfo* SelectEpisod(const std::wstring& name);
  void StartRolikStep(const SLogicStep& step);
  void StartInitEpisodStep(const SLogicStep& step);
  void StartCalculateEpisodStep(const SLogicStep& step);
  // Scene names of a chapter: the keys of its initial per-scene task map.
  std::vector<std::wstring> EpisodSceneNames(const std::wstring& name) const;
  void EraseEpisodScenes(int step, bool backward);
  // The step the jumps look for: matching the selector and not a
  // CalculateEpisod step.
  bool IsJumpTarget(int index, uint32_t selector) const;
  void JumpTo(int target, int from, bool backward);

  std::vector<SLogicStep> m_Steps;
  int32_t m_TempStep = -1;
  std::wstring m_EpisodName;
  CBaseEpisod* m_pTempEpisod = nullptr;
  int32_t m_State = kStateNone;
  int32_t m_PrevState = kStateNone;
  rovovoz::CGUIEditBox* m_pInfoCodeBox = nullptr;
  CBaseMiniGame* m_pTempMiniGame = nullptr;
  CBaseRolik* m_pTempRolik = nullptr;
  rovovoz::CBaseObject* m_pFadeForm = nullptr;
  float m_FadeAlpha = 0.0f;
  int32_t m_FadeDir = 0;

 public:
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
