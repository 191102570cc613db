#include "Levels/Puzzles/PuzzleLevel.h"

#include <cwchar>

#include "Engine/rovovoz/GameCore.h"
#include "Engine/rovovoz/GameSoundSystem.h"
#include "Engine/rovovoz/MouseCursor.h"
#include "Engine/rovovoz/StaticObject3D.h"
#include "Engine/rovovoz/TriangleObject3D.h"
#include "Engine/zorlog/Log.h"
#include "Engine/zuzorev/InputSystem.h"
#include "Game.h"

namespace {

constexpr const wchar_t* kSource = L"Source/Levels/Puzzles/PuzzleLevel";

CPuzzleLevel::Observer& TheObserver() {
  static CPuzzleLevel::Observer observer;
  return observer;
}

}  // namespace

CPuzzleLevel::CPuzzleLevel(const SPuzzleRules& rules) : mRules(rules) {}

void CPuzzleLevel::SetObserverForTests(Observer observer) { TheObserver() = std::move(observer); }

int32_t CPuzzleLevel::OnAction(const std::wstring& name, int mode) {
  if (mode == 1) return 1;
  if (name == L"a_back_start") {
    mDone = 0;
    mSelected = -1;
    mRunning = mRules.startAction ? 0 : 1;
    OnBackStart();
  } else if (mRules.startAction && name == mRules.startAction) {
    mRunning = 1;
    OnStart();
  } else if (mRules.skipAction && name == mRules.skipAction) {
    if (mRules.skip == ESkipKind::EndAtOnce)
      Win();
    else
      OnSkip();
  } else {
    OnPuzzleAction(name);
  }
  return 1;
}

void CPuzzleLevel::UpdateLevel(float dt, rovovoz::CMouseCursor* cursor) {
  if (mRunning && gGameCore && (cursor || mRules.framesWithoutCursor)) UpdatePuzzle(dt, cursor);
  CBaseLevel::UpdateLevel(dt, cursor);
}

void CPuzzleLevel::RenderObject(SObjectEntry& entry) {
  if (DrawsEntry(entry))
    DrawPuzzle(entry);
  else
    CBaseLevel::RenderObject(entry);
}

void CPuzzleLevel::Win() {
  if (mDone) return;
  mDone = 1;
  const bool sound = mRules.successSound != nullptr;
  if (sound && !mRules.soundAfterEnd) PlaySound(mRules.successSound);
  RunPuzzleAction(mRules.endAction);
  if (sound && mRules.soundAfterEnd) PlaySound(mRules.successSound);
}

void CPuzzleLevel::PlaySound(const std::wstring& name) {
  if (!gGameCore) return;
  Notify(L"sound", name);
  if (rovovoz::CGameSoundSystem* sound = gGameCore->GetSound()) sound->Play(name, 0.0f, 1);
}

void CPuzzleLevel::RunPuzzleAction(const std::wstring& name) {
  Notify(L"action", name);
  DoAction(name, 0, nullptr, -1);
}

bool CPuzzleLevel::IsButton(int button, int mode) const {
  zuzorev::CInputSystem* input = gGameCore ? gGameCore->GetInput() : nullptr;
  return input && input->IsButton(button, mode);
}

rovovoz::CBaseGeometryObject* CPuzzleLevel::FindPiece(const std::wstring& name) const {
  rovovoz::CBaseGeometryObject* object = GetObject(name);
  if (!object)
    zuzorev::LogMessage(zuzorev::ELogLevel::Warning, kSource, __LINE__, L"Puzzle %s: no object %s, the piece is left out.",
                        GetName().c_str(), name.c_str());
  return object;
}

rovovoz::CStaticObject3D* CPuzzleLevel::FindModel(const std::wstring& name) const {
  return dynamic_cast<rovovoz::CStaticObject3D*>(FindPiece(name));
}

rovovoz::CTriangleObject3D* CPuzzleLevel::FindTrigger(const std::wstring& name) const {
  const int index = GetObjectIndex2(name);
  rovovoz::CTriangleObject3D* trigger = IsEntryIndex(index) ? GetEntry(index).mTrigger : nullptr;
  if (!trigger)
    zuzorev::LogMessage(zuzorev::ELogLevel::Warning, kSource, __LINE__,
                        L"Puzzle %s: no trigger %s, the piece is left out.", GetName().c_str(), name.c_str());
  return trigger;
}

bool CPuzzleLevel::IsUnderCursor(rovovoz::CTriangleObject3D* trigger, rovovoz::CMouseCursor* cursor) {
  return trigger && cursor && trigger->PickOrthoPointY(cursor->GetPosition3D(1)) != 0;
}

std::wstring CPuzzleLevel::PieceName(const wchar_t* pattern, int number) {
  wchar_t buffer[64];
  std::swprintf(buffer, 64, pattern, number);
  return buffer;
}

void CPuzzleLevel::Notify(const wchar_t* kind, const std::wstring& name) const {
  if (TheObserver()) TheObserver()(kind, name);
}
