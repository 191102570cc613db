#pragma once
// What the menus showed in one turn of a play: the screen state, the menu
// on top, and what the player has chosen so far. The walk-through plays
// record one look per turn and check each step of the walk by them.
#include <algorithm>
#include <string>
#include <vector>

#include "Game.h"
#include "GameState.h"
#include "Interface/BonusDisableMenu.h"
#include "Interface/CreditsMenu.h"
#include "Interface/Dnevnik.h"
#include "Interface/EscMenu.h"
#include "Interface/ExitMenu.h"
#include "Interface/ExtrasMenu.h"
#include "Interface/Map.h"
#include "Interface/OptionsMenu.h"
#include "Interface/SelectDifficulty.h"
#include "Interface/UserDeleteMenu.h"
#include "Interface/UserMenu.h"
#include "Interface/UserNameMenu.h"
#include "Engine/rovovoz/GUICheckBox.h"
#include "Engine/rovovoz/GUIListBox.h"
#include "Platform/Strings.h"
#include "PlayerRecord.h"

namespace menuwalk {

struct SMenuLook {
  int state = 0;
  // The menu on top ("" none): "exit", "difficulty", "map", "diary",
  // "pause", "options", "credits", "extras", "locked", "players", "name",
  // "delete".
  std::string top;
  // The menu on top stands still (its opening or closing has ended).
  bool idle = false;
  std::wstring player;
  uint32_t difficulty = 0;
  uint32_t tutorialHints = 0;
  uint32_t cursorOption = 0;
  size_t notes = 0;
  float soundVolume = 0.0f;
  int cursorBox = -1;  // the options' cursor box (-1: no box)
  int extrasTab = -1;
  int creditsPage = -1;
  bool mapOff = false;     // the diary's map button is off here
  std::wstring location;  // the player's place on the map
  std::vector<std::wstring> listed;  // the player list's rows
};

inline bool Idle(const CMenuFrame* menu) { return menu && menu->GetShowState() == 0; }

inline SMenuLook LookAtMenus() {
  SMenuLook look;
  look.state = gGameState;
  auto put = [&](const char* name, bool idle) {
    if (look.top.empty()) {
      look.top = name;
      look.idle = idle;
    }
  };
  if (gExitMenuShown) put("exit", Idle(gExitMenu));
  if (gSelectDifficultyMenu && gSelectDifficultyMenu->GetVisible()) put("difficulty", Idle(gSelectDifficultyMenu));
  // The map shows inside the diary; after a journey by it the diary closes
  // and the map is not drawn, though it still counts itself visible.
  if (gMap && gMap->GetVisible() && gDnevnik && gDnevnik->GetPhase() > 0.0f && gDnevnik->IsMapShown())
    put("map", gMap->GetState() == 0);
  if (gDnevnik && gDnevnik->GetPhase() > 0.0f) put("diary", gDnevnik->GetPhase() >= 1.0f);
  if (gBonusDisableMenu && gBonusDisableMenu->GetVisible()) put("locked", Idle(gBonusDisableMenu));
  if (gExtrasMenu && gExtrasMenu->GetVisible()) put("extras", Idle(gExtrasMenu));
  switch (gGameState) {
    case kStatePauseMenu: put("pause", Idle(gEscMenu)); break;
    case kStateOptions: put("options", Idle(gOptionsMenu)); break;
    case kStateCredits: put("credits", Idle(gCreditsMenu)); break;
    case kStateUserMenu: put("players", Idle(gUserMenu)); break;
    case kStateUserName:
    case kStateUserNameFromPlay:
    case kStateUserNameNoPlayer: put("name", Idle(gUserNameMenu)); break;
    case kStateUserDelete: put("delete", Idle(gUserDeleteMenu)); break;
    default: break;
  }
  look.player = gCurrentPlayer.mName;
  look.difficulty = gCurrentPlayer.mDifficulty;
  look.tutorialHints = gCurrentPlayer.mTutorialHints;
  look.cursorOption = gCurrentPlayer.mGameCursor;
  look.notes = gCurrentPlayer.mNotePages.size();
  look.mapOff = gMapDisabled != 0;
  look.location = gCurrentPlayer.mLocationName;
  look.soundVolume = gSoundVolume;
  if (gOptionsMenu)
    if (auto* box = dynamic_cast<rovovoz::CGUICheckBox*>(gOptionsMenu->GetChild(L"CheckCursor")))
      look.cursorBox = box->GetCheck();
  if (gExtrasMenu && gExtrasMenu->GetVisible()) look.extrasTab = gExtrasMenu->GetTab();
  if (gCreditsMenu && gGameState == kStateCredits) look.creditsPage = gCreditsMenu->GetPage();
  if (gUserMenu && gUserMenu->GetList())
    for (int i = 0; i < gUserMenu->GetList()->GetCount(); ++i) look.listed.push_back(gUserMenu->GetList()->GetItemText(i));
  return look;
}

// The turns in which `top` came on top and stood still, in order.
inline std::vector<size_t> OpenedAt(const std::vector<SMenuLook>& looks, const std::string& top) {
  std::vector<size_t> at;
  for (size_t i = 1; i < looks.size(); ++i)
    if (looks[i].top == top && looks[i].idle && !(looks[i - 1].top == top && looks[i - 1].idle)) at.push_back(i);
  return at;
}

// Where the walk went: each change of state or of the menu on top.
inline std::string MenuTrail(const std::vector<SMenuLook>& looks) {
  std::string trail;
  for (size_t i = 0; i < looks.size(); ++i) {
    if (i > 0 && looks[i].state == looks[i - 1].state && looks[i].top == looks[i - 1].top) continue;
    trail += "\n  turn " + std::to_string(i) + ": state " + std::to_string(looks[i].state) + " menu \"" +
             looks[i].top + "\" player \"" + Platform::WideToUtf8(looks[i].player) + "\"";
    if (looks[i].top == "players")
      for (const std::wstring& name : looks[i].listed) trail += " [" + Platform::WideToUtf8(name) + "]";
  }
  return trail;
}

}  // namespace menuwalk
