#include "Engine/rovovoz/DialogManager.h"

#include <algorithm>

#include "Engine/TinyXmlExt/TinyXmlExt.h"
#include "Engine/rovovoz/GUIForm.h"
#include "Engine/rovovoz/GameCore.h"
#include "Engine/rovovoz/MouseCursor.h"
#include "Engine/zuzorev/InputSystem.h"
#include "Engine/zorlog/Log.h"
#include "Engine/zuzorev/RenderTypes.h"

namespace rovovoz {

namespace {

const wchar_t* const kSource = L"Engine/rovovoz/DialogManager";

void Log(zuzorev::ELogLevel level, const wchar_t* format, const std::wstring& arg, int line) {
  zuzorev::LogMessage(level, kSource, line, format, arg.c_str());
}

float NonNegative(const TiXmlAttribute* a, float fallback) {
  return a ? std::max(0.0f, FloatValue(a)) : fallback;
}

}  // namespace

CDialogManager::CDialogManager(CGameCore* core) : mCore(core) {}

CDialogManager::~CDialogManager() { Release(); }

void CDialogManager::Release() {
  mCurrent = -1;
  mDialogs.clear();
}

int32_t CDialogManager::Load(const std::wstring& file, uint32_t flags) {
  Release();
  TiXmlDocument document;
  if (!LoadXmlDocument(document, file)) {
    if (!document.Error()) Log(zuzorev::ELogLevel::Error, L"No load dialog file %s.", file, __LINE__);
    return zuzorev::kFail;
  }
  const TiXmlElement* root = FirstChildElementUpper(&document, "Dialogs");
  if (!root) {
    Log(zuzorev::ELogLevel::Error, L"No find teg <Dialogs> in dialog file %s.", file, __LINE__);
    return zuzorev::kFail;
  }
  int index = 0;
  for (const TiXmlElement* e = IterateChildrenElementUpper(root, "Dialog", nullptr); e;
       e = IterateChildrenElementUpper(root, "Dialog", e), ++index) {
    SDialog d;
    d.name = ValueUtf8(FindUpper(e, "Name"));
    if (d.name.empty()) {
      Log(zuzorev::ELogLevel::Warning, L"Dialog without a name in %s skipped.", file, __LINE__);
      continue;
    }
    d.timeIn = NonNegative(FindUpper(e, "TimeIn"), d.timeIn);
    d.timeShow = NonNegative(FindUpper(e, "TimeShow"), d.timeShow);
    d.timePerChar = NonNegative(FindUpper(e, "TimePerChar"), d.timePerChar);
    d.timeOut = NonNegative(FindUpper(e, "TimeOut"), d.timeOut);
    d.form = std::make_unique<CGUIForm>(mCore, nullptr);
    d.form->LoadProperty(e, index, flags);
    if (CGUIBaseObject* label = d.form->GetChild(L"Text")) d.defaultText = label->GetText();
    d.form->SetVisible(0);
    mDialogs.push_back(std::move(d));
  }
  return zuzorev::kOk;
}

int CDialogManager::Find(const std::wstring& name) const {
  for (size_t i = 0; i < mDialogs.size(); ++i)
    if (mDialogs[i].name == name) return static_cast<int>(i);
  return -1;
}

CGUIForm* CDialogManager::GetDialog(const std::wstring& name) const {
  const int i = Find(name);
  return i < 0 ? nullptr : mDialogs[static_cast<size_t>(i)].form.get();
}

std::wstring CDialogManager::GetCurrentName() const {
  return mCurrent < 0 ? std::wstring() : mDialogs[static_cast<size_t>(mCurrent)].name;
}

bool CDialogManager::StartDialog(const std::wstring& name, const std::wstring& text) {
  const int i = Find(name);
  if (i < 0) {
    Log(zuzorev::ELogLevel::Warning, L"No find dialog %s.", name, __LINE__);
    return false;
  }
  Stop();
  SDialog& d = mDialogs[static_cast<size_t>(i)];
  const std::wstring& shown = text.empty() ? d.defaultText : text;
  if (CGUIBaseObject* label = d.form->GetChild(L"Text")) label->SetText(shown);
  mCurrent = i;
  mPhase = EPhase::In;
  mTime = 0.0f;
  mLength = d.timeShow + d.timePerChar * static_cast<float>(shown.size());
  d.form->ClearState();
  d.form->SetVisible(1);
  Apply();
  return true;
}

void CDialogManager::Apply() {
  if (mCurrent < 0) return;
  SDialog& d = mDialogs[static_cast<size_t>(mCurrent)];
  float alpha = 1.0f;
  if (mPhase == EPhase::In) alpha = d.timeIn > 0.0f ? std::min(1.0f, mTime / d.timeIn) : 1.0f;
  if (mPhase == EPhase::Out) alpha = d.timeOut > 0.0f ? std::max(0.0f, 1.0f - mTime / d.timeOut) : 0.0f;
  d.form->SetAlpha(alpha);
}

int32_t CDialogManager::Update(float dt, CMouseCursor* cursor) {
  if (mCurrent < 0) return 0;
  SDialog& d = mDialogs[static_cast<size_t>(mCurrent)];
  d.form->Update(dt, cursor);
  // A click on any part of the dialog sends it away.
  zuzorev::CInputSystem* input = mCore ? mCore->GetInput() : nullptr;
  if (mPhase != EPhase::Out && cursor && input && input->IsButton(0, zuzorev::kInputUp)) {
    const zormath::Vec3f point = cursor->GetPosition3D(1);
    for (const CGUIBaseObject* c = d.form->IterateChild(nullptr); c; c = d.form->IterateChild(c)) {
      if (c->GetVisible() && c->IsPointOver(point)) {
        // Fade out from the alpha it has now.
        const float alpha = d.form->GetAlpha();
        mPhase = EPhase::Out;
        mTime = (1.0f - alpha) * d.timeOut;
        dt = 0.0f;
        break;
      }
    }
  }
  mTime += dt;
  if (mPhase == EPhase::In && mTime >= d.timeIn) {
    mTime -= d.timeIn;
    mPhase = EPhase::Show;
  }
  if (mPhase == EPhase::Show && mTime >= mLength) {
    mTime -= mLength;
    mPhase = EPhase::Out;
  }
  if (mPhase == EPhase::Out && mTime >= d.timeOut) {
    Stop();
    return 0;
  }
  Apply();
  return 0;
}

int32_t CDialogManager::Render() {
  if (mCurrent < 0) return 0;
  return mDialogs[static_cast<size_t>(mCurrent)].form->Render();
}

void CDialogManager::Stop() {
  if (mCurrent < 0) return;
  SDialog& d = mDialogs[static_cast<size_t>(mCurrent)];
  d.form->SetVisible(0);
  d.form->ClearState();
  mCurrent = -1;
}

int32_t CDialogManager::ReInit() {
  int32_t result = zuzorev::kOk;
  for (auto& d : mDialogs)
    if (d.form->ReInit() < 0) result = zuzorev::kFail;
  return result;
}

}  // namespace rovovoz
