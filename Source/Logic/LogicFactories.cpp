#include "Logic/LogicFactories.h"

#include <new>

#include "Game.h"
#include "Levels/BaseLevel.h"
#include "Levels/Level1.h"
#include "Levels/Puzzles/Level_04_MG_01.h"
#include "Levels/Puzzles/Level_05_MG_02.h"
#include "Levels/Puzzles/Level_41_MG_01.h"
#include "Logic/BaseEpisod.h"
#include "MiniGame/BaseMiniGame.h"
#include "Platform/Strings.h"
#include "Regions/BaseRegion.h"
#include "Roliki/BaseRolik.h"
#include "Roliki/RolikFinal.h"

namespace {

// A file name and the class its scene or close-up gets. A class that is not
// built yet is made as the base class of its kind, so the story plays the
// same before and after it comes; its row names the class it will be.
template <class TBase>
struct SClassRow {
  const wchar_t* file;
  const wchar_t* className;
  TBase* (*make)();
};

template <class T, class TBase = T>
TBase* Make() {
  return new (std::nothrow) T();
}

using SBackRow = SClassRow<CBaseLevel>;
using SRegionRow = SClassRow<CBaseRegion>;

const SBackRow kBackRows[] = {
    {L"Back_1.xml", L"CLevel_1", &Make<CLevel_1, CBaseLevel>},
    {L"Back_4.xml", L"CLevel_4", &Make<CBaseLevel>},
    {L"Back_4_MG3.xml", L"CLevel_04_MG_01", &Make<CLevel_04_MG_01, CBaseLevel>},
    {L"Back_5.xml", L"CLevel_5", &Make<CBaseLevel>},
    {L"Back_5_Hog.xml", L"CBack_5_Hog", &Make<CBaseLevel>},
    {L"Back_05_MG1.xml", L"CLevel_05_MG_02", &Make<CLevel_05_MG_02, CBaseLevel>},
    {L"Back_6_MG18.xml", L"CLevel_06_MG_18", &Make<CBaseLevel>},
    {L"Back_8.xml", L"CLevel_8", &Make<CBaseLevel>},
    {L"Back_8_dialog.xml", L"CDialog_8", &Make<CBaseLevel>},
    {L"Back_12.xml", L"CLevel_12", &Make<CBaseLevel>},
    {L"Back_12_MG4.xml", L"CLevel_12_MG_04", &Make<CBaseLevel>},
    {L"Back_13_MG11.xml", L"CLevel_13_MG_11", &Make<CBaseLevel>},
    {L"Back_16.xml", L"CLevel_16", &Make<CBaseLevel>},
    {L"Back_17.xml", L"CLevel_17", &Make<CBaseLevel>},
    {L"Back_17_MG5.xml", L"CLevel_17_MG_05", &Make<CBaseLevel>},
    {L"Back_18.xml", L"CLevel_18", &Make<CBaseLevel>},
    {L"Back_19.xml", L"CLevel_19", &Make<CBaseLevel>},
    {L"Back_19_MG2.xml", L"CLevel_19_MG_06", &Make<CBaseLevel>},
    {L"Back_19_MG7.xml", L"CLevel_19_MG_07", &Make<CBaseLevel>},
    {L"Back_20_MG9.xml", L"CLevel_20_MG_09", &Make<CBaseLevel>},
    {L"Back_21_MG8.xml", L"CLevel_21_MG_08", &Make<CBaseLevel>},
    {L"Back_22_MG6.xml", L"CLevel_22_MG_06", &Make<CBaseLevel>},
    {L"Back_23.xml", L"CLevel_23", &Make<CBaseLevel>},
    {L"Back_23_MG10.xml", L"CLevel_23_MG_10", &Make<CBaseLevel>},
    {L"Back_24_MG16.xml", L"CLevel_24_MG_16", &Make<CBaseLevel>},
    {L"Back_25_MG12.xml", L"CLevel_25_MG_12", &Make<CBaseLevel>},
    {L"Back_26_MG13.xml", L"CLevel_26_MG_13", &Make<CBaseLevel>},
    {L"Back_21.xml", L"CLevel_21", &Make<CBaseLevel>},
    {L"Back_27.xml", L"CLevel_27", &Make<CBaseLevel>},
    {L"Back_24_Hog.xml", L"CBack_24_Hog", &Make<CBaseLevel>},
    {L"Back_28_MG14.xml", L"CLevel_28_MG_14", &Make<CBaseLevel>},
    {L"Back_30_MG15.xml", L"CLevel_30_MG_15", &Make<CBaseLevel>},
    {L"Back_31.xml", L"CLevel_31", &Make<CBaseLevel>},
    {L"Back_41.xml", L"CLevel_41", &Make<CBaseLevel>},
    {L"Back_41_MG1.xml", L"CLevel_41_MG_01", &Make<CLevel_41_MG_01, CBaseLevel>},
    {L"Back_45_MG2.xml", L"CLevel_45_MG2", &Make<CBaseLevel>},
    {L"Back_48_MG3.xml", L"CLevel_48_MG3", &Make<CBaseLevel>},
    {L"Back_53_Hog.xml", L"CBack_53_Hog", &Make<CBaseLevel>},
    {L"Back_55_MG19.xml", L"CLevel_55_MG19", &Make<CBaseLevel>},
    {L"Back_51_MG4.xml", L"CLevel_51_MG4", &Make<CBaseLevel>},
};

const SRegionRow kRegionRows[] = {
    {L"Back_1_reg_4.xml", L"CRegion_1_4", &Make<CBaseRegion>},
    {L"Back_7_reg_2.xml", L"CRegion_7_2", &Make<CBaseRegion>},
    {L"Back_8_reg_1.xml", L"CRegion_8_1", &Make<CBaseRegion>},
    {L"Back_8_reg_2.xml", L"CRegion_8_2", &Make<CBaseRegion>},
    {L"Back_8_reg_5.xml", L"CRegion_8_5", &Make<CBaseRegion>},
    {L"Back_11_reg_3.xml", L"CRegion_11_3", &Make<CBaseRegion>},
    {L"Back_18_reg_2.xml", L"CRegion_18_2", &Make<CBaseRegion>},
    {L"Back_18_reg_3.xml", L"CRegion_18_3", &Make<CBaseRegion>},
    {L"Back_18_reg_4.xml", L"CRegion_18_4", &Make<CBaseRegion>},
    {L"Back_19_reg_3.xml", L"CRegion_19_3", &Make<CBaseRegion>},
    {L"Back_21_reg_2.xml", L"CRegion_21_2", &Make<CBaseRegion>},
    {L"Back_23_reg_1.xml", L"CRegion_23_1", &Make<CBaseRegion>},
    {L"Back_25_reg_2.xml", L"CRegion_25_2", &Make<CBaseRegion>},
    {L"Back_29_reg_3.xml", L"CRegion_29_3", &Make<CBaseRegion>},
    {L"Back_31_reg_1.xml", L"CRegion_31_1", &Make<CBaseRegion>},
};

// The first row whose file name equals the name ignoring ASCII case.
template <class TRow, size_t N>
const TRow* FindRow(const TRow (&rows)[N], const std::wstring& fileName) {
  for (const TRow& row : rows)
    if (Platform::EqualsNoCase(row.file, fileName)) return &row;
  return nullptr;
}

EpisodFactory gEpisodFactory = nullptr;

}  // namespace

CBaseLevel* CreateBack(const std::wstring& fileName) {
  const SBackRow* row = FindRow(kBackRows, fileName);
  return row ? row->make() : Make<CBaseLevel>();
}

CBaseRegion* CreateRegion(const std::wstring& fileName) {
  const SRegionRow* row = FindRow(kRegionRows, fileName);
  return row ? row->make() : Make<CBaseRegion>();
}

std::wstring BackClassName(const std::wstring& fileName) {
  const SBackRow* row = FindRow(kBackRows, fileName);
  return row ? row->className : L"CBaseLevel";
}

std::wstring RegionClassName(const std::wstring& fileName) {
  const SRegionRow* row = FindRow(kRegionRows, fileName);
  return row ? row->className : L"CBaseRegion";
}

CBaseEpisod* CreateEpisod() { return gEpisodFactory ? gEpisodFactory() : new (std::nothrow) CBaseEpisod(); }

void SetEpisodFactoryForTests(EpisodFactory factory) { gEpisodFactory = factory; }

CBaseMiniGame* CreateMiniGame(const std::wstring& name) {
  CBaseMiniGame* game = new (std::nothrow) CBaseMiniGame(gGameCore);
  if (game) game->SetName(name);
  return game;
}

std::wstring RolikClassName(const std::wstring& name) {
  // Compared exactly: only this spelling is the final cut-scene.
  return name == L"rolik_10_loop" ? L"CRolikFinal" : L"CBaseRolik";
}

CBaseRolik* CreateRolik(const std::wstring& name, const std::wstring& file) {
  if (RolikClassName(name) == L"CRolikFinal") return new (std::nothrow) CRolikFinal(gGameCore, name, file);
  return new (std::nothrow) CBaseRolik(gGameCore, name, file);
}
