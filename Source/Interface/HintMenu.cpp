// The hint pop-up's file, its queue and the fades of the front hint.
#include "Interface/HintMenu.h"

#include "Engine/TinyXmlExt/TinyXmlExt.h"
#include "Engine/rovovoz/AnimModelManager.h"
#include "Engine/rovovoz/GUIMessageBox.h"
#include "Engine/rovovoz/GameCore.h"
#include "Engine/rovovoz/ModelAnimation3D.h"
#include "Engine/rovovoz/StaticObject3D.h"
#include "Engine/rovovoz/TextManager.h"
#include "GameLog.h"
#include "Interface/InterfaceHelpers.h"

namespace {
const wchar_t* const kSource = L"HintMenu";
}

CHintMenu::CHintMenu(rovovoz::CGameCore* core) : mCore(core) { ResetDefaults(); }

CHintMenu::~CHintMenu() { Release(); }

void CHintMenu::ResetDefaults() {
  mDefault = SHintDesc();
  mArrowAnimName.clear();
  mArrowMove = 0;
  mArrowSpeed = mArrowDelta = mArrowPhase = mArrowWidth = 0.0f;
  mArrowDir = mArrowBase = zormath::Vec3f();
  mArrowPlaced = 0;
  mShown = 0;
}

void CHintMenu::Release() {
  mBox.reset();
  mArrowAnim.reset();
  mArrowModel.reset();
  mDescs.clear();
  ResetDefaults();
  mCurrent = SHintInfo();
  mQueue.clear();
}

std::wstring CHintMenu::ResolveKey(const std::string& key) const {
  if (!mCore || !mCore->GetTextManager() || !mBox) return std::wstring();
  std::wstring wide(key.begin(), key.end());
  return mCore->GetTextManager()->GetText(mBox->GetDefaultKeyText(), wide);
}

void CHintMenu::ReadDesc(const TiXmlElement* element, SHintDesc& desc) const {
  auto text = [element](const char* name, std::wstring& out) {
    if (const TiXmlAttribute* a = FindUpper(element, name)) out = ValueUtf8(a);
  };
  text("ButtonOk", desc.ButtonOk);
  text("ButtonCancel", desc.ButtonCancel);
  text("ButtonClose", desc.ButtonClose);
  if (const TiXmlAttribute* a = FindUpper(element, "CheckText")) {
    desc.CheckText = ValueUtf8(a);
    desc.HasCheck = 1;
  } else if (const TiXmlAttribute* key = FindUpper(element, "CheckNameText")) {
    desc.CheckText = ResolveKey(key->ValueStr());
    desc.HasCheck = 1;
  }
  if (const TiXmlAttribute* a = FindUpper(element, "MaxLenghtText")) desc.MaxLenghtText = FloatValue(a);
  if (const TiXmlAttribute* a = FindUpper(element, "MaxLenghtTitle")) desc.MaxLenghtTitle = FloatValue(a);
  if (const TiXmlAttribute* a = FindUpper(element, "PerenosText")) desc.PerenosText = IntValue(a);
  if (const TiXmlAttribute* a = FindUpper(element, "PerenosTitle")) desc.PerenosTitle = IntValue(a);
  text("SoundOpen", desc.SoundOpen);
  text("SoundClose", desc.SoundClose);
}

bool CHintMenu::Load(const std::wstring& file) {
  TiXmlDocument doc;
  if (!LoadXmlDocument(doc, file, mCore ? mCore->GetFileSystem() : nullptr)) {
    gamelog::Error(kSource, __LINE__, L"Load info hint menu for xml %s", file.c_str());
    return false;
  }
  const TiXmlElement* root = RootElementUpper(doc, "HintMenu");
  if (!root) {
    gamelog::Error(kSource, __LINE__, L"Load info hint menu for xml %s", file.c_str());
    return false;
  }
  const TiXmlElement* boxElement = FirstChildElementUpper(root, "MessageBox");
  if (!boxElement) {
    gamelog::Error(kSource, __LINE__, L"No find teg <MessageBox> for xml hint menu");
    return false;
  }
  mBox = std::make_unique<rovovoz::CGUIMessageBox>(mCore);
  if (mBox->Load(boxElement, 3) < 0) {
    gamelog::Error(kSource, __LINE__, L"Load message box for hint menu.");
    mBox.reset();
    return false;
  }
  if (const TiXmlElement* defaults = FirstChildElementUpper(root, "DefaultProperty")) ReadDesc(defaults, mDefault);

  for (const TiXmlElement* e = IterateChildrenElementUpper(root, "Text", nullptr); e;
       e = IterateChildrenElementUpper(root, "Text", e)) {
    const TiXmlAttribute* name = FindUpper(e, "Name");
    if (!name) continue;
    SHintDesc desc = mDefault;
    desc.Text.clear();
    if (const TiXmlAttribute* v = FindUpper(e, "Value"))
      desc.Text = ValueUtf8(v);
    else if (const TiXmlAttribute* key = FindUpper(e, "NameText"))
      desc.Text = ResolveKey(key->ValueStr());
    if (const TiXmlAttribute* t = FindUpper(e, "Title"))
      desc.Title = ValueUtf8(t);
    else if (const TiXmlAttribute* key = FindUpper(e, "NameTitle"))
      desc.Title = ResolveKey(key->ValueStr());
    desc.Unused.clear();
    ReadDesc(e, desc);
    mDescs.emplace(ValueUtf8(name), desc);
  }

  if (const TiXmlElement* arrow = FirstChildElementUpper(root, "Arrow")) {
    if (const TiXmlElement* object = FirstChildElementUpper(arrow, "Object3D")) {
      std::wstring fileModel = ValueUtf8(FindUpper(object, "FileModel"));
      if (fileModel.empty()) fileModel = ValueUtf8(FindUpper(arrow, "FileModel"));
      auto model = std::make_unique<rovovoz::CStaticObject3D>(mCore);
      if (model->LoadModel(fileModel, ValueUtf8(FindUpper(object, "NameModel")), 11) > 0) {
        model->SetRender2D(1);
        mArrowModel = std::move(model);
      }
    }
    if (const TiXmlElement* anim = FirstChildElementUpper(arrow, "Animation3D")) {
      mArrowAnimName = ValueUtf8(FindUpper(anim, "NameAnim"));
      LoadArrowAnim(ValueUtf8(FindUpper(anim, "FileAnim")));
    }
    if (const TiXmlAttribute* width = FindUpper(arrow, "Width")) {
      mArrowWidth = FloatValue(width);
    } else if (mArrowModel) {
      const zuzorev::SAABBox box = mArrowModel->GetAABBox(0);
      mArrowWidth = std::fabs(box.Max.z - box.Min.z);
    }
    if (const TiXmlElement* move = FirstChildElementUpper(arrow, "Move")) {
      const float delta = FloatValue(FindUpper(move, "Delta"));
      if (delta != 0.0f) {
        mArrowMove = 1;
        mArrowDelta = delta;
        mArrowSpeed = FloatValue(FindUpper(move, "Speed"));
      }
    }
  }
  return true;
}

void CHintMenu::LoadArrowAnim(const std::wstring& setFile) {
  rovovoz::CAnimModelManager* manager = mCore ? mCore->GetAnimModelManager() : nullptr;
  if (!manager || setFile.empty() || manager->LoadAnimSet(setFile) < 0) return;
  auto anim = std::make_unique<rovovoz::CModelAnimation3D>(mCore);
  if (anim->LoadAnimation(mArrowAnimName, 11, 0) < 0) return;
  anim->SetRender2D(1);
  mArrowAnim = std::move(anim);
}

int32_t CHintMenu::ReInit() {
  if (mBox) mBox->ReInit();
  if (mArrowAnim) mArrowAnim->ReInit();
  return 1;
}

const SHintDesc* CHintMenu::FindDesc(const std::wstring& name) const {
  auto it = mDescs.find(name);
  return it == mDescs.end() ? nullptr : &it->second;
}

bool CHintMenu::SelectHint(const std::wstring& name) {
  mCurrent.Name.clear();
  if (!FindDesc(name)) return false;
  mCurrent.Name = name;
  return true;
}

int CHintMenu::Show(const float* position, int clearQueue, int useArrow, int autoPlace, float distance,
                    float fadeRate, int hAlign, int vAlign) {
  if (!mBox || mCurrent.Name.empty()) return 0;
  ui::PlaySound(mCore, L"Poyavlenie_hinta");
  if (clearQueue) mQueue.clear();
  mCurrent.Position = position ? zormath::Vec3f(position[0], position[1], position[2]) : zormath::Vec3f();
  mCurrent.UseArrow = useArrow;
  mCurrent.AutoPlace = autoPlace;
  mCurrent.Distance = distance;
  mCurrent.FadeRate = fadeRate;
  mCurrent.HAlign = hAlign;
  mCurrent.VAlign = vAlign;
  mCurrent.State = SHintInfo::kNew;
  mCurrent.Alpha = 0.0f;
  mQueue.push_back(mCurrent);
  Update(0.0f, nullptr);
  return 1;
}

int CHintMenu::Fill(SHintInfo& info) {
  const SHintDesc* desc = FindDesc(info.Name);
  if (!mBox || !desc) return 0;
  mBox->Clear();
  mBox->SetText(desc->Text, desc->PerenosText, L"", desc->MaxLenghtText, 1);
  mBox->SetTitle(desc->Title, desc->PerenosTitle, L"", desc->MaxLenghtTitle, 1);
  mBox->SetButtonProperty(desc->ButtonOk, desc->ButtonCancel, desc->ButtonClose);
  mBox->SetCheckProperty(desc->HasCheck, desc->CheckText);
  info.SoundOpen = desc->SoundOpen;
  info.SoundClose = desc->SoundClose;
  return 1;
}

void CHintMenu::SetAlphaAll(float alpha) {
  if (mBox) mBox->SetAlpha(alpha);
  if (mArrowModel) mArrowModel->SetAlpha(alpha);
  if (mArrowAnim) mArrowAnim->SetAlpha(mArrowAnimName, alpha);
}

void CHintMenu::DropFront() {
  if (!mQueue.empty()) mQueue.erase(mQueue.begin());
}

int8_t CHintMenu::Update(float dt, rovovoz::CMouseCursor* cursor) {
  if (mQueue.empty()) {
    mShown = 0;
    mArrowPlaced = 0;
    return static_cast<int8_t>(0x80);
  }
  SHintInfo& front = mQueue.front();
  if (front.State == SHintInfo::kNew) {
    if (!Fill(front) || !StepHint(front)) {
      DropFront();
      return 0;
    }
    ui::PlaySound(mCore, front.SoundOpen);
    if (front.FadeRate <= 0.0f) {
      front.State = SHintInfo::kOpen;
      front.Alpha = 1.0f;
      SetAlphaAll(1.0f);
      return 0;
    }
    front.State = SHintInfo::kFadingIn;
    front.Alpha = 0.0f;
    SetAlphaAll(0.0f);
  } else if (front.State == SHintInfo::kFadingIn) {
    front.Alpha += front.FadeRate * dt;
    if (front.Alpha >= 1.0f) {
      front.Alpha = 1.0f;
      front.State = SHintInfo::kOpen;
    }
  } else if (front.State == SHintInfo::kFadingOut) {
    front.Alpha -= front.FadeRate * dt;
    if (front.Alpha <= 0.0f) {
      SetAlphaAll(0.0f);
      DropFront();
      return 0;
    }
  }
  SetAlphaAll(front.Alpha);
  if (!mShown) return 0;
  if (mArrowPlaced) {
    if (mArrowAnim) mArrowAnim->Update(dt, nullptr);
    if (mArrowMove && front.State != SHintInfo::kNew) {
      mArrowPhase += mArrowSpeed * dt;
      if (mArrowPhase > 1.0f) mArrowPhase -= 1.0f;
      const float k = (std::sin(2.0f * 3.14159265f * mArrowPhase) + 1.0f) * mArrowDelta * 0.5f;
      const zormath::Vec3f at = mArrowBase + mArrowDir * k;
      if (mArrowModel) mArrowModel->SetPosition3D(at);
      if (mArrowAnim) mArrowAnim->SetPosition3D(at);
    }
  }
  if (front.State != SHintInfo::kOpen || !mBox) return 0;
  const int8_t result = mBox->UpdateBox(dt, cursor);
  if (static_cast<uint8_t>(result) & 0x80) {
    mShown = 0;
    ui::PlaySound(mCore, front.SoundClose);
    if (front.FadeRate > 0.0f) front.State = SHintInfo::kFadingOut;
  }
  return result;
}

void CHintMenu::CloseHint(int all, float fadeRate) {
  if (all) {
    mQueue.clear();
    if (mBox) mBox->CloseBox();
    mShown = 0;
    return;
  }
  if (mQueue.empty()) return;
  if (fadeRate > 0.0f) {
    mQueue.front().State = SHintInfo::kFadingOut;
    mQueue.front().FadeRate = fadeRate;
  } else {
    DropFront();
    if (mBox) mBox->CloseBox();
  }
  mShown = 0;
}

void CHintMenu::Render() {
  if (mQueue.empty() || !mBox) return;
  if (!mShown) {
    if (mQueue.front().State == SHintInfo::kFadingOut) mBox->RenderAlways();
  } else {
    mBox->Render();
  }
  if ((mShown || mQueue.front().State == SHintInfo::kFadingOut) && mArrowPlaced) {
    if (mArrowModel) mArrowModel->Render();
    if (mArrowAnim) mArrowAnim->Render();
  }
}

bool CHintMenu::GetCheck() { return mBox && mBox->GetCheck() != 0; }

void CHintMenu::GetBoxRect(float& left, float& top, float& right, float& bottom) {
  left = top = right = bottom = 0.0f;
  if (mQueue.empty() || !mBox) return;
  zuzorev::SRect rect;
  mBox->GetBoxRect(rect);
  left = static_cast<float>(rect.left);
  top = static_cast<float>(rect.top);
  right = static_cast<float>(rect.right);
  bottom = static_cast<float>(rect.bottom);
}
