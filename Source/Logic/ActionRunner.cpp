#include "Logic/ActionRunner.h"

#include <algorithm>

#include "Engine/zorlog/Log.h"
#include "Platform/Random.h"

namespace {

const wchar_t* const kBlockSuffixes[] = {L"_if1",  L"_if2",  L"_if3",  L"_if4",  L"_if5",  L"_if6",
                                         L"_if7",  L"_if8",  L"_if9",  L"_if10", L"_if11", L"_if12",
                                         L"_if13", L"_if14", L"_if15", L"_if16"};
constexpr size_t kNamedBlocks = 15;

// Keeps a name on the running list for the length of a scope.
class CRunningName {
 public:
  CRunningName(std::vector<std::wstring>& list, const std::wstring& name) : mList(list) { mList.push_back(name); }
  ~CRunningName() { mList.pop_back(); }
  CRunningName(const CRunningName&) = delete;
  CRunningName& operator=(const CRunningName&) = delete;

 private:
  std::vector<std::wstring>& mList;
};

}  // namespace

std::wstring ActionBlockName(const std::wstring& action, size_t position) {
  return action + kBlockSuffixes[std::min(position, kNamedBlocks - 1)];
}

bool IsSameAction(const SLogicAction& a, const SLogicAction& b, int mask) {
  const auto m = static_cast<uint32_t>(mask);
  if ((m & 0x1) && a.Operation != b.Operation) return false;
  if ((m & 0x2) && a.Type != b.Type) return false;
  if ((m & 0x4) && a.par1 != b.par1) return false;
  if ((m & 0x8) && a.par2 != b.par2) return false;
  if ((m & 0x10) && a.par3 != b.par3) return false;
  if ((m & 0x20) && a.par4 != b.par4) return false;
  if ((m & 0x40) && a.par_i1 != b.par_i1) return false;
  if ((m & 0x80) && a.par_i2 != b.par_i2) return false;
  if ((m & 0x100) && a.par_i3 != b.par_i3) return false;
  if ((m & 0x200) && a.par_i4 != b.par_i4) return false;
  if ((m & 0x400) && a.par_f1 != b.par_f1) return false;
  if ((m & 0x800) && a.par_f2 != b.par_f2) return false;
  if ((m & 0x1000) && a.par_f3 != b.par_f3) return false;
  if ((m & 0x2000) && a.time != b.time) return false;
  if ((m & 0x4000) && a.time2 != b.time2) return false;
  if ((m & 0x8000) && a.key_tips != b.key_tips) return false;
  return true;
}

uint32_t PositiveConditionCode(uint32_t code, bool& negate) {
  using namespace actioncodes;
  negate = true;
  switch (code) {
    case kCondNoVisible:
    case kCondNoOpen:
    case kCondNoDelete:
    case kCondNoExist: return code - 4;
    case kCondNoUpdate: return kCondUpdate;
    default: negate = false; return code;
  }
}

bool CheckRefCondition(const SLogicCondition& condition, const SLogicActionEntry& entry) {
  if (condition.Code == actioncodes::kCondRefQual) return entry.Ref == condition.par_i1;
  if (condition.Code == actioncodes::kCondRefNoQual) return entry.Ref != condition.par_i1;
  return false;
}

int32_t CActionRunner::IOwner::RunPeers(const std::wstring&, int, const SLogicAction*, int) { return kPeersGoOn; }

bool CActionRunner::IsRunning(const std::wstring& name) const {
  return std::find(mRunning.begin(), mRunning.end(), name) != mRunning.end();
}

void CActionRunner::LogRecursion(const std::wstring& name) const {
  const std::wstring format = std::wstring(L"Recursive action. ") + mRules.ownerLabel + L" = %s ActionName = %s";
  zuzorev::LogMessage(zuzorev::ELogLevel::Error, L"Source/Logic/ActionRunner", __LINE__, format.c_str(),
                      mOwner.RunnerOwnerName().c_str(), name.c_str());
}

bool CActionRunner::AnySame(const std::vector<SLogicAction>& records, const SLogicAction& query, int mask) {
  return std::any_of(records.begin(), records.end(),
                     [&](const SLogicAction& record) { return IsSameAction(record, query, mask); });
}

void CActionRunner::ExecuteAll(const std::wstring& name, std::vector<SLogicAction>& records, int mode) {
  CRunningName running(mRunning, name);
  // A record may run an action that changes nothing of this list, but the
  // index walk keeps it safe should the entry grow.
  for (size_t i = 0; i < records.size(); ++i) mOwner.ExecuteRecord(records[i], mode, 1);
}

int32_t CActionRunner::RunHook(const std::wstring& name, int mode) {
  CRunningName running(mRunning, name);
  return mOwner.RunActionHook(name, mode);
}

int32_t CActionRunner::RunBlock(SLogicIf& block, SLogicActionEntry& entry, const std::wstring& blockName,
                                int32_t& out, int mode, const SLogicAction* query, int mask, bool counted) {
  for (const SLogicCondition& condition : block.Conditions) {
    const int32_t holds = counted ? mOwner.TestConditionEx(condition, entry) : mOwner.TestCondition(condition, entry);
    if (!holds) return 0;
  }
  // The counted variant refuses a recursive block before it takes its Ret.
  if (!counted) out = block.Ret;
  if (IsRunning(blockName)) {
    if (!IsQuiet(mode)) LogRecursion(blockName);
    return 1;
  }
  if (counted) out = block.Ret;
  if (mode == kActionModeQuery) {
    if (!query) return 1;
    out = AnySame(block.Actions, *query, mask) ? 1 : 0;
    return 1;
  }
  ExecuteAll(blockName, block.Actions, mode);
  return 1;
}

int32_t CActionRunner::Run(const std::wstring& name, int mode, const SLogicAction* query, int mask, bool askPeers) {
  if (!query && mode != kActionModeQuery && IsRunning(name)) {
    if (!IsQuiet(mode)) LogRecursion(name);
    return 0;
  }
  const bool probe = mode == kActionModeQuery && query;
  SLogicActionEntry* entry = nullptr;
  if (!mOwner.FindActionEntry(name, entry) || !entry) {
    if (mRules.dryRunSkipsHook) {
      if (probe) return 0;
      if (mode == kActionModeDry) return 1;
    }
    if (askPeers) {
      const int32_t peers = mOwner.RunPeers(name, mode, query, mask);
      if (peers != kPeersGoOn) return peers;
    }
    return RunHook(name, mode);
  }

  if (entry->Ref > 1) {
    int32_t out = -1;
    for (size_t i = 0; i < entry->Ifs.size(); ++i)
      if (RunBlock(entry->Ifs[i], *entry, ActionBlockName(name, i), out, mode, query, mask, true)) break;
    if (mode == kActionModeQuery) {
      if (mRules.countedRunSucceeds && (!query || out == -1)) return 1;
      return query && out != -1 && out == 1 ? 1 : 0;
    }
    --entry->Ref;
    return mRules.countedRunSucceeds ? 1 : 0;
  }

  if (askPeers) {
    const int32_t peers = mOwner.RunPeers(name, mode, query, mask);
    if (peers != kPeersGoOn) return peers;
  }
  int32_t out = -1;
  bool taken = false;
  for (size_t i = 0; i < entry->Ifs.size() && !taken; ++i)
    taken = RunBlock(entry->Ifs[i], *entry, ActionBlockName(name, i), out, mode, query, mask, false) != 0;
  const bool decided = mRules.minusOneRetGoesOn ? out != -1 : taken;
  if (probe && decided) return out == 1 ? 1 : 0;
  if (decided) return out == 0 ? 0 : 1;

  if (probe) return AnySame(entry->Actions, *query, mask) ? 1 : 0;
  if (mode != kActionModeQuery) ExecuteAll(name, entry->Actions, mode);
  if (!(mRules.dryRunSkipsHook && mode == kActionModeDry)) {
    if (RunHook(name, mode) == 0) return 0;
  }
  return entry->Ret != 0 ? 1 : 0;
}

bool CActionRunner::QueueOrAnswer(SLogicAction& record, int mode, bool draw, std::vector<SLogicAction>& queue) {
  if (mode == kActionModeQuery) return true;
  if (draw) {
    const double r = Platform::Random() / 32767.0;
    record.Countdown = static_cast<float>(record.time + record.time2 * r);
  }
  if ((mode == kActionModeNormal || mode == kActionModeFlush) && record.Countdown > 0.0f) {
    queue.push_back(record);
    return true;
  }
  return false;
}

void CActionRunner::UpdateDelayed(std::vector<SLogicAction>& queue, float dt) {
  // The records due in this frame, ordered by countdown; equal countdowns
  // keep their queue order.
  std::vector<SLogicAction> due;
  for (auto it = queue.begin(); it != queue.end();) {
    it->Countdown -= dt;
    if (it->Countdown > 0.0f) {
      ++it;
      continue;
    }
    const float countdown = it->Countdown;
    const auto at = std::find_if(due.begin(), due.end(), [&](const SLogicAction& a) { return a.Countdown > countdown; });
    due.insert(at, std::move(*it));
    it = queue.erase(it);
  }
  bool carried = false;
  for (SLogicAction& record : due) {
    const size_t before = queue.size();
    mOwner.ExecuteRecord(record, kActionModeNormal, 0);
    // What this record queued starts late by as much as the record did.
    for (size_t i = before; i < queue.size(); ++i) queue[i].Countdown += record.Countdown;
    carried = true;
  }
  if (carried) UpdateDelayed(queue, 0.0f);
}

void CActionRunner::FlushDelayed(std::vector<SLogicAction>& queue) {
  constexpr float kNeverDue = 10000.0f;
  std::vector<std::wstring> started;
  while (!queue.empty()) {
    auto next = queue.end();
    for (auto it = queue.begin(); it != queue.end(); ++it)
      if (it->Countdown < kNeverDue && (next == queue.end() || it->Countdown < next->Countdown)) next = it;
    if (next == queue.end()) break;
    SLogicAction record = *next;
    record.Countdown = 0.0f;
    queue.erase(next);
    int mode = kActionModeFlush;
    if (record.Operation == actioncodes::kOperationRun &&
        (record.Type == actioncodes::kTargetAction || record.Type == actioncodes::kTargetActionE)) {
      if (std::find(started.begin(), started.end(), record.par1) != started.end())
        mode = kActionModeFlushRepeat;
      else
        started.push_back(record.par1);
    }
    mOwner.ExecuteRecord(record, mode, 0);
  }
  queue.clear();
}
