#pragma once
// The episode's action entries as the player's progress keeps them: the
// episode's own actions, and per back its actions and those of each of its
// regions. The entries are whole copies of the script's actions, so their
// Ref counters live (and are saved) with the player; the file keeps only
// each entry's Name and Ref.
#include <map>
#include <string>

#include "Logic/LogicAction.h"

class ProfileReader;
class ProfileWriter;

struct SSaveMapPair {
  SActionMap Actions;                          // the back's own actions
  std::map<std::wstring, SActionMap> Regions;  // each region's actions
};

class SMarkTree {
 public:
  SActionMap Actions;  // the episode's own actions
  std::map<std::wstring, SSaveMapPair> Backs;

  void Clear();

  // Lookups by exact name; the found entry can be changed in place.
  bool FindAction(const std::wstring& name, SLogicActionEntry*& entry);
  bool FindInGroup(const std::wstring& back, const std::wstring& name, SLogicActionEntry*& entry);
  bool FindInRegionGroup(const std::wstring& back, const std::wstring& region, const std::wstring& name,
                         SLogicActionEntry*& entry);

  // True when an action's name begins with the prefix and, when a second
  // name is given (not empty), the first occurrence of that name after the
  // prefix stands between "_" and "_" or the end of the name.
  bool FindName(const std::wstring& prefix, const std::wstring& secondName = std::wstring()) const;

  // For actions named prefix..._a_b: when a or b equals the name, gives the
  // other one. Searches the episode's actions, then each back's actions and
  // its regions' actions, all in key order; true at the first hit.
  bool FindNameValue(const std::wstring& prefix, const std::wstring& name, std::wstring& value) const;

  // Merge of saved progress into fresh script data: every action of this
  // tree that the saved tree holds at the same place takes the saved Ref.
  void TakeRefsFrom(const SMarkTree& saved);

  // The action tree block of the profile file.
  bool Write(ProfileWriter& out) const;
  bool Read(ProfileReader& in);
  static bool WriteActionMap(ProfileWriter& out, const SActionMap& actions);
  static bool ReadActionMap(ProfileReader& in, SActionMap& actions);
};
