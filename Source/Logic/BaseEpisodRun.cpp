// Named actions of the chapter: the chapter's rules and hooks on the shared
// action runner, its scenes taking part, and the condition tests.
#include "Interface/GamePanel.h"
#include "Levels/BaseBack.h"
#include "Logic/BaseEpisod.h"
#include "Platform/Strings.h"
#include "PlayerRecord.h"

CActionRunner::SRules CBaseEpisod::EpisodRunnerRules() {
  CActionRunner::SRules rules;
  rules.ownerLabel = L"EpisodName";
  // A counted run of a chapter action succeeds; an unknown name goes to the
  // scenes and the hook in every mode; a taken block always ends the action.
  rules.countedRunSucceeds = true;
  rules.dryRunSkipsHook = false;
  rules.minusOneRetGoesOn = false;
  return rules;
}

bool CBaseEpisod::CRunnerOwner::FindActionEntry(const std::wstring& name, SLogicActionEntry*& entry) {
  return gCurrentPlayer.mEpisodInfo.mActions.FindAction(name, entry);
}

int32_t CBaseEpisod::CRunnerOwner::ExecuteRecord(SLogicAction& record, int mode, int randomize) {
  return mEpisod.ExecuteAction(record, mode, randomize != 0);
}

int32_t CBaseEpisod::CRunnerOwner::RunActionHook(const std::wstring& name, int mode) {
  return mEpisod.OnAction(name, mode);
}

int32_t CBaseEpisod::CRunnerOwner::TestCondition(const SLogicCondition& condition, const SLogicActionEntry& entry) {
  return mEpisod.CheckCondition(condition, entry) ? 1 : 0;
}

int32_t CBaseEpisod::CRunnerOwner::TestConditionEx(const SLogicCondition& condition,
                                                    const SLogicActionEntry& entry) {
  return mEpisod.CheckConditionEx(condition, entry) ? 1 : 0;
}

std::wstring CBaseEpisod::CRunnerOwner::RunnerOwnerName() const { return mEpisod.GetName(); }

// The chapter's scenes run their own actions of the name first: a scene
// that refuses stops the chapter's run; in a probe with a record the first
// scene that would run it answers.
int32_t CBaseEpisod::CRunnerOwner::RunPeers(const std::wstring& name, int mode, const SLogicAction* query,
                                           int mask) {
  // The scenes may change the chapter's list; walk a copy.
  const std::vector<CBaseBack*> scenes = mEpisod.mScenes;
  for (CBaseBack* scene : scenes) {
    if (!scene) continue;
    const int32_t answer = scene->DoAction(name, mode, const_cast<SLogicAction*>(query), mask);
    if (answer == 0) return 0;
    if (query && mode == kActionModeQuery) return 1;
  }
  return CActionRunner::kPeersGoOn;
}

bool CBaseEpisod::IsActionRunning(const std::wstring& name) const { return mRunner.IsRunning(name); }

int32_t CBaseEpisod::RunAction(const std::wstring& name, int mode, SLogicAction* record, int mask) {
  return mRunner.Run(name, mode, record, mask, true);
}

int32_t CBaseEpisod::RunActionE(const std::wstring& name, int mode, SLogicAction* record, int mask) {
  if (mode != kActionModeQuery && RunActionE(name, kActionModeQuery, nullptr, -1) == 0) return 0;
  return mRunner.Run(name, mode, record, mask, false);
}

int32_t CBaseEpisod::RunBackAction(const std::wstring& scene, const std::wstring& region, const std::wstring& name,
                                   int mode, SLogicAction* record, int mask) {
  if (scene.empty()) return RunAction(name, mode, nullptr, -1);
  CBaseBack* back = FindBack(scene);
  if (!back) return 0;
  return region.empty() ? back->DoAction(name, mode, record, mask)
                        : back->DoActionInRegion(region, name, mode, record, mask);
}

int32_t CBaseEpisod::RunBackActionE(const std::wstring& scene, const std::wstring& region, const std::wstring& name,
                                    int mode, SLogicAction* record, int mask) {
  if (scene.empty()) return RunActionE(name, mode, nullptr, -1);
  CBaseBack* back = FindBack(scene);
  if (!back) return 0;
  return region.empty() ? back->RunActionByName(name, mode, record, mask)
                        : back->RunActionByNameInRegion(region, name, mode, record, mask);
}

int32_t CBaseEpisod::EvalIf(SLogicIf& block, SLogicActionEntry& entry, const std::wstring& blockName,
                            int32_t& result, int mode, SLogicAction* record, int mask) {
  return mRunner.RunBlock(block, entry, blockName, result, mode, record, mask, false);
}

int32_t CBaseEpisod::EvalIfRef(SLogicIf& block, SLogicActionEntry& entry, const std::wstring& blockName,
                               int32_t& result, int mode, SLogicAction* record, int mask) {
  return mRunner.RunBlock(block, entry, blockName, result, mode, record, mask, true);
}

int32_t CBaseEpisod::OnAction(const std::wstring&, int) { return 1; }

bool CBaseEpisod::CheckConditionEx(const SLogicCondition& condition, const SLogicActionEntry& entry) {
  return CheckRefCondition(condition, entry);
}

bool CBaseEpisod::CheckCondition(const SLogicCondition& c, const SLogicActionEntry& entry) {
  using namespace actioncodes;
  // The "No" codes answer the negation of their positive twin.
  bool negate = false;
  const uint32_t code = PositiveConditionCode(c.Code, negate);
  const bool simple = c.Type == kCondTargetSimpleTask;
  const bool task = simple || c.Type == kCondTargetComplexTask;
  bool result = true;
  if (code == kCondVisible && c.Type == kCondTargetObjTri) {
    result = IsSceneTriggerSet(c.par2, c.par3, c.par1);
  } else if (code == kCondVisible && c.Type == kCondTargetObj) {
    result = IsSceneObjectActive(c.par2, c.par3, c.par1);
  } else if (code == kCondVisible && task) {
    result = simple ? IsSimpleTaskVisible(c.par1, c.par2) : IsComplexTaskVisible(c.par1, c.par2);
  } else if (code == kCondOpen && task) {
    result = simple ? IsSimpleTaskOpen(c.par1, c.par2) : IsComplexTaskOpen(c.par1, c.par2);
  } else if (code == kCondDelete && task) {
    result = simple ? IsSimpleTaskDeleted(c.par1, c.par2) : IsComplexTaskDeleted(c.par1, c.par2);
  } else if (code == kCondExist && c.Type == kCondTargetPredmet) {
    result = gCurrentPlayer.HasName(c.par1);
  } else if (code == kCondCountRestKus && c.Type == kCondTargetComplexTask) {
    result = IsPiecesLeftCount(c.par1, c.par2, c.par_i1);
  } else if (code == kCondCursor && c.Type == kCondTargetPredmet) {
    if (gGamePanel) {
      const bool empty = c.par1.empty() || c.par1 == L"Empty";
      result = empty ? gGamePanel->IsCursorEmpty() : gGamePanel->IsCursorName(c.par1);
    }
  } else if (code == kCondUpdate && c.Type == kCondTargetObj) {
    result = IsSceneObjectUpdated(c.par2, c.par3, c.par1);
  } else if (code == kCondRefQual || code == kCondRefNoQual) {
    result = CheckRefCondition(c, entry);
  } else {
    // A pair no test knows holds, also for a "No" code.
    return true;
  }
  return negate ? !result : result;
}
