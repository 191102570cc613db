#include "Engine/rovovoz/GUIBaseObject.h"

#include <cfloat>
#include <cmath>

#include "Engine/TinyXmlExt/TinyXmlExt.h"
#include "Engine/rovovoz/GameCore.h"
#include "Engine/rovovoz/MouseCursor.h"
#include "Engine/rovovoz/TextManager.h"
#include "Engine/zormath/Transform.h"
#include "Engine/zuzorev/InputSystem.h"
#include "Engine/zorlog/Log.h"
#include "Engine/zuzorev/RenderSystem.h"

namespace rovovoz {

namespace {

const wchar_t* const kSource = L"Engine/rovovoz/GUIBaseObject";
constexpr float kHalfWidth = 512.0f;
constexpr float kHalfHeight = 384.0f;
const std::wstring kEmpty;

// Between pixels and the interface space x stays and one axis turns into
// the other, reversed (pixel y down, interface z up); then the origin moves
// by `shift` (row vectors).
zormath::Mat4f FlipAxes(int from, int to, const zormath::Vec3f& shift) {
  zormath::Mat4f m;
  m(0, 0) = 1;
  m(from, to) = -1;
  m(3, 0) = shift.x;
  m(3, 1) = shift.y;
  m(3, 2) = shift.z;
  m(3, 3) = 1;
  return m;
}

// Layout pixels (x right, y down) to the interface space and back.
zormath::Mat4f PixelsToInterface() { return FlipAxes(1, 2, zormath::Vec3f(-kHalfWidth, 0, kHalfHeight)); }
zormath::Mat4f InterfaceToPixels() { return FlipAxes(2, 1, zormath::Vec3f(kHalfWidth, kHalfHeight, 0)); }
// An object's own pixels (origin at its middle) to its space.
zormath::Mat4f LocalPixelsToInterface() { return FlipAxes(1, 2, zormath::Vec3f()); }

bool HasAttribute(const TiXmlElement* element, const char* name) { return FindUpper(element, name) != nullptr; }

}  // namespace

CGUIBaseObject::CGUIBaseObject(CGameCore* core, CGUIBaseObject* parent) : CBaseGeometryObject(core), mParent(parent) {
  mRender2D = parent ? parent->GetRender2D() != 0 : true;
  if (parent) mLocation = parent->GetTempMatrix3D();
  UpdateTempMatrix();
}

CGUIBaseObject::~CGUIBaseObject() = default;

zuzorev::CRenderSystem* CGUIBaseObject::GetRenderSystem() const { return mCore ? mCore->GetRender() : nullptr; }

CScriptFunctions* CGUIBaseObject::GetScript() const { return mCore ? mCore->GetScript() : nullptr; }

void CGUIBaseObject::LogLoadError(const wchar_t* what, const std::wstring& name, int line) const {
  zuzorev::LogMessage(zuzorev::ELogLevel::Error, kSource, line, what, name.c_str(), mName.c_str());
}

// ---- loading ---------------------------------------------------------------

int32_t CGUIBaseObject::LoadProperty(const TiXmlElement* element, int, uint32_t) {
  if (!element) return zuzorev::kFail;
  mName = ValueUtf8(FindUpper(element, "Name"));
  if (const TiXmlAttribute* a = FindUpper(element, "Visible")) mVisible = IntValue(a) != 0;
  if (const TiXmlAttribute* a = FindUpper(element, "Alpha")) mAlpha = FloatValue(a);
  if (const TiXmlAttribute* a = FindUpper(element, "Enable")) mEnable = IntValue(a) != 0;
  if (const TiXmlAttribute* a = FindUpper(element, "FileModel")) mModelFile = ValueUtf8(a);
  if (const TiXmlAttribute* a = FindUpper(element, "FileTriangle")) mTriangleFile = ValueUtf8(a);
  if (const TiXmlAttribute* a = FindUpper(element, "TextGroup")) mTextGroup = ValueUtf8(a);
  bool ok = LoadWidget(element);
  if (const TiXmlAttribute* a = FindUpper(element, "TriangleModel"); a && !ValueUtf8(a).empty()) {
    const std::wstring name = ValueUtf8(a);
    mTrigger = std::make_unique<CTriangleObject3D>(mCore);
    if (GetTriangleFile().empty() || mTrigger->LoadModel(GetTriangleFile(), name, 8, 0) < 0) {
      LogLoadError(L"No load trigger model %s of widget %s.", name, __LINE__);
      mTrigger.reset();
      ok = false;
    }
  }
  Place(element);
  return ok ? zuzorev::kOk : zuzorev::kFail;
}

int32_t CGUIBaseObject::Load(const TiXmlElement* element, uint32_t flags) {
  return LoadProperty(element, 0, flags) < 0 ? zuzorev::kFail : zuzorev::kOk;
}

bool CGUIBaseObject::LoadWidget(const TiXmlElement*) { return true; }

bool CGUIBaseObject::LoadLook(CGUILook& look, const TiXmlElement* element, const std::string& suffix) {
  return look.Load(mCore, element, suffix, GetModelFile());
}

void CGUIBaseObject::Place(const TiXmlElement* element) {
  const CGUILook* look = PrimaryLook();
  const float depth = FloatValue(FindUpper(element, "Depth"));
  mBoxOffset = zormath::Vec3f();
  const bool modelPlaced = (look && look->HasMesh()) || mTrigger;
  if (HasAttribute(element, "X") || HasAttribute(element, "Y") || !modelPlaced) {
    mWidth = FloatValue(FindUpper(element, "Width"));
    mHeight = FloatValue(FindUpper(element, "Height"));
    if (look && look->HasImage() && !HasAttribute(element, "Width")) mWidth = static_cast<float>(look->GetImageWidth());
    if (look && look->HasImage() && !HasAttribute(element, "Height"))
      mHeight = static_cast<float>(look->GetImageHeight());
    const float x = FloatValue(FindUpper(element, "X")), y = FloatValue(FindUpper(element, "Y"));
    mPosition = zormath::Vec3f(x + mWidth * 0.5f - kHalfWidth, depth, kHalfHeight - (y + mHeight * 0.5f));
  } else {
    // Placed by its model: the mesh (or the trigger) stands where the file
    // puts it, and its box is the one it covers on the screen.
    zormath::Vec3f lo(FLT_MAX, FLT_MAX, FLT_MAX), hi(-FLT_MAX, -FLT_MAX, -FLT_MAX);
    if (look && look->HasMesh()) {
      const zuzorev::SAABBox& box = look->GetMeshBox();
      const zormath::Mat4f& placement = look->GetMeshPlacement();
      mPosition = zormath::Vec3f(placement(3, 0), placement(3, 1), placement(3, 2));
      for (int i = 0; i < 8; ++i) {
        zormath::Vec3f c((i & 1) ? box.Max.x : box.Min.x, (i & 2) ? box.Max.y : box.Min.y,
                         (i & 4) ? box.Max.z : box.Min.z);
        zormath::Vec3f p = zormath::TransformCoord(c, placement);
        lo = zormath::Vec3f(std::fmin(lo.x, p.x), std::fmin(lo.y, p.y), std::fmin(lo.z, p.z));
        hi = zormath::Vec3f(std::fmax(hi.x, p.x), std::fmax(hi.y, p.y), std::fmax(hi.z, p.z));
      }
    } else {
      mPosition = mTrigger->GetPosition3D();
      const zuzorev::SAABBox box = mTrigger->GetAABBox(1);
      lo = box.Min;
      hi = box.Max;
    }
    mWidth = hi.x - lo.x;
    mHeight = hi.z - lo.z;
    mBoxOffset = zormath::Vec3f((lo.x + hi.x) * 0.5f - mPosition.x, 0.0f, (lo.z + hi.z) * 0.5f - mPosition.z);
  }
  mRestPosition = mPosition;
  UpdateTempMatrix();
}

int32_t CGUIBaseObject::Load(uint32_t flags) {
  for (CGUILook* look : mLookList) look->LoadResources(flags);
  for (auto& m : mModels) m->LoadResources(flags);
  for (auto& c : mChildren) c->Load(flags);
  return zuzorev::kOk;
}

int32_t CGUIBaseObject::UnLoad(uint32_t flags) {
  for (CGUILook* look : mLookList) look->UnLoadResources(flags);
  for (auto& m : mModels) m->UnLoadResources(flags);
  for (auto& c : mChildren) c->UnLoad(flags);
  return zuzorev::kOk;
}

int32_t CGUIBaseObject::Release(uint32_t) {
  for (CGUILook* look : mLookList) look->Release();
  mChildren.clear();
  mModels.clear();
  mModelNames.clear();
  mTrigger.reset();
  mEvent = 0;
  mOver = mPressed = false;
  return 0;
}

int32_t CGUIBaseObject::ReInit() {
  int32_t result = zuzorev::kOk;
  for (auto& c : mChildren)
    if (c->ReInit() < 0) result = zuzorev::kFail;
  return result;
}

// ---- texts -------------------------------------------------------------------

const std::wstring& CGUIBaseObject::Inherited(std::wstring CGUIBaseObject::*field) const {
  const std::wstring& own = this->*field;
  if (!own.empty()) return own;
  return mParent ? mParent->Inherited(field) : kEmpty;
}

const std::wstring& CGUIBaseObject::GetModelFile() const { return Inherited(&CGUIBaseObject::mModelFile); }
const std::wstring& CGUIBaseObject::GetTriangleFile() const { return Inherited(&CGUIBaseObject::mTriangleFile); }
const std::wstring& CGUIBaseObject::GetTextGroup() const { return Inherited(&CGUIBaseObject::mTextGroup); }

std::wstring CGUIBaseObject::LookUpText(const std::wstring& key) const {
  CTextManager* texts = mCore ? mCore->GetTextManager() : nullptr;
  if (!texts || key.empty()) return std::wstring();
  const std::wstring& group = GetTextGroup();
  std::wstring text = group.empty() ? texts->GetText(key) : texts->GetText(group, key);
  if (text.empty())
    zuzorev::LogMessage(zuzorev::ELogLevel::Warning, kSource, __LINE__, L"No find text %s for widget %s.", key.c_str(),
                        mName.c_str());
  return text;
}

std::wstring CGUIBaseObject::ReadText(const TiXmlElement* element) const {
  if (const TiXmlAttribute* a = FindUpper(element, "Text")) return ValueUtf8(a);
  if (const TiXmlAttribute* a = FindUpper(element, "NameText")) return LookUpText(ValueUtf8(a));
  return std::wstring();
}

// ---- children ------------------------------------------------------------------

CGUIBaseObject* CGUIBaseObject::AddChild(std::unique_ptr<CGUIBaseObject> child) {
  if (!child) return nullptr;
  child->mParent = this;
  child->mRender2D = mRender2D;
  child->SetLocationMatrix3D(mTemp);
  mChildren.push_back(std::move(child));
  return mChildren.back().get();
}

CGUIBaseObject* CGUIBaseObject::GetChild(const std::wstring& name) const {
  for (const auto& c : mChildren)
    if (c->GetName() == name) return c.get();
  return nullptr;
}

CGUIBaseObject* CGUIBaseObject::IterateChild(const CGUIBaseObject* prev) const {
  if (!prev) return mChildren.empty() ? nullptr : mChildren.front().get();
  for (size_t i = 0; i + 1 < mChildren.size(); ++i)
    if (mChildren[i].get() == prev) return mChildren[i + 1].get();
  return nullptr;
}

std::wstring CGUIBaseObject::GetFirstNameModel() const {
  if (const CGUILook* look = PrimaryLook(); look && !look->GetModelName().empty()) return look->GetModelName();
  return mTrigger ? mTrigger->GetNameModel() : std::wstring();
}

// ---- places --------------------------------------------------------------------

void CGUIBaseObject::UpdateTempMatrix() {
  mTemp = zormath::MatrixTranslation(-mPivot.x, -mPivot.y, -mPivot.z) *
          zormath::MatrixScaling(mScale.x, mScale.z, mScale.y) * mOrientation *
          zormath::MatrixTranslation(mPosition.x, mPosition.y, mPosition.z) * mLocation * mWorld;
  for (auto& c : mChildren) c->SetLocationMatrix3D(mTemp);
}

void CGUIBaseObject::SetRender2D(int on) {
  CBaseGeometryObject::SetRender2D(on);
  for (auto& c : mChildren) c->SetRender2D(on);
}

void CGUIBaseObject::LoadTransformForMesh() {
  mPosition = mRestPosition;
  mOrientation = zormath::Mat4f::Identity();
  mScale = zormath::Vec3f(1, 1, 1);
  UpdateTempMatrix();
}

void CGUIBaseObject::ToVirtual(const zormath::Vec3f& point, int mode, float& x, float& y) const {
  x = point.x;
  y = point.y;
  if (mode == 0)
    if (zuzorev::CRenderSystem* render = GetRenderSystem()) render->WindowToVirtual(point.x, point.y, x, y);
}

void CGUIBaseObject::KorectOpornPoint2D(const zormath::Vec3f& point, int mode, int place) {
  float x, y;
  ToVirtual(point, mode, x, y);
  mPivot = zormath::Vec3f(x - kHalfWidth, 0.0f, kHalfHeight - y);
  if (place) {
    mPosition.x = mPivot.x;
    mPosition.z = mPivot.z;
  }
  UpdateTempMatrix();
}

void CGUIBaseObject::SetPosition2D(const zormath::Vec3f& point, int mode) {
  float x, y;
  ToVirtual(point, mode, x, y);
  SetPosition3D(x - kHalfWidth, mPosition.y, kHalfHeight - y);
}

zormath::Vec3f CGUIBaseObject::GetPosition2D() const {
  return zormath::Vec3f(mPosition.x + kHalfWidth, kHalfHeight - mPosition.z, 0.0f);
}

void CGUIBaseObject::SetDirection2D(const zormath::Vec3f& direction) {
  if (direction.x == 0.0f && direction.y == 0.0f) return;
  SetAngleAxisY(std::atan2(-direction.x, direction.y));
}

zormath::Mat4f CGUIBaseObject::GetWorldMatrix2D() const { return PixelsToInterface() * mTemp * InterfaceToPixels(); }

zormath::Mat4f CGUIBaseObject::LocalToScreen() const {
  return LocalPixelsToInterface() * zormath::MatrixTranslation(mBoxOffset.x, mBoxOffset.y, mBoxOffset.z) * mTemp *
         InterfaceToPixels();
}

zormath::Mat4f CGUIBaseObject::MeshMatrix(const CGUILook& look) const {
  return look.GetMeshPlacement() * zormath::MatrixTranslation(-mRestPosition.x, -mRestPosition.y, -mRestPosition.z) *
         mTemp;
}

void CGUIBaseObject::GetBoxRect(zuzorev::SRect& rect) const {
  const float cx = mPosition.x + mBoxOffset.x + kHalfWidth, cy = kHalfHeight - (mPosition.z + mBoxOffset.z);
  const float hw = mWidth * std::fabs(mScale.x) * 0.5f, hh = mHeight * std::fabs(mScale.y) * 0.5f;
  rect.left = static_cast<int32_t>(std::lround(cx - hw));
  rect.right = static_cast<int32_t>(std::lround(cx + hw));
  rect.top = static_cast<int32_t>(std::lround(cy - hh));
  rect.bottom = static_cast<int32_t>(std::lround(cy + hh));
}

bool CGUIBaseObject::IsPointOver(const zormath::Vec3f& point) const {
  if (mTrigger) {
    mTrigger->SetWorldMatrix3D(
        zormath::MatrixTranslation(-mRestPosition.x, -mRestPosition.y, -mRestPosition.z) * mTemp);
    return mTrigger->PickOrthoPointY(point) != 0;
  }
  if (mWidth <= 0.0f || mHeight <= 0.0f) return false;
  zormath::Mat4f inverse;
  if (!zormath::MatrixInverse(mTemp, inverse)) return false;
  const zormath::Vec3f local = zormath::TransformCoord(point, inverse) - mBoxOffset;
  return std::fabs(local.x) <= mWidth * 0.5f && std::fabs(local.z) <= mHeight * 0.5f;
}

float CGUIBaseObject::GetDrawAlpha() const { return mAlpha * (mParent ? mParent->GetDrawAlpha() : 1.0f); }

// ---- frame ---------------------------------------------------------------------

CGUIBaseObject::SPointer CGUIBaseObject::UpdatePointer(CMouseCursor* cursor) {
  SPointer s;
  if (cursor && mVisible) {
    const zormath::Vec3f point = cursor->GetPosition3D(1);
    s.over = IsPointOver(point);
    zormath::Mat4f inverse;
    if (zormath::MatrixInverse(mTemp, inverse)) {
      const zormath::Vec3f local = zormath::TransformCoord(point, inverse) - mBoxOffset;
      s.local = zormath::Vec3f(local.x, -local.z, 0.0f);
    }
  }
  zuzorev::CInputSystem* input = mCore ? mCore->GetInput() : nullptr;
  if (input) {
    if (s.over && input->IsButton(0, zuzorev::kInputDown)) {
      mPressed = true;
      s.down = true;
    }
    if (input->IsButton(0, zuzorev::kInputUp)) {
      s.click = s.over && mPressed;
      mPressed = false;
    } else if (!s.down && !input->IsButton(0, zuzorev::kInputHeld)) {
      mPressed = false;  // the release was never seen (input cleared)
    }
  } else {
    mPressed = false;
  }
  s.held = mPressed;
  mOver = s.over;
  return s;
}

void CGUIBaseObject::UpdateSelf(float, CMouseCursor*) {}

int32_t CGUIBaseObject::Update(float dt, CMouseCursor* cursor) {
  mEvent = 0;
  if (!mVisible) {
    mOver = mPressed = false;
    return 0;
  }
  UpdateSelf(dt, cursor);
  // By index: a command may change the form's widgets (never their number).
  for (size_t i = 0; i < mChildren.size(); ++i) {
    mChildren[i]->Update(dt, cursor);
    if (i < mChildren.size()) mChildren[i]->RunCommand();
  }
  return 0;
}

void CGUIBaseObject::ClearState() {
  mEvent = 0;
  mOver = mPressed = false;
  for (auto& c : mChildren) c->ClearState();
}

void CGUIBaseObject::DrawSelf() {
  const float alpha = GetDrawAlpha();
  for (auto& m : mModels) m->Draw(mCore, mTemp, MeshMatrix(*m), mRender2D, 0, 0, alpha);
}

void CGUIBaseObject::DrawLook(CGUILook& look, float alpha) {
  look.Draw(mCore, zormath::MatrixTranslation(mBoxOffset.x, mBoxOffset.y, mBoxOffset.z) * mTemp, MeshMatrix(look),
            mRender2D, mWidth, mHeight, alpha);
}

int32_t CGUIBaseObject::Render() {
  if (!mVisible) return 0;
  return RenderAlways();
}

int32_t CGUIBaseObject::RenderAlways() {
  DrawSelf();
  for (auto& c : mChildren) c->Render();
  return 0;
}

}  // namespace rovovoz
