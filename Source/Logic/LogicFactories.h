#pragma once
// Class factories by data name: a scene or close-up class by its file name,
// a cut-scene class by its name. Each only allocates and constructs; null
// when the allocation fails.
#include <string>

class CBaseLevel;
class CBaseRegion;
class CBaseEpisod;
class CBaseMiniGame;
class CBaseRolik;

CBaseLevel* CreateBack(const std::wstring& fileName);
CBaseRegion* CreateRegion(const std::wstring& fileName);
CBaseEpisod* CreateEpisod();
// The frame carries the mini-game's name, so that the steps and the scenes
// find it by name.
CBaseMiniGame* CreateMiniGame(const std::wstring& name);
CBaseRolik* CreateRolik(const std::wstring& name, const std::wstring& file);

// The class a scene or close-up file name makes (its class name; the base
// class's name for a name no class of its own claims).
std::wstring BackClassName(const std::wstring& fileName);
std::wstring RegionClassName(const std::wstring& fileName);
std::wstring RolikClassName(const std::wstring& name);

// Tests: what CreateEpisod makes instead of a CBaseEpisod (null: the real one).
using EpisodFactory = CBaseEpisod* (*)();
void SetEpisodFactoryForTests(EpisodFactory factory);
