// Typed developer words: "hog <scene> <item>" opens a hidden-object scene
// by the table below, every first word runs "a_open_back_" + that word, the
// scene may take the words, and "win" finishes a running mini-game.
#include "Engine/rovovoz/GManagerAmbientSound.h"
#include "Levels/BaseLevel.h"
#include "Logic/BaseEpisod.h"
#include "MiniGame/BaseMiniGame.h"
#include "Platform/Strings.h"

namespace {

struct SHogCommand {
  const wchar_t* scene;
  const wchar_t* item;
  const wchar_t* openItem;
  const wchar_t* openScene;
};

constexpr SHogCommand kHogCommands[] = {
    {L"5", L"1", L"a_open_hog_Kistochka", L"a_open_hog_05"},
    {L"5", L"2", L"a_open_hog_Lampochka", L"a_open_hog_05"},
    {L"5", L"3", L"a_open_hog_Kniga", L"a_open_hog_05"},
    {L"8", L"1", L"a_open_hog_Kusachki", L"a_open_hog_08"},
    {L"8", L"2", L"a_open_hog_KlyuchTreugol", L"a_open_hog_08"},
    {L"8", L"3", L"a_open_hog_Teleskop", L"a_open_hog_08"},
    {L"10", L"1", L"a_open_hog_Brevna", L"a_open_hog_10"},
    {L"10", L"2", L"a_open_hog_Nojovka", L"a_open_hog_10"},
    {L"10", L"3", L"a_open_hog_Roza", L"a_open_hog_10"},
    {L"11", L"1", L"a_open_hog_Shishka", L"a_open_hog_11"},
    {L"11", L"2", L"a_open_hog_Lampa", L"a_open_hog_11"},
    {L"11", L"3", L"a_open_hog_Girki", L"a_open_hog_11"},
    {L"17", L"1", L"a_open_hog_Pincet", L"a_open_hog_17"},
    {L"17", L"2", L"a_open_hog_Ugol", L"a_open_hog_17"},
    {L"18", L"1", L"a_open_hog_Plastinka", L"a_open_hog_18"},
    {L"18", L"2", L"a_open_hog_Parovozik", L"a_open_hog_18"},
    {L"21", L"1", L"a_open_hog_Lopata", L"a_open_hog_21"},
    {L"21", L"2", L"a_open_hog_Udochka", L"a_open_hog_21"},
    {L"22", L"1", L"a_open_hog_Shesternya", L"a_open_hog_22"},
    {L"22", L"2", L"a_open_hog_Kamushek", L"a_open_hog_22"},
    {L"24", L"1", L"a_open_hog_Kartina", L"a_open_hog_24"},
    {L"24", L"2", L"a_open_hog_Korablik", L"a_open_hog_24"},
    {L"25", L"1", L"a_open_hog_Igla", L"a_open_hog_25"},
    {L"25", L"2", L"a_open_hog_Lestnica", L"a_open_hog_25"},
    {L"28", L"1", L"a_open_hog_Muka", L"a_open_hog_28"},
    {L"28", L"2", L"a_open_hog_Kislota", L"a_open_hog_28"},
    {L"30", L"1", L"a_open_hog_Oreh", L"a_open_hog_30"},
    {L"30", L"2", L"a_open_hog_Richag", L"a_open_hog_30"},
    {L"43", L"1", L"a_open_hog_Molot", L"a_open_hog_43"},
    {L"46", L"1", L"a_open_hog_Rogatka", L"a_open_hog_46"},
    {L"46", L"2", L"a_open_hog_Kirka", L"a_open_hog_46"},
    {L"53", L"1", L"a_open_hog_Molotochek", L"a_open_hog_53"},
    {L"53", L"2", L"a_open_hog_Otvertka", L"a_open_hog_53"},
    {L"51", L"1", L"a_open_hog_Klyuch", L"a_open_hog_51"},
    {L"51", L"2", L"a_open_hog_SadNojnicy", L"a_open_hog_51"},
};

}  // namespace

bool CBaseEpisod::OpenHog(const std::vector<std::wstring>& words) {
  if (words.empty()) return false;
  if (words.size() >= 3 && words[0] == L"hog") {
    for (const SHogCommand& row : kHogCommands) {
      if (words[1] != row.scene || words[2] != row.item) continue;
      RunAction(row.openItem, 0, nullptr, -1);
      RunAction(row.openScene, 0, nullptr, -1);
    }
  }
  RunAction(L"a_open_back_" + words[0], 0, nullptr, -1);
  if (mState == kStateScene && mCurrentScene) {
    // A playable scene takes the words through its own word commands.
    if (CBaseLevel* level = CurrentLevel()) return level->HandleWordCommand(words) != 0;
    return mCurrentScene->HandleWordCommand(words) != 0;
  }
  if (mState == kStateMiniGame && mCurrentMiniGame && Platform::EqualsNoCase(words[0], L"win")) {
    FinishMiniGame(true);
  }
  return false;
}
