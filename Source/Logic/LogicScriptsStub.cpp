// Stand-ins for the loaders of the chapter files, the task file and the item
// tables, so that the story logic builds and runs on its own: each reports
// success with nothing loaded.
#include "Logic/Logic.h"

int CLogic::LoadPredmets(const std::wstring&) { return 1; }

int CLogic::LoadHogPredmets(const std::wstring&) { return 1; }

int CLogic::LoadSadanies(const std::wstring&) { return 1; }

int CLogic::ReloadSadanies(const std::wstring&) { return 1; }
