#include "Interface/Map.h"

#include <algorithm>

#include "Engine/TinyXmlExt/TinyXmlExt.h"
#include "Engine/rovovoz/GameCore.h"
#include "Engine/rovovoz/TextManager.h"
#include "GameLog.h"
#include "Logic/BaseEpisod.h"
#include "PlayerRecord.h"

namespace {
const wchar_t* const kSource = L"Source/Interface/Map";

bool Clicked(rovovoz::CGUIBaseObject* button, float dt, rovovoz::CMouseCursor* cursor) {
  if (!button) return false;
  button->Update(dt, cursor);
  if (!(button->GetEvent() & 0x10)) return false;
  button->ClearState();
  return true;
}
}  // namespace

CMap::CMap(rovovoz::CGameCore* core, rovovoz::CGUIBaseObject* parent) : rovovoz::CGUIForm(core, parent) {
  SetVisible(0);
}

int32_t CMap::LoadProperty(const TiXmlElement* element, int index, uint32_t flags) {
  mState = 0;
  mPhase = 0.0f;
  const int32_t result = rovovoz::CGUIForm::LoadProperty(element, index, flags);
  mBClose = GetChild(L"BClose");
  mBDnevnik = GetChild(L"BDnevnik");
  mLLocation = GetChild(L"LLocation");
  mLCurrent = GetChild(L"L_tekushayaLokaciya");
  mLAction = GetChild(L"L_LokaciyaDeistviya");
  mLDnevnikText = GetChild(L"L_dnevnikText");
  mLocations.clear();
  if (!element) return result;
  rovovoz::CTextManager* texts = GetCore() ? GetCore()->GetTextManager() : nullptr;
  size_t ignored = 0;
  for (const TiXmlElement* level = IterateChildrenElementUpper(element, "Level", nullptr); level;
       level = IterateChildrenElementUpper(element, "Level", level)) {
    if (mLocations.size() == kMaxLocations) {
      ++ignored;
      continue;
    }
    SMapLocation loc;
    loc.Name = ValueUtf8(FindUpper(level, "Name"));
    loc.ModelName = loc.Name;
    loc.AtionBackOpen = ValueUtf8(FindUpper(level, "AtionBackOpen"));
    if (const TiXmlElement* e = FirstChildElementUpper(level, "InMap")) loc.InMap = IntValue(FindUpper(e, "Value"));
    if (const TiXmlElement* e = FirstChildElementUpper(level, "Bonus")) loc.Bonus = IntValue(FindUpper(e, "Value"));
    if (loc.InMap != 0 && texts) loc.Text = texts->GetText(L"k_map", loc.Name);
    if (const TiXmlElement* e = FirstChildElementUpper(level, "ParentBack"))
      loc.ParentBack = ValueUtf8(FindUpper(e, "Name"));
    for (const TiXmlElement* s = IterateChildrenElementUpper(level, "Sosed", nullptr); s;
         s = IterateChildrenElementUpper(level, "Sosed", s))
      loc.Sosed.push_back({ValueUtf8(FindUpper(s, "Name")), ValueUtf8(FindUpper(s, "Portal"))});
    if (const TiXmlElement* e = FirstChildElementUpper(level, "Model"))
      if (FindUpper(e, "Name")) loc.ModelName = ValueUtf8(FindUpper(e, "Name"));
    loc.LevelFile = L"Data\\Level\\" + loc.Name + L".xml";
    mLocations.push_back(std::move(loc));
  }
  if (ignored)
    gamelog::Warning(kSource, __LINE__, L"Map: only %d places are kept; %d more are ignored.",
                     static_cast<int>(kMaxLocations), static_cast<int>(ignored));
  return result;
}

bool CMap::IsLocationVisited(const std::wstring& name) const {
  for (const SMapLocation& l : mLocations)
    if (l.Name == name) return l.Visited != 0;
  return false;
}

bool CMap::HasTaskAround(const std::wstring& name) const {
  bool task = false;
  for (const SMapLocation& l : mLocations)
    if ((l.Name == name || l.ParentBack == name) && l.HasTask) task = true;
  return task;
}

void CMap::UpdateLocationStates(CBaseEpisod* episod) {
  mEpisod = episod;
  const PlayerRecord& p = gCurrentPlayer;
  for (SMapLocation& l : mLocations) {
    l.Visited = l.HasTask = l.Current = 0;
    l.Shown = 1;
    if (p.mGameMode == 1 && l.Bonus != 0) l.Shown = 0;
    if (p.mGameMode == 2 && l.Bonus == 0) l.Shown = 0;
    l.Visited = std::find(p.mMapLocations.begin(), p.mMapLocations.end(), l.Name) != p.mMapLocations.end();
    l.Current = l.Name == p.mLocationName;
    if (episod && l.Visited && SceneHasTask(l)) l.HasTask = 1;
  }
  for (int pass = 0; pass < 2; ++pass)
    for (SMapLocation& l : mLocations)
      if (l.Visited) l.HasTask = HasTaskAround(l.Name);
}

// The chapter's scenes do not report open tasks yet.
bool CMap::SceneHasTask(const SMapLocation&) const { return false; }

void CMap::SetCurrentLocation(const std::wstring& levelFile) {
  for (const SMapLocation& l : mLocations)
    if (l.LevelFile == levelFile && l.InMap != 0) gCurrentPlayer.mLocationName = l.Name;
}

void CMap::Open(CBaseEpisod* episod) {
  mEpisod = episod;
  gCurrentPlayer.mHintKartaShown = 1;
  for (SMapLocation& l : mLocations) l.Hover = -1.0f;
  mTime = 0.0f;
  mPendingAction.clear();
  UpdateLocationStates(episod);
  mPhase = 0.0f;
  mState = 1;
  UpdateShowAnimation(0.0f);
}

int CMap::UpdateShowAnimation(float dt) {
  mTime += dt;
  if (mState == 1) {
    mPhase += dt * 4.0f;
    if (mPhase > 1.0f) {
      mPhase = 1.0f;
      mState = 0;
    }
    SetMapAlpha(1.0f);
    return 0;
  }
  if (mState == -1 || mState == -2) {
    mPhase -= dt * 2.0f;
    SetMapAlpha(1.0f);
    if (mPhase >= 0.0f) return 0;
    mPhase = 0.0f;
    SetMapAlpha(1.0f);
    const int result = mState == -2 ? 2 : 1;
    mState = 0;
    return result;
  }
  return 0;
}

void CMap::SetMapAlpha(float alpha) {
  mAlpha = mPhase * alpha;
  for (rovovoz::CGUIBaseObject* w : {mBClose, mBDnevnik, mLCurrent, mLAction, mLDnevnikText})
    if (w) w->SetAlpha(mAlpha);
}

int32_t CMap::Update(float dt, rovovoz::CMouseCursor* cursor) {
  if (mState != 0) return 0;
  if (Clicked(mBClose, dt, cursor)) {
    mState = -1;
    return 1;
  }
  if (Clicked(mBDnevnik, dt, cursor)) mState = -2;
  return 0;
}

int CMap::RunPendingAction() {
  if (!mEpisod || mPendingAction.size() < 2) return 0;
  const std::wstring action = mPendingAction;
  mPendingAction.clear();
  mEpisod->RunAction(action, 0, nullptr, -1);
  return 1;
}

std::wstring CMap::FindHintPortal(const std::wstring& sceneName) {
  UpdateLocationStates(mEpisod);
  auto find = [&](const std::wstring& name) -> int {
    int found = -1;
    for (size_t i = 0; i < mLocations.size(); ++i)
      if (mLocations[i].Name == name) found = static_cast<int>(i);
    return found;
  };
  int start = -1;
  for (size_t i = 0; i < mLocations.size(); ++i)
    if (mLocations[i].Name + L".xml" == sceneName) start = static_cast<int>(i);
  if (start < 0) return L"";
  // Every step costs the same, so the search goes out ring by ring.
  std::vector<int> parent(mLocations.size(), -2);
  std::vector<int> open{start};
  parent[static_cast<size_t>(start)] = -1;
  int goal = -1;
  for (size_t at = 0; at < open.size() && goal < 0; ++at) {
    const SMapLocation& here = mLocations[static_cast<size_t>(open[at])];
    for (const SMapNeighbour& n : here.Sosed) {
      if (!IsLocationVisited(n.Name)) continue;
      const int next = find(n.Name);
      if (next < 0 || parent[static_cast<size_t>(next)] != -2) continue;
      parent[static_cast<size_t>(next)] = open[at];
      open.push_back(next);
      if (HasTaskAround(n.Name)) {
        goal = next;
        break;
      }
    }
  }
  if (goal < 0) return L"";
  int step = goal;
  while (parent[static_cast<size_t>(step)] != start) step = parent[static_cast<size_t>(step)];
  for (const SMapNeighbour& n : mLocations[static_cast<size_t>(start)].Sosed)
    if (n.Name == mLocations[static_cast<size_t>(step)].Name) return n.Portal;
  return L"";
}
