// Named actions of the scene: the scene's rules and hooks on the shared
// action runner, the condition tests, and the delayed-record queue.
#include "Interface/GamePanel.h"
#include "Levels/BaseBack.h"
#include "Logic/BaseEpisod.h"
#include "Platform/Strings.h"
#include "PlayerRecord.h"

CActionRunner::SRules CBaseBack::SceneRunnerRules() {
  CActionRunner::SRules rules;
  rules.ownerLabel = L"BackName";
  rules.countedRunSucceeds = false;
  rules.dryRunSkipsHook = true;
  rules.minusOneRetGoesOn = true;
  return rules;
}

bool CBaseBack::CRunnerOwner::FindActionEntry(const std::wstring& name, SLogicActionEntry*& entry) {
  return mBack.FindAction(name, entry);
}

int32_t CBaseBack::CRunnerOwner::ExecuteRecord(SLogicAction& record, int mode, int randomize) {
  return mBack.ExecuteAction(record, mode, randomize);
}

int32_t CBaseBack::CRunnerOwner::RunActionHook(const std::wstring& name, int mode) { return mBack.OnAction(name, mode); }

int32_t CBaseBack::CRunnerOwner::TestCondition(const SLogicCondition& condition, const SLogicActionEntry& entry) {
  return mBack.CheckCondition(condition, entry);
}

int32_t CBaseBack::CRunnerOwner::TestConditionEx(const SLogicCondition& condition, const SLogicActionEntry& entry) {
  return mBack.CheckConditionEx(condition, entry);
}

std::wstring CBaseBack::CRunnerOwner::RunnerOwnerName() const { return mBack.GetName(); }

bool CBaseBack::IsActionRunning(const std::wstring& name) const { return mRunner.IsRunning(name); }

int32_t CBaseBack::DoAction(const std::wstring& name, int mode, SLogicAction* record, int mask) {
  return RunActionByName(name, mode, record, mask);
}

int32_t CBaseBack::RunActionByName(const std::wstring& name, int mode, SLogicAction* record, int mask) {
  return mRunner.Run(name, mode, record, mask);
}

int32_t CBaseBack::RunAction(SLogicIf& block, SLogicActionEntry& entry, const std::wstring& blockName, int32_t& out,
                             int mode, SLogicAction* record, int mask) {
  return mRunner.RunBlock(block, entry, blockName, out, mode, record, mask, false);
}

int32_t CBaseBack::RunActionEx(SLogicIf& block, SLogicActionEntry& entry, const std::wstring& blockName,
                               int32_t& out, int mode, SLogicAction* record, int mask) {
  return mRunner.RunBlock(block, entry, blockName, out, mode, record, mask, true);
}

int32_t CBaseBack::CheckConditionEx(const SLogicCondition& condition, const SLogicActionEntry& entry) {
  return CheckRefCondition(condition, entry) ? 1 : 0;
}

int32_t CBaseBack::CheckCondition(const SLogicCondition& c, const SLogicActionEntry& entry) {
  using namespace actioncodes;
  // The "No" codes answer the negation of their positive twin.
  bool negate = false;
  const uint32_t code = PositiveConditionCode(c.Code, negate);
  // An object of this scene (par2 and par3 empty), of one of its close-ups
  // (par3) or of another scene of the chapter (par2).
  auto objectTest = [&](bool (CBaseBack::*here)(const std::wstring&),
                        bool (CBaseBack::*inRegion)(const std::wstring&, const std::wstring&),
                        bool (CBaseEpisod::*elsewhere)(const std::wstring&, const std::wstring&,
                                                        const std::wstring&)) {
    if (!c.par2.empty()) return mEpisod ? (mEpisod->*elsewhere)(c.par2, c.par3, c.par1) : false;
    if (!c.par3.empty()) return (this->*inRegion)(c.par3, c.par1);
    return (this->*here)(c.par1);
  };
  auto taskTest = [&](bool (CBaseEpisod::*simple)(const std::wstring&, const std::wstring&),
                      bool (CBaseEpisod::*complex)(const std::wstring&, const std::wstring&)) {
    if (!mEpisod) return false;
    return c.Type == kCondTargetSimpleTask ? (mEpisod->*simple)(c.par1, c.par2) : (mEpisod->*complex)(c.par1, c.par2);
  };
  const bool isTask = c.Type == kCondTargetSimpleTask || c.Type == kCondTargetComplexTask;
  bool result = true;
  if (code == kCondVisible && c.Type == kCondTargetObjTri) {
    result = objectTest(&CBaseBack::IsObjectParamCSet, &CBaseBack::IsObjectParamCSetInRegion,
                        &CBaseEpisod::IsSceneTriggerSet);
  } else if (code == kCondVisible && c.Type == kCondTargetObj) {
    result = objectTest(&CBaseBack::IsObjectActive, &CBaseBack::IsObjectActiveInRegion,
                        &CBaseEpisod::IsSceneObjectActive);
  } else if (code == kCondVisible && isTask) {
    result = taskTest(&CBaseEpisod::IsSimpleTaskVisible, &CBaseEpisod::IsComplexTaskVisible);
  } else if (code == kCondOpen && isTask) {
    result = taskTest(&CBaseEpisod::IsSimpleTaskOpen, &CBaseEpisod::IsComplexTaskOpen);
  } else if (code == kCondDelete && isTask) {
    result = taskTest(&CBaseEpisod::IsSimpleTaskDeleted, &CBaseEpisod::IsComplexTaskDeleted);
  } else if (code == kCondExist && c.Type == kCondTargetPredmet) {
    result = gCurrentPlayer.HasName(c.par1);
  } else if (code == kCondCountRestKus && c.Type == kCondTargetComplexTask) {
    result = mEpisod ? mEpisod->IsPiecesLeftCount(c.par1, c.par2, c.par_i1) : false;
  } else if (code == kCondCursor && c.Type == kCondTargetPredmet) {
    if (gGamePanel) {
      const bool empty = c.par1.empty() || Platform::EqualsNoCase(c.par1, L"Empty");
      result = empty ? gGamePanel->IsCursorEmpty() : gGamePanel->IsCursorName(c.par1);
    }
  } else if (code == kCondUpdate && c.Type == kCondTargetObj) {
    result = objectTest(&CBaseBack::IsObjectRotating, &CBaseBack::IsObjectRotatingInRegion,
                        &CBaseEpisod::IsSceneObjectUpdated);
  } else if (code == kCondRefQual || code == kCondRefNoQual) {
    result = CheckRefCondition(c, entry);
  } else {
    // A pair no test knows holds, also for a "No" code.
    return 1;
  }
  return (negate ? !result : result) ? 1 : 0;
}

void CBaseBack::UpdateDelayedActions(float dt) { mRunner.UpdateDelayed(mDelayedActions, dt); }

void CBaseBack::FlushDelayedActions() { mRunner.FlushDelayed(mDelayedActions); }
