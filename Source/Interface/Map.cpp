#include "Interface/Map.h"

#include <algorithm>

#include "Engine/TinyXmlExt/TinyXmlExt.h"
#include "Engine/rovovoz/GUILabel.h"
#include "Engine/rovovoz/GameCore.h"
#include "Engine/rovovoz/MouseCursor.h"
#include "Engine/rovovoz/StaticObject3D.h"
#include "Engine/rovovoz/TriangleObject3D.h"
#include "Engine/zuzorev/InputSystem.h"
#include "Engine/zuzorev/RenderSystem.h"
#include "Interface/HintMenu.h"
#include "Interface/InterfaceHelpers.h"
#include "Platform/Format.h"
#include "Engine/rovovoz/TextManager.h"
#include "GameLog.h"
#include "Levels/BaseLevel.h"
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

CMap::~CMap() = default;

namespace {
std::unique_ptr<rovovoz::CStaticObject3D> LoadPicture(rovovoz::CGameCore* core, const wchar_t* file,
                                                      const std::wstring& name, uint32_t flags) {
  auto model = std::make_unique<rovovoz::CStaticObject3D>(core);
  if (model->LoadModel(file, name, flags, 0) == 0) return nullptr;
  return model;
}
}  // namespace

void CMap::LoadPlaceModels(SPlaceModels& m, const SMapLocation& l) {
  const wchar_t* models = l.Bonus ? L"LHT60_mapCE.ZORM" : L"LHT60_map.ZORM";
  const wchar_t* triggers = l.Bonus ? L"LHT60_mapCE.ZORT" : L"LHT60_map.ZORT";
  m.Model = LoadPicture(GetCore(), models, l.ModelName, 11);
  m.Ef1 = LoadPicture(GetCore(), models, l.ModelName + L"_ef1", 11);
  m.Ef2 = LoadPicture(GetCore(), models, l.ModelName + L"_ef2", 11);
  m.Mark = LoadPicture(GetCore(), models, l.ModelName + L"_vosklznak", 11);
  m.FootBack = LoadPicture(GetCore(), models, l.ModelName + L"_nogiBack", 11);
  m.Trigger = std::make_unique<rovovoz::CTriangleObject3D>(GetCore());
  if (m.Trigger->LoadModel(triggers, l.ModelName + L"_T", 11, 0) < 0) m.Trigger.reset();
}

int32_t CMap::Release(uint32_t flags) {
  mModels.clear();
  mMapBack.reset();
  mMapBackCE.reset();
  for (auto* m : {&mNameRight, &mNameLeft, &mAlphaRight, &mAlphaLeft, &mNameBack}) m->reset();
  for (auto& f : mFootprints) f.reset();
  return rovovoz::CGUIForm::Release(flags);
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
  mModels.clear();
  mMapBack = LoadPicture(GetCore(), L"LHT60_map.ZORM", L"Map_back", flags);
  mMapBackCE = LoadPicture(GetCore(), L"LHT60_mapCE.ZORM", L"Map_back", flags);
  mNameRight = LoadPicture(GetCore(), L"LHT60_map.ZORM", L"Lokaciya_name_right", flags);
  mNameLeft = LoadPicture(GetCore(), L"LHT60_map.ZORM", L"Lokaciya_name_left", flags);
  mAlphaRight = LoadPicture(GetCore(), L"LHT60_map.ZORM", L"Alpha_sprava", flags);
  mAlphaLeft = LoadPicture(GetCore(), L"LHT60_map.ZORM", L"Alpha_sleva", flags);
  mNameBack = LoadPicture(GetCore(), L"LHT60_map.ZORM", L"Lokaciya_name_back", flags);
  for (size_t i = 0; i < mFootprints.size(); ++i)
    mFootprints[i] = LoadPicture(GetCore(), L"LHT60_map.ZORM",
                                 Platform::FormatWide(L"O_nogi_%.2d", static_cast<int>(i) + 1), flags);
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
    mModels.emplace_back();
    if (loc.InMap == 1) LoadPlaceModels(mModels.back(), loc);
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

bool CMap::SceneHasTask(const SMapLocation& location) const {
  if (!mEpisod) return false;
  for (CBaseBack* scene : mEpisod->GetScenes()) {
    auto* level = dynamic_cast<CBaseLevel*>(scene);
    if (level && level->GetBackName() == location.LevelFile && level->HasActiveObjects()) return true;
  }
  return false;
}

void CMap::SetCurrentLocation(const std::wstring& levelFile) {
  for (const SMapLocation& l : mLocations)
    if (l.LevelFile == levelFile && l.InMap != 0) gCurrentPlayer.mLocationName = l.Name;
}

void CMap::Open(CBaseEpisod* episod) {
  SetVisible(1);
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
    SetVisible(0);
    return result;
  }
  return 0;
}

void CMap::SetMapAlpha(float alpha) {
  mAlpha = mPhase * alpha;
  for (rovovoz::CGUIBaseObject* w : {mBClose, mBDnevnik, mLCurrent, mLAction, mLDnevnikText})
    if (w) w->SetAlpha(mAlpha);
  for (rovovoz::CStaticObject3D* sheet : {mMapBack.get(), mMapBackCE.get()})
    if (sheet) sheet->SetAlpha(mAlpha);
  const float a2 = mAlpha * mAlpha;
  for (auto& f : mFootprints)
    if (f) f->SetAlpha(a2);
  for (size_t i = 0; i < mModels.size() && i < mLocations.size(); ++i) {
    SPlaceModels& m = mModels[i];
    for (rovovoz::CStaticObject3D* e : {m.Ef1.get(), m.Ef2.get(), m.Mark.get(), m.FootBack.get()})
      if (e) e->SetAlpha(a2);
    if (m.Model) m.Model->SetAlpha(mLocations[i].Visited ? mAlpha : mAlpha * 0.3f);
  }
}

// Hovering a place the player may go to shows its name; a click travels
// there (or, on the place the player stands in, only closes). True when the
// map and the diary are to close.
bool CMap::UpdatePlaces(float dt, rovovoz::CMouseCursor* cursor) {
  zuzorev::CInputSystem* input = GetCore() ? GetCore()->GetInput() : nullptr;
  for (size_t i = 0; i < mLocations.size() && i < mModels.size(); ++i) {
    SMapLocation& l = mLocations[i];
    rovovoz::CTriangleObject3D* trigger = mModels[i].Trigger.get();
    if (!l.InMap || !l.Visited || !l.Shown || !trigger || !cursor) continue;
    if (!trigger->PickOrthoPointY(cursor->GetPosition3D())) {
      l.Hover = std::max(l.Hover - dt * 10.0f, -1.0f);
      continue;
    }
    const float before = l.Hover;
    l.Hover += dt * 5.0f;
    if (before < 0.0f && l.Hover >= 0.0f && dt != 0.0f)
      ui::PlaySound(GetCore(), L"Poyavlenie_vyplyvayuschego_hinta");
    l.Hover = std::min(l.Hover, 1.01f);
    if (input && input->IsButton(0, zuzorev::kInputUp) && l.AtionBackOpen.size() >= 2) {
      if (!l.Current) mPendingAction = L"a_open_back_" + l.AtionBackOpen;
      ui::PlaySound(GetCore(), L"Zakrytie_dnevnika");
      return true;
    }
  }
  return false;
}

int32_t CMap::Update(float dt, rovovoz::CMouseCursor* cursor) {
  mFootprintTimer -= dt * 1.2f;
  if (mFootprintTimer < 0.0f) mFootprintTimer += 1.0f;
  if (mState != 0) return 0;
  bool blocked = false;
  if (gHintMenu) {
    if (gHintMenu->Update(dt, cursor) < 0 && gHintMenu->GetCheck()) gCurrentPlayer.mTutorialHints = 0;
    blocked = gHintMenu->IsShown() != 0;
  }
  if (UpdatePlaces(dt, cursor)) return 1;
  zuzorev::CInputSystem* input = GetCore() ? GetCore()->GetInput() : nullptr;
  if (mTime > 2.0f && blocked && input && input->IsButton(0, zuzorev::kInputUp)) {
    if (gHintMenu->GetCheck()) gCurrentPlayer.mTutorialHints = 0;
    gHintMenu->CloseHint(1, 0.0f);
  }
  if (blocked) return 0;
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

std::wstring CMap::FindHintPortal(const std::wstring& sceneName, CBaseEpisod* episod) {
  UpdateLocationStates(episod ? episod : mEpisod);
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

void CMap::DrawAt(rovovoz::CStaticObject3D* model, const zormath::Vec3f& at) {
  if (!model) return;
  const zormath::Vec3f home = model->GetPosition3D();
  model->SetPosition3D(at);
  model->Render();
  model->SetPosition3D(home);
}

// The plate first, then the name on it. The masks only write depth (their
// picture is clear), so the band drawn behind them with the depth test
// shows between them only: as wide as the name. The caps close its ends.
void CMap::RenderNamePlate(const SMapLocation& l, const zormath::Vec3f& at, float alpha) {
  const zormath::Vec3f home = mLLocation->GetPosition3D();
  mLLocation->SetText(l.Text);
  mLLocation->SetAlpha(alpha);
  mLLocation->SetPosition3D(at);
  const auto* label = dynamic_cast<const rovovoz::CGUILabel*>(mLLocation);
  const float h = label ? static_cast<float>(label->GetTextWidth()) * 0.5f : 0.0f;
  zuzorev::CRenderSystem* render = GetCore() ? GetCore()->GetRender() : nullptr;
  if (render) render->SetZEnable(1);
  for (auto [mask, x] : {std::pair{mAlphaRight.get(), at.x + h}, std::pair{mAlphaLeft.get(), at.x - h}}) {
    if (!mask) continue;
    const zormath::Vec3f maskHome = mask->GetPosition3D();
    mask->SetPosition3D(x, at.y + 10.0f, at.z);
    mask->RenderTruncateTexture();
    mask->SetPosition3D(maskHome);
  }
  if (mNameBack) {
    mNameBack->SetAlpha(alpha);
    DrawAt(mNameBack.get(), at);
  }
  if (render) render->SetZEnable(0);
  for (auto [cap, x] : {std::pair{mNameRight.get(), at.x + h - 1.0f}, std::pair{mNameLeft.get(), at.x + 1.0f - h}}) {
    if (!cap) continue;
    cap->SetAlpha(alpha);
    DrawAt(cap, zormath::Vec3f(x, at.y + 10.0f, at.z));
  }
  mLLocation->Render();
  mLLocation->SetPosition3D(home);
}

int32_t CMap::Render() {
  if (!GetVisible()) return 0;
  const uint32_t mode = gCurrentPlayer.mGameMode;
  rovovoz::CStaticObject3D* sheet = mode == 1 || mode == 0 || static_cast<int32_t>(mode) == -1 ? mMapBack.get()
                                                                                              : mMapBackCE.get();
  if (sheet) sheet->Render();
  for (rovovoz::CGUIBaseObject* w : {mLCurrent, mLAction})
    if (w) w->Render();
  const int frame = std::clamp(static_cast<int>(mFootprintTimer * 15.999f), 0, 15);
  rovovoz::CStaticObject3D* footprint = mFootprints[static_cast<size_t>(frame)].get();
  const size_t count = std::min(mLocations.size(), mModels.size());
  auto drawn = [&](size_t i) { return mLocations[i].InMap && mLocations[i].Shown; };
  for (size_t i = 0; i < count; ++i)
    if (drawn(i) && mModels[i].Model) mModels[i].Model->Render();
  for (size_t i = 0; i < count; ++i) {
    if (!drawn(i)) continue;
    const SMapLocation& l = mLocations[i];
    if (l.HasTask && mModels[i].Ef1) mModels[i].Ef1->Render();
    if (l.Current && !l.HasTask && mModels[i].Ef2) mModels[i].Ef2->Render();
  }
  for (size_t i = 0; i < count; ++i) {
    if (!drawn(i)) continue;
    const SMapLocation& l = mLocations[i];
    SPlaceModels& m = mModels[i];
    const zormath::Vec3f back = m.FootBack ? m.FootBack->GetPosition3D() : zormath::Vec3f();
    if (l.HasTask && !l.Current && m.FootBack) DrawAt(m.Mark.get(), back);
    if (l.Current && l.HasTask && m.Mark) m.Mark->Render();
    if (l.Current && m.Trigger && m.FootBack) {
      m.FootBack->Render();
      DrawAt(footprint, back);
    }
  }
  for (rovovoz::CGUIBaseObject* w : {mBClose, mBDnevnik, mLDnevnikText})
    if (w) w->Render();
  // The name of the place under the pointer, over its picture.
  for (size_t i = 0; i < count && mLLocation; ++i) {
    const SMapLocation& l = mLocations[i];
    if (!drawn(i) || l.Hover <= 0.01f) continue;
    zormath::Vec3f at = mModels[i].Trigger ? mModels[i].Trigger->GetPosition3D() : zormath::Vec3f();
    at.z += 50.0f;
    RenderNamePlate(l, at, mAlpha * std::min(l.Hover, 1.0f));
  }
  if (gHintMenu) gHintMenu->Render();
  return 0;
}
