// The step list and the step runner: reading Steps.xml, starting each kind
// of step, preparing chapters from their descriptions and erasing the saved
// state of the scenes of a finished chapter.
#include <tinyxml.h>

#include "Engine/TinyXmlExt/TinyXmlExt.h"
#include "Engine/rovovoz/BaseObject.h"
#include "GameLog.h"
#include "GameState.h"
#include "Levels/BaseLevel.h"
#include "Logic/BaseEpisod.h"
#include "Logic/Logic.h"
#include "Logic/LogicFactories.h"
#include "Logic/LogicLists.h"
#include "MiniGame/BaseMiniGame.h"
#include "Platform/Strings.h"
#include "PlayerList.h"
#include "PlayerRecord.h"
#include "Roliki/BaseRolik.h"

namespace {

const wchar_t* const kSource = L"Source/Logic/LogicSteps";
const uint32_t kLoadAll = rovovoz::ZOR_LM_TEXTURES | rovovoz::ZOR_LM_VERTEX;

struct SStepTag {
  const char* tag;
  uint32_t type;
};

const SStepTag kStepTags[] = {
    {"Rolik", kStepRolik},
    {"Level", kStepLevel},
    {"Map", kStepMap},
    {"MiniGame", kStepMiniGame},
};

void SavePlayer() {
  if (gPlayerList) gPlayerList->SavePlayer(gCurrentPlayer);
}

void ReadStepString(const TiXmlElement* element, const char* name, std::wstring& out) {
  if (const TiXmlAttribute* attribute = FindUpper(element, name)) out = ValueUtf8(attribute);
}

}  // namespace

int CLogic::LoadSteps(const std::wstring& file) {
  m_Steps.clear();
  TiXmlDocument document;
  if (!LoadXmlDocument(document, file)) {
    gamelog::Error(kSource, __LINE__, L"Load file xml %s info steps logic.", file.c_str());
    return 0;
  }
  const TiXmlElement* root = RootElementUpper(document, "Steps");
  if (!root) return 1;
  for (const TiXmlElement* child = IterateChildrenElement(root, nullptr); child;
       child = IterateChildrenElement(root, child)) {
    const SStepTag* kind = nullptr;
    for (const SStepTag& tag : kStepTags)
      if (Platform::EqualsNoCase(std::string_view(child->Value()), std::string_view(tag.tag))) kind = &tag;
    if (!kind) continue;
    const TiXmlAttribute* nameStep = FindUpper(child, "NameStep");
    if (!nameStep) continue;
    SLogicStep step;
    step.Type = kind->type;
    step.NameStep = ValueUtf8(nameStep);
    ReadStepString(child, "Name", step.Name);
    ReadStepString(child, "NameState", step.NameState);
    ReadStepString(child, "Value", step.Value);
    ReadStepString(child, "Value2", step.Value2);
    m_Steps.push_back(std::move(step));
  }
  return 1;
}

const SLogicStep* CLogic::GetStep(int index) const {
  return IsStepIndex(index) ? &m_Steps[static_cast<size_t>(index)] : nullptr;
}

void CLogic::NextStep() {
  ++m_TempStep;
  StartStep();
}

void CLogic::StartStep() {
  if (m_TempStep < 0) return;
  // The bonus chapter's steps follow the story's: a player of the story
  // (any mode but the bonus chapter's) is through at the bonus chapter's
  // first step, as past the last step.
  const bool storyOver = m_TempStep < GetStepCount() && gCurrentPlayer.mGameMode != kGameModeBonus &&
                         m_Steps[static_cast<size_t>(m_TempStep)].NameStep == kBonusStepName;
  if (storyOver) m_TempStep = GetStepCount();
  if (m_TempStep >= GetStepCount()) {
    // The story has run out: the player starts over from the main menu.
    gCurrentPlayer.Clear();
    gNextGameState = kStateMainMenu;
    return;
  }
  const SLogicStep& step = m_Steps[static_cast<size_t>(m_TempStep)];
  gCurrentPlayer.mStepName = step.NameStep;
  switch (step.Type) {
    case kStepRolik:
      StartRolikStep(step);
      break;
    case kStepMiniGame:
      SavePlayer();
      if (!StartMiniGame(step.Name)) {
        gamelog::Error(kSource, __LINE__, L"Start mini game %s", step.Name.c_str());
        NextStep();
      }
      break;
    case kStepLevel:
      if (step.NameState == L"InitEpisod")
        StartInitEpisodStep(step);
      else if (step.NameState == L"CalculateEpisod")
        StartCalculateEpisodStep(step);
      break;
    default:
      break;
  }
}

void CLogic::StartRolikStep(const SLogicStep& step) {
  DeleteEpisod();
  m_EpisodName.clear();
  const auto found = gRoliki.find(step.Name);
  if (found == gRoliki.end() || !found->second) {
    NextStep();
    return;
  }
  m_pTempRolik = found->second;
  if (!m_pTempRolik->IsLoaded()) {
    // A description that does not load leaves no clip: the cut-scene counts
    // as played at once and the next frame moves on.
    if (m_pTempRolik->LoadFile(kLoadAll) <= 0) {
      gamelog::Error(kSource, __LINE__, L"Load rolik %s", step.Name.c_str());
      m_State = kStateRolik;
      return;
    }
  } else {
    m_pTempRolik->Load(kLoadAll);
  }
  if (m_pTempRolik->Start() < 0) gamelog::Error(kSource, __LINE__, L"Start rolik %s", step.Name.c_str());
  if (m_pTempRolik->IsHideOnLevel()) gCurrentRolik = m_pTempRolik;
  m_State = kStateRolik;
}

void CLogic::StartInitEpisodStep(const SLogicStep& step) {
  gamelog::Info(kSource, __LINE__, L"InitEpisod");
  DeleteEpisod();
  m_pTempEpisod = CreateEpisod();
  gamelog::Info(kSource, __LINE__, L"NewMemoryEpisod OK");
  if (!m_pTempEpisod) {
    gamelog::Error(kSource, __LINE__, L"%s", L"New memory episod Name = %");
    NextStep();
    return;
  }
  if (!InitEpisod(step.Name)) {
    gamelog::Error(kSource, __LINE__, L"%s", L"Init episod Name = %");
    // A chapter that was not set up must not be started by the next step.
    DeleteEpisod();
  }
  NextStep();
}

void CLogic::StartCalculateEpisodStep(const SLogicStep& step) {
  gamelog::Info(kSource, __LINE__, L"CalculateEpisod");
  if (!m_pTempEpisod) {
    gamelog::Info(kSource, __LINE__, L"pTempEpisod == NULL");
    m_pTempEpisod = CreateEpisod();
    if (!m_pTempEpisod) {
      gamelog::Error(kSource, __LINE__, L"%s", L"New memory episod Name = %");
      NextStep();
      return;
    }
    if (!LoadEpisod(step.Name)) {
      // The chapter cannot be resumed: it must not stay behind half made.
      DeleteEpisod();
      NextStep();
      return;
    }
    gamelog::Info(kSource, __LINE__, L"LoadEpisod OK");
  }
  gamelog::Info(kSource, __LINE__, L"StartEpisod");
  if (!StartEpisod()) {
    gamelog::Error(kSource, __LINE__, L"Start episod %s", step.Name.c_str());
    DeleteEpisod();
    NextStep();
    return;
  }
  gamelog::Info(kSource, __LINE__, L"StartEpisod OK");
}

int CLogic::StartEpisod() {
  if (!m_pTempEpisod) return 0;
  if (!m_pTempEpisod->Start()) {
    gamelog::Error(kSource, __LINE__, L"Start Episod");
    return 0;
  }
  m_State = kStateEpisod;
  return 1;
}

const SEpisodInfo* CLogic::SelectEpisod(const std::wstring& name) {
  if (!m_pTempEpisod) return nullptr;
  gCurrentPlayer.mEpisodName.clear();
  m_EpisodName = name;
  const auto found = m_Episods.find(name);
  if (found == m_Episods.end()) return nullptr;
  gCurrentPlayer.mEpisodName = name;
  return &found->second.Info;
}

int CLogic::InitEpisod(const std::wstring& name) {
  const SEpisodInfo* initial = SelectEpisod(name);
  if (!initial) return 0;
  gCurrentPlayer.mEpisodInfo.Assign(*initial);
  gCurrentPlayer.mItems.clear();
  SavePlayer();
  gamelog::Info(kSource, __LINE__, L"SetInfoPlayer OK");
  if (!m_pTempEpisod->Init()) {
    gamelog::Error(kSource, __LINE__, L"Init Episod %s", name.c_str());
    return 0;
  }
  gamelog::Info(kSource, __LINE__, L"pTempEpisod->Init() OK");
  return 1;
}

int CLogic::LoadEpisod(const std::wstring& name) {
  const SEpisodInfo* initial = SelectEpisod(name);
  if (!initial) return 0;
  SEpisodInfo info = *initial;
  info.CopyScenes(gCurrentPlayer.mEpisodInfo);
  gCurrentPlayer.mEpisodInfo.Assign(info);
  return m_pTempEpisod->InitScenes() ? 1 : 0;
}

std::vector<std::wstring> CLogic::EpisodSceneNames(const std::wstring& name) const {
  std::vector<std::wstring> names;
  const auto found = m_Episods.find(name);
  if (found == m_Episods.end()) return names;
  for (const auto& [scene, counts] : found->second.Info.mBackTasks) {
    (void)counts;
    names.push_back(scene);
  }
  return names;
}

void CLogic::EraseEpisodScenes(int index, bool backward) {
  const SLogicStep* step = GetStep(index);
  if (!step || step->Type != kStepLevel || !Platform::EqualsNoCase(step->NameState, L"CalculateEpisod")) return;
  for (const std::wstring& sceneName : EpisodSceneNames(step->Name)) {
    for (CBaseLevel* scene : gLevels) {
      if (!scene || scene->GetName() != sceneName) continue;
      if (backward)
        scene->ResetSaveState2(0);
      else
        scene->ResetSaveState(0);
      break;
    }
  }
}

void CLogic::CalculateEpisod(int step) { EraseEpisodScenes(step, false); }

void CLogic::CalculateEpisodBackward(int step) { EraseEpisodScenes(step, true); }

void CLogic::SaveCurrentStepName(int leaving) {
  const bool running = m_State == kStateEpisod || m_State == kStateSuspended || m_PrevState == kStateSuspended ||
                       (leaving && m_PrevState == kStateEpisod);
  if (running && m_pTempEpisod) m_pTempEpisod->PrepareSave();
  const SLogicStep* step = GetStep(m_TempStep);
  gCurrentPlayer.mStepName = step ? step->NameStep : std::wstring();
  SavePlayer();
}

void CLogic::ClearInfoLogicPlayer() {
  m_TempStep = -1;
  m_EpisodName.clear();
  gCurrentPlayer.mEpisodName.clear();
  gCurrentPlayer.mStepName.clear();
  gCurrentPlayer.mBackSaves.clear();
  gCurrentPlayer.mItems.clear();
  gCurrentPlayer.mNameValues.clear();
}

int CLogic::StartMiniGame(const std::wstring& name) {
  m_pTempMiniGame = nullptr;
  for (CBaseMiniGame* game : gMiniGames) {
    if (!game || !Platform::EqualsNoCase(game->GetName(), name)) continue;
    m_pTempMiniGame = game;
    game->Load(kLoadAll);
    game->Start();
    m_State = kStateMiniGame;
    return 1;
  }
  return 0;
}
