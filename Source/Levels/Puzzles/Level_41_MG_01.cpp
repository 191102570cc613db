#include "Levels/Puzzles/Level_41_MG_01.h"

#include <cmath>

#include "Engine/rovovoz/MouseCursor.h"
#include "Engine/rovovoz/TriangleObject3D.h"
#include "Levels/ObjectEntry.h"

namespace {

constexpr const wchar_t* kDrawEntry = L"S_HLuna5_01";
constexpr const wchar_t* kModels[] = {L"S_HLuna5_01", L"S_HLuna1_03", L"S_HLuna3_05", L"S_HLuna9_07", L"S_HLuna7_09"};
constexpr const wchar_t* kHighlighted[] = {L"S_HLunaNajata5_01", L"S_HLunaNajata1_03", L"S_HLunaNajata3_05",
                                           L"S_HLunaNajata9_07", L"S_HLunaNajata7_09"};
constexpr float kPi = 3.1415927f;

}  // namespace

const int CLevel_41_MG_01::kSolved[kMoons] = {1, 2, 0, 4, 3};
const int CLevel_41_MG_01::kPartners[kMoons][2] = {{2, 3}, {3, 4}, {4, 0}, {0, 1}, {1, 2}};

CLevel_41_MG_01::CLevel_41_MG_01() : CPuzzleLevel(*FindPuzzleRules(L"CLevel_41_MG_01")) {}

bool CLevel_41_MG_01::IsPartner(int first, int point) {
  if (first < 0 || first >= kMoons) return false;
  return kPartners[first][0] == point || kPartners[first][1] == point;
}

int32_t CLevel_41_MG_01::LoadBack(CBaseEpisod* episod, CBaseBack* owner) {
  mRunning = 0;
  return CBaseLevel::LoadBack(episod, owner);
}

void CLevel_41_MG_01::OnBackStart() {
  mTimer = 0.0f;
  for (int p = 0; p < kMoons; ++p) mOrder[p] = p;
  mFirst = mSecond = -1;
  for (int k = 0; k < kMoons; ++k) {
    SMoon& moon = mMoons[k];
    moon.model = FindPiece(kModels[k]);
    moon.highlighted = FindPiece(kHighlighted[k]);
    if (moon.model) moon.point = moon.model->GetPosition3D();
    moon.trigger = FindTrigger(PieceName(L"T_Luna%i", 2 * k + 1));
    moon.highlight = 0;
  }
  mState = kWaiting;
}

void CLevel_41_MG_01::OnStart() { SetObjectParamA(kDrawEntry, 1); }

void CLevel_41_MG_01::OnSkip() {
  for (int p = 0; p < kMoons; ++p) PlaceMoon(kSolved[p], mMoons[p].point);
  for (SMoon& moon : mMoons)
    if (moon.model) moon.model->SetAlpha(0.0f);
  for (int n = 1; n <= kMoons; ++n) RunNumbered(L"a_change_effect_B45MG1_0%i", n);
  mTimer = 0.0f;
  mState = kSkipFade;
}

void CLevel_41_MG_01::OnPuzzleAction(const std::wstring& name) {
  if (name != L"a_test_endB45_MG01") return;
  for (int p = 0; p < kMoons; ++p)
    if (mOrder[p] != kSolved[p]) return;
  Win();
}

void CLevel_41_MG_01::RunNumbered(const wchar_t* pattern, int number) { RunPuzzleAction(PieceName(pattern, number)); }

bool CLevel_41_MG_01::ClickPoint(int p) {
  mSecond = p;
  mMoons[mOrder[p]].highlight = 1;
  if (mFirst < 0) {
    RunNumbered(L"a_star_effectB45MG1_0%i", p + 1);
    PlaySound(L"47_Vydelyaem_pervuyu_lunu");
    return true;
  }
  if (IsPartner(mFirst, p)) {
    mState = kExchanging;
    RunNumbered(L"a_change_effect_B45MG1_0%i", mFirst + 1);
    RunNumbered(L"a_change_effect_B45MG1_0%i", p + 1);
    PlaySound(L"47_Klikaem_po_vtoroi_lune");
  } else {
    RunNumbered(L"a_wrong_effect_B45MG1_0%i", p + 1);
    mState = kWrongChoice;
    PlaySound(L"47_Klikaem_po_toi_je_samoi_lune");
  }
  RunPuzzleAction(L"a_stop_star_all_effectB42");
  return false;
}

void CLevel_41_MG_01::PlaceMoon(int k, const zormath::Vec3f& at) {
  SMoon& moon = mMoons[k];
  if (!moon.model || !moon.highlighted) return;
  moon.model->SetPosition3D(at);
  moon.highlighted->SetPosition3D(at);
}

void CLevel_41_MG_01::StepExchange(float dt) {
  if (mFirst < 0 || mSecond < 0) {
    mState = kWaiting;
    return;
  }
  const int a = mOrder[mFirst], b = mOrder[mSecond];
  const zormath::Vec3f& pf = mMoons[mFirst].point;
  const zormath::Vec3f& ps = mMoons[mSecond].point;
  mTimer += dt;
  if (mTimer < 1.0f) {
    const float e = (1.0f - std::cos(kPi * mTimer)) * 0.5f;
    PlaceMoon(a, pf * (1.0f - e) + ps * e);
    PlaceMoon(b, ps * (1.0f - e) + pf * e);
    return;
  }
  PlaceMoon(a, ps);
  PlaceMoon(b, pf);
  mState = kWaiting;
  mMoons[a].highlight = 0;
  mMoons[b].highlight = 0;
  mTimer = 0.0f;
  mOrder[mSecond] = a;
  mOrder[mFirst] = b;
  mFirst = -1;
  RunPuzzleAction(L"a_test_endB45_MG01");
}

void CLevel_41_MG_01::UpdatePuzzle(float dt, rovovoz::CMouseCursor* cursor) {
  for (int p = 0; p < kMoons; ++p) {
    if (mState != kWaiting || !IsUnderCursor(mMoons[p].trigger, cursor)) continue;
    cursor->SetCursor(2, 0);
    if (IsButton(0, 1) && ClickPoint(p)) mFirst = p;
  }
  if (mState == kWrongChoice) {
    mTimer += dt;
    if (mTimer > 1.0f) {
      mTimer = 0.0f;
      if (mFirst >= 0) mMoons[mOrder[mFirst]].highlight = 0;
      if (mSecond >= 0) mMoons[mOrder[mSecond]].highlight = 0;
      mFirst = -1;
      mState = kWaiting;
    }
  } else if (mState == kExchanging) {
    StepExchange(dt);
  } else if (mState == kSkipFade) {
    mTimer += dt;
    if (mTimer >= 1.0f) {
      mRunning = 0;
      mTimer = 0.0f;
    } else {
      for (SMoon& moon : mMoons)
        if (moon.model) moon.model->SetAlpha(mTimer);
    }
  }
}

bool CLevel_41_MG_01::DrawsEntry(const SObjectEntry& entry) const { return entry.mModelName == kDrawEntry; }

void CLevel_41_MG_01::DrawPuzzle(SObjectEntry&) {
  for (SMoon& moon : mMoons) {
    if (!moon.model || !moon.highlighted) continue;
    (moon.highlight ? moon.highlighted : moon.model)->Render();
  }
}
