#pragma once
// The stages of the hint search, shared by the playable scene, its
// active-object query and the close-up's own search. Each stage gathers the
// entries of one kind of open work in a scene (or close-up) into a pool,
// with a parallel list of names (tip names or item names) where the stage
// shows one; the caller picks one at random and points at it.
//
// An item is open work when the chapter's progress holds its task (under
// the key of the group that holds it) with the value 1.
#include <cstdint>
#include <string>
#include <vector>

class CBaseBack;
struct SLogicAction;

class CHintSearch {
 public:
  // Which usable items the item-table filter keeps.
  enum class EItemFilter { InTable, WithTipText };

  explicit CHintSearch(CBaseBack& back) : mBack(back) {}

  std::vector<int32_t> pool;
  std::vector<std::wstring> names;

  // Items to find: pieces of "find" and "hog" complex items, then "find"
  // and "free" items, each when a click on it would be taken now.
  bool FindItems();
  // Active items of a group; a tip name is required (and kept) or a click
  // test must pass.
  bool ActiveItems(const std::wstring& group, bool needTip, bool clickTest);
  // Active "region" items whose close-up still holds work of the kind; the
  // item's tip name is kept.
  bool RegionItems(const std::wstring& kind);
  // Active "push" items the player carries whose click (when a record is
  // given: a click that would run a record like it) is taken now, simple
  // then complex; those the item table does not keep are dropped.
  bool PushItems(const SLogicAction* record, int mask, EItemFilter filter);
  // Active "sfind" items (the held one too, when asked) and active "spush"
  // items that pass the click test.
  void PickUpAndUse(bool takeHeld, std::vector<int32_t>& sfind, std::vector<std::wstring>& sfindNames,
                    std::vector<int32_t>& spush, std::vector<std::wstring>& spushNames);

  // A random position among n > 0 candidates.
  static size_t Pick(size_t n);
  // The last position of the name in the list, or -1.
  static int LastIndexOf(const std::vector<std::wstring>& list, const std::wstring& name);

  // Display: the beam on an entry; with the tip of its name; with the item
  // scrolled to on the panel.
  void Beam(int32_t entry, int beam = 0);
  void BeamWithTip(size_t k);
  void BeamWithItem(size_t k);

  void Clear() {
    pool.clear();
    names.clear();
  }

 private:
  bool IsActiveSimple(const std::wstring& group, const std::wstring& item, std::wstring* tip = nullptr) const;
  bool Click(int32_t entry, const wchar_t* kind, const std::wstring& group, const std::wstring& item,
             const SLogicAction* record = nullptr, int mask = -1) const;
  // Pieces of an active complex item whose click is taken (all, or the
  // first only).
  void ComplexPieces(const std::wstring& group, bool firstOnly, bool carriedOnly, const SLogicAction* record,
                     int mask);

  CBaseBack& mBack;
};
