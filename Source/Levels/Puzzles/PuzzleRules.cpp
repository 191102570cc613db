#include "Levels/Puzzles/PuzzleRules.h"

#include <iterator>

namespace {

using enum ESkipKind;

const SPuzzleRules kRules[] = {
    {L"Back_4_MG3.xml", L"CLevel_04_MG_01", L"a_start_minigame_b4mg1", L"a_end_minigame_b4mg1", L"a_skip", L"OK_01",
     false, ByFrames, false},
    {L"Back_05_MG1.xml", L"CLevel_05_MG_02", L"a_start_minigame_b5mg2", L"a_end_minigame_b5mg2", L"a_skip", L"OK_3",
     false, ByFrames, true},
    {L"Back_6_MG18.xml", L"CLevel_06_MG_18", L"a_b6mg18_start", L"a_b6mg18_complete", L"a_skip", nullptr, false,
     ByFrames, true},
    {L"Back_12_MG4.xml", L"CLevel_12_MG_04", nullptr, L"a_b12_mg4_complete", L"a_skip", nullptr, false, ByFrames,
     true},
    {L"Back_13_MG11.xml", L"CLevel_13_MG_11", L"a_OpenStartMG11", L"a_b13_mg11_complete", L"a_skip", nullptr, false,
     ByFrames, true},
    {L"Back_17_MG5.xml", L"CLevel_17_MG_05", nullptr, L"a_end_minigame_b17mg5", L"a_skip", nullptr, false, ByFrames,
     true},
    {L"Back_19_MG2.xml", L"CLevel_19_MG_06", L"a_start_minigame_b19mg6", L"a_end_minigame_b19mg6", L"a_skip",
     L"OK_2", true, ByFrames, true},
    {L"Back_19_MG7.xml", L"CLevel_19_MG_07", nullptr, L"a_b19_mg7_complete", L"a_skip", nullptr, false, ByFrames,
     true},
    {L"Back_20_MG9.xml", L"CLevel_20_MG_09", L"a_startMG09", L"a_pre_WinMG09", nullptr, nullptr, false, None, true},
    {L"Back_21_MG8.xml", L"CLevel_21_MG_08", nullptr, L"a_b21mg8_minigame_end", L"a_skip", nullptr, false, ByFrames,
     true},
    {L"Back_22_MG6.xml", L"CLevel_22_MG_06", nullptr, L"a_b22_mg6_complete", L"a_skip", nullptr, false, EndAtOnce,
     true},
    {L"Back_23_MG10.xml", L"CLevel_23_MG_10", L"a_start_minigame_b23mg10", L"a_end_minigame_b23mg10", L"a_skip",
     nullptr, false, ByFrames, true},
    {L"Back_24_MG16.xml", L"CLevel_24_MG_16", nullptr, L"a_b24_mg16_complete", L"a_skip", nullptr, false, ByFrames,
     true},
    {L"Back_25_MG12.xml", L"CLevel_25_MG_12", L"a_start_mg12", L"a_MG12_end", nullptr, nullptr, false, None, true},
    {L"Back_26_MG13.xml", L"CLevel_26_MG_13", L"a_enable_mg_26", L"a_b26_mg_13_End_Mini_Game", L"a_skip", nullptr,
     false, ByFrames, true},
    {L"Back_28_MG14.xml", L"CLevel_28_MG_14", nullptr, L"a_b28mg14_minigame_end", L"a_skip", nullptr, false,
     ByFrames, true},
    {L"Back_30_MG15.xml", L"CLevel_30_MG_15", nullptr, L"a_b30_mg15_complete", L"a_skip", nullptr, false, ByFrames,
     true},
    {L"Back_41_MG1.xml", L"CLevel_41_MG_01", L"a_startMG01CE", L"a_B45MG01_complete", L"a_skipMG01CE", nullptr,
     false, OwnEnding, true},
    {L"Back_45_MG2.xml", L"CLevel_45_MG2", L"a_start_minigame_b45mg2", L"a_minigame_final_effect_b45mg2", L"a_skip",
     nullptr, false, ByFrames, true},
    {L"Back_48_MG3.xml", L"CLevel_48_MG3", L"a_startB48MG3", L"a_end_B48MG3", L"a_skipB48MG3", nullptr, false,
     EndAtOnce, true},
    {L"Back_51_MG4.xml", L"CLevel_51_MG4", L"a_start_b51_mg4", L"a_final_b51mg4", L"a_skip", nullptr, false,
     ByFrames, true},
    {L"Back_55_MG19.xml", L"CLevel_55_MG19", L"B55MG19Start", L"winMG19", L"a_skip", nullptr, false, ByFrames, true},
};

}  // namespace

const SPuzzleRules* PuzzleRulesTable(size_t& count) {
  count = std::size(kRules);
  return kRules;
}

const SPuzzleRules* FindPuzzleRules(const std::wstring& className) {
  for (const SPuzzleRules& rules : kRules)
    if (className == rules.className) return &rules;
  return nullptr;
}
