#pragma once
// The program-wide lists of every scene, close-up, mini-game and cut-scene
// object, filled once at start from their list files and released by the
// story logic. Scenes and close-ups carry their file name as their object
// name, mini-games and cut-scenes their data name.
#include <map>
#include <string>
#include <vector>

class CBaseLevel;
class CBaseRegion;
class CBaseMiniGame;
class CBaseRolik;
namespace rovovoz {
class CDialogManager;
class CGUIForm;
}  // namespace rovovoz

extern std::vector<CBaseLevel*> gLevels;
extern std::vector<CBaseRegion*> gRegions;
// The frame every close-up is drawn in.
extern rovovoz::CGUIForm* gRegionForm;
extern std::vector<CBaseMiniGame*> gMiniGames;
// Cut-scenes by name (exact comparison).
extern std::map<std::wstring, CBaseRolik*> gRoliki;
// The character-dialog manager (made by the story logic; may be null).
extern rovovoz::CDialogManager* gDialogManager;

// Deletes every object of the four lists and the close-up frame.
void ReleaseLogicLists();
