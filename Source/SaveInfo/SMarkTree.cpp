#include "SaveInfo/SMarkTree.h"

#include <vector>

#include "Platform/Strings.h"
#include "SaveInfo/ProfileStream.h"

namespace {

constexpr size_t kActionBytes = kLongNameField + kLongNameField + 4;
// Name, action count and region count: the least a back takes in the file.
constexpr size_t kBackMinBytes = kLongNameField + 8;
constexpr size_t kRegionMinBytes = kLongNameField + 4;

// Visits the episode's action map, then per back (in key order) its own map
// and its regions' maps; stops at the first visit that answers true.
template <class Visit>
bool AnyActionMap(const SMarkTree& tree, Visit visit) {
  if (visit(tree.Actions)) return true;
  for (const auto& [back, pair] : tree.Backs) {
    if (visit(pair.Actions)) return true;
    for (const auto& [region, actions] : pair.Regions)
      if (visit(actions)) return true;
  }
  return false;
}

bool BeginsWith(const std::wstring& text, const std::wstring& prefix) {
  return text.size() >= prefix.size() && text.compare(0, prefix.size(), prefix) == 0;
}

// The pair search over one map: an action named prefix..._a_b (a run of "_"
// counts as one) gives b for the name a, or a for the name b.
bool FindPairValue(const SActionMap& actions, const std::wstring& prefix, const std::wstring& name,
                   std::wstring& value) {
  std::vector<std::wstring> parts;
  for (const auto& [action, entry] : actions) {
    if (!BeginsWith(action, prefix)) continue;
    const size_t separator = action.find(L'_', prefix.size());
    if (separator == std::wstring::npos) continue;
    Platform::SplitString(std::wstring_view(action).substr(separator + 1), L"_", parts);
    if (parts.size() != 2) continue;
    if (parts[0] == name) {
      value = parts[1];
      return true;
    }
    if (parts[1] == name) {
      value = parts[0];
      return true;
    }
  }
  return false;
}

void TakeRefs(SActionMap& fresh, const SActionMap& saved) {
  for (auto& [name, entry] : fresh) {
    const auto found = saved.find(name);
    if (found != saved.end()) entry.Ref = found->second.Ref;
  }
}

}  // namespace

void SMarkTree::Clear() {
  Actions.clear();
  Backs.clear();
}

bool SMarkTree::FindAction(const std::wstring& name, SLogicActionEntry*& entry) {
  const auto found = Actions.find(name);
  if (found == Actions.end()) return false;
  entry = &found->second;
  return true;
}

bool SMarkTree::FindInGroup(const std::wstring& back, const std::wstring& name, SLogicActionEntry*& entry) {
  const auto pair = Backs.find(back);
  if (pair == Backs.end()) return false;
  const auto found = pair->second.Actions.find(name);
  if (found == pair->second.Actions.end()) return false;
  entry = &found->second;
  return true;
}

bool SMarkTree::FindInRegionGroup(const std::wstring& back, const std::wstring& region, const std::wstring& name,
                                  SLogicActionEntry*& entry) {
  const auto pair = Backs.find(back);
  if (pair == Backs.end()) return false;
  const auto actions = pair->second.Regions.find(region);
  if (actions == pair->second.Regions.end()) return false;
  const auto found = actions->second.find(name);
  if (found == actions->second.end()) return false;
  entry = &found->second;
  return true;
}

bool SMarkTree::FindName(const std::wstring& prefix, const std::wstring& secondName) const {
  return AnyActionMap(*this, [&](const SActionMap& actions) {
    for (const auto& [action, entry] : actions) {
      if (!BeginsWith(action, prefix)) continue;
      if (secondName.empty()) return true;
      const size_t at = action.find(secondName, prefix.size());
      if (at == std::wstring::npos || at == 0 || action[at - 1] != L'_') continue;
      const size_t end = at + secondName.size();
      if (end == action.size() || action[end] == L'_') return true;
    }
    return false;
  });
}

bool SMarkTree::FindNameValue(const std::wstring& prefix, const std::wstring& name, std::wstring& value) const {
  return AnyActionMap(*this, [&](const SActionMap& actions) { return FindPairValue(actions, prefix, name, value); });
}

void SMarkTree::TakeRefsFrom(const SMarkTree& saved) {
  TakeRefs(Actions, saved.Actions);
  for (auto& [back, pair] : Backs) {
    const auto savedPair = saved.Backs.find(back);
    if (savedPair == saved.Backs.end()) continue;
    TakeRefs(pair.Actions, savedPair->second.Actions);
    for (auto& [region, actions] : pair.Regions) {
      const auto savedActions = savedPair->second.Regions.find(region);
      if (savedActions != savedPair->second.Regions.end()) TakeRefs(actions, savedActions->second);
    }
  }
}

bool SMarkTree::WriteActionMap(ProfileWriter& out, const SActionMap& actions) {
  if (!out.PutCount(actions.size())) return false;
  return ForEachInFileOrder(actions, [&](const std::wstring& key, const SLogicActionEntry& entry) {
    return out.PutText(key, kLongNameField) && out.PutText(entry.Name, kLongNameField) &&
           out.PutU32(static_cast<uint32_t>(entry.Ref));
  });
}

bool SMarkTree::ReadActionMap(ProfileReader& in, SActionMap& actions) {
  actions.clear();
  size_t count = 0;
  if (!in.GetCount(count, kActionBytes)) return false;
  for (size_t i = 0; i < count; ++i) {
    std::wstring key;
    SLogicActionEntry entry;  // Ret 1, no blocks or records: the script data brings them back
    uint32_t ref = 0;
    if (!in.GetText(key, kLongNameField) || !in.GetText(entry.Name, kLongNameField) || !in.GetU32(ref)) return false;
    entry.Ref = static_cast<int32_t>(ref);
    actions.emplace(key, std::move(entry));
  }
  return true;
}

bool SMarkTree::Write(ProfileWriter& out) const {
  if (!WriteActionMap(out, Actions) || !out.PutCount(Backs.size())) return false;
  return ForEachInFileOrder(Backs, [&](const std::wstring& back, const SSaveMapPair& pair) {
    if (!out.PutText(back, kLongNameField) || !WriteActionMap(out, pair.Actions) || !out.PutCount(pair.Regions.size()))
      return false;
    return ForEachInFileOrder(pair.Regions, [&](const std::wstring& region, const SActionMap& actions) {
      return out.PutText(region, kLongNameField) && WriteActionMap(out, actions);
    });
  });
}

bool SMarkTree::Read(ProfileReader& in) {
  Clear();
  size_t backs = 0;
  if (!ReadActionMap(in, Actions) || !in.GetCount(backs, kBackMinBytes)) return false;
  for (size_t b = 0; b < backs; ++b) {
    std::wstring back;
    SSaveMapPair pair;
    size_t regions = 0;
    if (!in.GetText(back, kLongNameField) || !ReadActionMap(in, pair.Actions) || !in.GetCount(regions, kRegionMinBytes))
      return false;
    for (size_t r = 0; r < regions; ++r) {
      std::wstring region;
      SActionMap actions;
      if (!in.GetText(region, kLongNameField) || !ReadActionMap(in, actions)) return false;
      pair.Regions.emplace(region, std::move(actions));
    }
    Backs.emplace(back, std::move(pair));
  }
  return true;
}
