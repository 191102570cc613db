// The hidden-object list: its rows from the chapter's complex set, the
// counter, found pieces taken off and their names flying to the rows.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "Engine/rovovoz/GUILabel.h"
#include "Engine/rovovoz/StaticObject3D.h"
#include "GameLog.h"
#include "Interface/GamePanel.h"
#include "Logic/BaseEpisod.h"

int gPanelSlotCount = 8;

namespace {

const wchar_t* const kSource = L"GamePanel";
constexpr uint32_t kMarked = 0xFF000000u;
constexpr uint32_t kUnmarked = 0xFF800000u;

std::wstring RowText(const std::wstring& text, size_t piecesLeft) {
  if (piecesLeft < 2) return text;
  return text + L" (" + std::to_wstring(piecesLeft) + L")";
}

}  // namespace

void CGamePanel::LoadHogLabels() {
  for (int i = 0; i < static_cast<int>(mHogRows.size()); ++i) {
    wchar_t name[32];
    std::swprintf(name, 32, L"L_Hog_L%i", i + 1);
    mHogRows[static_cast<size_t>(i)].Label = Child<rovovoz::CGUILabel>(name);
  }
  mLMoveText = Child<rovovoz::CGUILabel>(L"L_MoveText");
}

void CGamePanel::SetComplexHogList(const std::wstring& setName) {
  mComplexHogName = setName;
  std::vector<SComplexHogItem> items;
  if (mEpisod) mEpisod->GetComplexHogItems(items, setName);
  if (items.empty()) {
    gamelog::Error(kSource, __LINE__, L"Invalid complex object hog %s", setName.c_str());
    return;
  }
  int left = 0;
  for (const SComplexHogItem& item : items)
    if ((item.Row != 0 && !item.Pieces.empty()) || (item.Row == 0 && item.Pieces.empty())) ++left;
  if (mLOstalos) mLOstalos->SetText(mOstalosCaption + L" " + std::to_wstring(left));

  for (int r = 0; r < static_cast<int>(mHogRows.size()); ++r) {
    SHogListRow& row = mHogRows[static_cast<size_t>(r)];
    row.Found = 1;
    row.Pieces.clear();
    row.ObjectName.clear();
    if (row.Label) row.Label->SetText(L"");
    // A row shows the item placed on it that still has pieces to find: an
    // item whose pieces are all found keeps its row number after the place
    // went to the next item, and must not come back over it (nor stand in
    // an empty place as if it were still to find).
    for (const SComplexHogItem& item : items) {
      if (item.Row != r + 1 || item.Pieces.empty()) continue;
      row.ObjectName = L"THK_" + item.Name;
      if (!item.Pieces.empty()) {
        wchar_t suffix[16];
        std::swprintf(suffix, 16, L"_%.2d", item.Pieces.front());
        row.ObjectName += suffix;
      }
      const bool marked = !mEpisod || mEpisod->IsHogObjectMarked(row.ObjectName);
      if (row.Label) row.Label->SetColor(marked ? kMarked : kUnmarked);
      row.Text = item.Name;
      row.Found = 0;
      row.Pieces = item.Pieces;
      row.Alpha = item.Alpha;
      if (row.Label) row.Label->SetText(RowText(row.Text, row.Pieces.size()));
    }
  }
}

bool CGamePanel::RemoveComplexPiece(const std::wstring& setName, int piece, rovovoz::CBaseGeometryObject* object) {
  if (setName != mComplexHogName) return false;
  for (int r = 0; r < static_cast<int>(mHogRows.size()); ++r) {
    SHogListRow& row = mHogRows[static_cast<size_t>(r)];
    auto it = std::find(row.Pieces.begin(), row.Pieces.end(), piece);
    if (it == row.Pieces.end()) continue;
    row.Pieces.erase(it);
    if (row.Pieces.empty())
      row.Found = 1;
    else if (row.Label)
      row.Label->SetText(RowText(row.Text, row.Pieces.size()));
    StartMoveText(r, object);
    return true;
  }
  return false;
}

void CGamePanel::StartMoveText(int row, rovovoz::CBaseGeometryObject* object) {
  const SHogListRow& hogRow = mHogRows[static_cast<size_t>(row)];
  SMoveText move;
  move.Object = object;
  if (object) {
    move.Start = object->GetPosition3D();
    move.Start.z += object->GetWorldMatrix3D()(3, 2);
  }
  move.Text = hogRow.Text;
  if (mLMoveText) {
    mLMoveText->SetText(move.Text);
    const float half = static_cast<float>(mLMoveText->GetTextWidth()) * 0.5f;
    if (move.Start.x + half > 510.0f) move.Start.x = 510.0f - half;
    if (move.Start.x - half < -510.0f) move.Start.x = -510.0f + half;
  }
  if (hogRow.Label) move.End = hogRow.Label->GetPosition3D();
  move.Start.z -= 15.0f;
  move.End.z -= 15.0f;
  move.State = 0;
  move.Time = 0.0f;
  move.Duration = 0.5f;
  move.Speed = 200.0f;
  const size_t length = move.Text.size();
  const float delay = length > 10 ? 0.8f / static_cast<float>(length) : 0.08f;
  for (size_t i = 0; i < length; ++i) move.LetterTimes.push_back(-delay * static_cast<float>(i));
  mMoveTexts.push_back(std::move(move));
}

void CGamePanel::UpdateMoveTexts(float dt) {
  for (SMoveText& move : mMoveTexts) {
    switch (move.State) {
      case 0: {
        move.Time += dt;
        bool done = true;
        for (float& clock : move.LetterTimes) {
          if (clock < move.Duration) clock = std::min(clock + dt, move.Duration);
          if (clock < move.Duration) done = false;
        }
        if (done) {
          move.State = 1;
          move.Time = 0.0f;
          move.Duration = 1.0f;
        }
        break;
      }
      case 1:
        move.Time += dt;
        if (move.Time >= move.Duration) {
          move.State = 2;
          move.Time = 0.0f;
          move.Duration = 1.0f;
        }
        break;
      case 2:
        move.Time += dt;
        if (move.Time >= move.Duration) {
          move.Time = move.Duration;
          move.State = 3;
        }
        break;
      default:
        break;
    }
  }
  mMoveTexts.erase(std::remove_if(mMoveTexts.begin(), mMoveTexts.end(),
                                  [](const SMoveText& m) { return m.State == 3; }),
                   mMoveTexts.end());
}

void CGamePanel::RenderMoveTexts() {
  constexpr float kPi = 3.14159265f;
  for (SMoveText& move : mMoveTexts) {
    auto* object = dynamic_cast<rovovoz::CStaticObject3D*>(move.Object);
    if (move.State == 0) {
      const float p = std::clamp(2.0f * move.Time, 0.0f, 1.0f);
      const float s = 1.0f + 0.3f * std::sin(kPi * p);
      if (s > 1.0f && move.Object) {
        const zormath::Vec3f scale = move.Object->GetScale();
        move.Object->SetRender2D(0);
        move.Object->SetScale(scale.x * s, scale.y, scale.z * s);
        move.Object->SetAlpha(1.0f);
        move.Object->Render();
        move.Object->SetScale(scale);
        move.Object->SetRender2D(1);
      }
      if (!mLMoveText) continue;
      mLMoveText->SetText(move.Text);
      mLMoveText->SetAlpha(1.0f);
      const zormath::Vec3f rest = mLMoveText->GetPosition3D();
      for (size_t i = 0; i < move.LetterTimes.size(); ++i) {
        const float u = std::max(move.LetterTimes[i], 0.0f) / move.Duration;
        zormath::Vec3f at = move.Start * (1.0f - u) + move.End * u;
        at.z += 4.0f * u * (1.0f - u) * move.Speed;
        mLMoveText->SetPosition3D(at);
        mLMoveText->RenderChar(i);
      }
      mLMoveText->SetPosition3D(rest);
    } else if (move.State == 1 || move.State == 2) {
      const float alpha = move.State == 1 ? 1.0f : (move.Duration - move.Time) / move.Duration;
      if (move.Object) {
        move.Object->SetAlpha(alpha);
        move.Object->Render();
        if (move.State == 1 && object) object->RenderAsOverlay(0.5f * std::sin(kPi * move.Time / move.Duration));
        move.Object->SetAlpha(1.0f);
      }
      if (!mLMoveText) continue;
      const zormath::Vec3f rest = mLMoveText->GetPosition3D();
      mLMoveText->SetText(move.Text);
      mLMoveText->SetPosition3D(move.End.x, move.End.y, move.End.z + 15.0f);
      mLMoveText->SetAlpha(alpha);
      mLMoveText->RenderAlways();
      mLMoveText->SetPosition3D(rest);
    }
  }
}
