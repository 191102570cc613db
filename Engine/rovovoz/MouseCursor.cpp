#include "Engine/rovovoz/MouseCursor.h"

#include <algorithm>
#include <cmath>

#include "Engine/TinyXmlExt/TinyXmlExt.h"
#include "Engine/rovovoz/GameCore.h"
#include "Engine/zuzorev/InputSystem.h"
#include "Engine/zorlog/Log.h"
#include "Engine/zuzorev/RenderSystem.h"
#include "Engine/zuzorev/WindowSystem.h"
#include "Platform/Strings.h"

namespace rovovoz {
namespace {

using zuzorev::ELogLevel;
using zuzorev::LogMessage;

const wchar_t* const kSource = L"Engine/rovovoz/MouseCursor";
constexpr float kHalfWidth = 512.0f;
constexpr float kHalfHeight = 384.0f;

// A quad of the virtual screen drawn in the interface space.
void DrawScreenQuad(zuzorev::CRenderSystem* render, float left, float top, float right, float bottom, float u0,
                    float u1, uint32_t color) {
  auto corner = [&](float x, float y, float u, float v) {
    return zuzorev::SVertex{x - kHalfWidth, 1000.0f, kHalfHeight - y, color, u, v};
  };
  zuzorev::SVertex quad[4] = {corner(left, bottom, u0, 1), corner(right, bottom, u1, 1), corner(left, top, u0, 0),
                              corner(right, top, u1, 0)};
  render->DrawPrimitiveUP(zuzorev::kPrimTriangleStrip, 2, quad, sizeof(zuzorev::SVertex));
}

}  // namespace

CMouseCursor::CMouseCursor(CGameCore* core) : mCore(core) {}

CMouseCursor::~CMouseCursor() {
  if (mAppliedSystem && SDL_WasInit(SDL_INIT_VIDEO)) SDL_SetCursor(SDL_GetDefaultCursor());
  for (auto& c : mCursors)
    if (c->system) SDL_FreeCursor(c->system);
  if (mCore && mCore->GetWindow()) mCore->GetWindow()->SetSystemPointerWanted(false);
}

int32_t CMouseCursor::Load(const std::wstring& file) {
  TiXmlDocument doc;
  const TiXmlElement* root = LoadXmlDocument(doc, file) ? FirstChildElementUpper(&doc, "Cursors") : nullptr;
  if (!root) {
    if (!doc.Error())  // else named as not parsed
      LogMessage(ELogLevel::Error, kSource, __LINE__, L"No find cursor list %s.", file.c_str());
    return zuzorev::kFail;
  }
  zuzorev::CRenderSystem* render = mCore ? mCore->GetRender() : nullptr;
  mCursors.clear();
  mStyles.clear();
  for (const TiXmlElement* e = IterateChildrenElementUpper(root, "Cursor", nullptr); e;
       e = IterateChildrenElementUpper(root, "Cursor", e)) {
    auto c = std::make_unique<SCursor>();
    c->name = ValueUtf8(FindUpper(e, "Name"));
    c->image = ValueUtf8(FindUpper(e, "Image"));
    c->hotX = IntValue(FindUpper(e, "HotX"));
    c->hotY = IntValue(FindUpper(e, "HotY"));
    if (const TiXmlAttribute* a = FindUpper(e, "Frames")) c->frames = std::clamp(IntValue(a), 1, 64);
    if (const TiXmlAttribute* a = FindUpper(e, "Fps")) c->fps = std::max(0.0f, FloatValue(a));
    if (c->name.empty()) continue;
    if (render && !c->image.empty() && render->LoadTexture(c->image, c->texture, 1, 0) < 0)
      LogMessage(ELogLevel::Warning, kSource, __LINE__, L"No load cursor image %s.", c->image.c_str());
    mCursors.push_back(std::move(c));
  }
  for (const TiXmlElement* e = IterateChildrenElementUpper(root, "Hint", nullptr); e;
       e = IterateChildrenElementUpper(root, "Hint", e)) {
    SHintStyle s;
    s.name = ValueUtf8(FindUpper(e, "Name"));
    if (const TiXmlAttribute* a = FindUpper(e, "Font")) s.font = ValueUtf8(a);
    if (const TiXmlAttribute* a = FindUpper(e, "Height")) s.height = std::clamp(IntValue(a), 4, 200);
    if (const TiXmlAttribute* a = FindUpper(e, "Color")) s.color = DwordValue(a);
    if (const TiXmlAttribute* a = FindUpper(e, "Back")) s.back = DwordValue(a);
    if (const TiXmlAttribute* a = FindUpper(e, "Padding")) s.padding = std::clamp(IntValue(a), 0, 100);
    mStyles.push_back(s);
  }
  if (mCursors.empty()) {
    LogMessage(ELogLevel::Error, kSource, __LINE__, L"No cursor in %s.", file.c_str());
    return zuzorev::kFail;
  }
  mCurrent = 0;
  mTime = 0;
  ApplySystemPointer();
  return zuzorev::kOk;
}

bool CMouseCursor::SetCursor(const std::wstring& name, int restart) {
  for (size_t i = 0; i < mCursors.size(); ++i)
    if (Platform::EqualsNoCase(mCursors[i]->name, name)) return SetCursor(static_cast<int>(i), restart);
  return false;
}

bool CMouseCursor::SetCursor(int number, int restart) {
  if (number < 0 || static_cast<size_t>(number) >= mCursors.size()) return false;
  if (number != mCurrent || restart) mTime = 0;
  if (number != mCurrent) {
    mCurrent = number;
    ApplySystemPointer();
  }
  return true;
}

std::wstring CMouseCursor::GetCursorName() const {
  return mCurrent >= 0 && static_cast<size_t>(mCurrent) < mCursors.size() ? mCursors[static_cast<size_t>(mCurrent)]->name
                                                                           : std::wstring();
}

void CMouseCursor::SetPosition(float x, float y, int mode) {
  zuzorev::CRenderSystem* render = mCore ? mCore->GetRender() : nullptr;
  float vx = x, vy = y, wx = x, wy = y;
  if (render) {
    if (mode == 1) render->VirtualToWindow(x, y, wx, wy);
    else render->WindowToVirtual(x, y, vx, vy);
  }
  mPos = zormath::Vec3f(vx, vy, 0);
  if (mCore && mCore->GetInput())
    mCore->GetInput()->SetMousePosition(static_cast<int>(std::lround(wx)), static_cast<int>(std::lround(wy)));
  if (mCore && mCore->GetWindow() && mCore->GetWindow()->GetSDLWindow())
    SDL_WarpMouseInWindow(mCore->GetWindow()->GetSDLWindow(), static_cast<int>(std::lround(wx)),
                          static_cast<int>(std::lround(wy)));
}

void CMouseCursor::GetPosition(zormath::Vec3f& point, int mode) const {
  point = mPos;
  if (mode == 1) return;
  zuzorev::CRenderSystem* render = mCore ? mCore->GetRender() : nullptr;
  if (render) render->VirtualToWindow(mPos.x, mPos.y, point.x, point.y);
}

zormath::Vec3f CMouseCursor::GetPosition3D(int) const {
  return zormath::Vec3f(mPos.x - kHalfWidth, 0.0f, kHalfHeight - mPos.y);
}

void CMouseCursor::SetPosition3D(const zormath::Vec3f& point, int) {
  SetPosition(point.x + kHalfWidth, kHalfHeight - point.z, 1);
}

void CMouseCursor::SetVisible(int visible) {
  if (mVisible == (visible != 0)) return;
  mVisible = visible != 0;
  ApplySystemPointer();
}

void CMouseCursor::SetWindowsCursor(int on) {
  if (mWindowsCursor == (on != 0)) return;
  mWindowsCursor = on != 0;
  ApplySystemPointer();
}

int CMouseCursor::IsWindow() const {
  zuzorev::CWindowSystem* window = mCore ? mCore->GetWindow() : nullptr;
  return window && window->IsMouseInside() && !window->IsMinimized() ? 1 : 0;
}

void CMouseCursor::ApplySystemPointer() {
  zuzorev::CWindowSystem* window = mCore ? mCore->GetWindow() : nullptr;
  if (!window) return;
  window->SetSystemPointerWanted(mWindowsCursor && mVisible);
  if (!mWindowsCursor || !SDL_WasInit(SDL_INIT_VIDEO) || mCursors.empty()) return;
  // The system pointer wears the current cursor's first frame.
  SCursor& c = *mCursors[static_cast<size_t>(mCurrent)];
  if (!c.system && c.texture.IsLoaded() && c.texture.Data() && !c.texture.Data()->texels.empty()) {
    const auto& d = *c.texture.Data();
    const int w = d.width / c.frames;
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, w, d.height, 32, SDL_PIXELFORMAT_ARGB8888);
    if (s) {
      SDL_LockSurface(s);
      for (int y = 0; y < d.height; ++y)
        std::copy_n(d.texels.data() + static_cast<size_t>(y) * d.width, w,
                    reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(s->pixels) + static_cast<size_t>(y) * s->pitch));
      SDL_UnlockSurface(s);
      c.system = SDL_CreateColorCursor(s, std::clamp(c.hotX, 0, w - 1), std::clamp(c.hotY, 0, d.height - 1));
      SDL_FreeSurface(s);
    }
  }
  if (c.system && c.system != mAppliedSystem) {
    SDL_SetCursor(c.system);
    mAppliedSystem = c.system;
  }
}

void CMouseCursor::UpdatePosition() {
  zuzorev::CInputSystem* input = mCore ? mCore->GetInput() : nullptr;
  zuzorev::CRenderSystem* render = mCore ? mCore->GetRender() : nullptr;
  if (!input || !render) return;
  int x = 0, y = 0;
  input->GetMousePosition(x, y);
  float vx = 0, vy = 0;
  render->WindowToVirtual(static_cast<float>(x), static_cast<float>(y), vx, vy);
  mPos = zormath::Vec3f(vx, vy, 0);
}

void CMouseCursor::Update(float dt) {
  if (dt > 0) mTime += dt;
  mHintVisible = mHintPending;
  mHintPending = false;
}

void CMouseCursor::SetHint(const std::wstring& name, const std::wstring& text, const zormath::Vec3f& point, int show,
                           int align) {
  if (!show || text.empty()) {
    mHintPending = false;
    mHintVisible = false;
    return;
  }
  mHint = SHint{name, text, point, align};
  mHintPending = true;
  mHintVisible = true;
}

const CMouseCursor::SHintStyle& CMouseCursor::StyleOf(const std::wstring& name) const {
  static const SHintStyle kDefault;
  for (const auto& s : mStyles)
    if (Platform::EqualsNoCase(s.name, name)) return s;
  return mStyles.empty() ? kDefault : mStyles.front();
}

void CMouseCursor::Render() {
  if (!mWindowsCursor) DrawCursor();
  DrawHint();
}

void CMouseCursor::RenderHint() { DrawHint(); }

void CMouseCursor::DrawCursor() {
  zuzorev::CRenderSystem* render = mCore ? mCore->GetRender() : nullptr;
  if (!render || !mVisible || mCursors.empty()) return;
  SCursor& c = *mCursors[static_cast<size_t>(mCurrent)];
  if (!c.texture.IsLoaded()) return;
  const int frame = c.frames > 1 ? static_cast<int>(mTime * c.fps) % c.frames : 0;
  const float w = static_cast<float>(c.texture.GetWidth()) / c.frames;
  const float h = static_cast<float>(c.texture.GetHeight());
  const float left = mPos.x - c.hotX, top = mPos.y - c.hotY;
  const zuzorev::SMaterial saved = render->GetMaterial();
  render->SetMaterial(zuzorev::SMaterial::White());
  render->SetTransform3DWorld2D(zormath::Mat4f::Identity(), 1);
  render->BindRenderSeting(-1);
  render->BindDeclaration(render->GetDeclarationID(L"XYZDiffuseTex1"));
  render->BindTexture(0, c.texture);
  const float u0 = static_cast<float>(frame) / c.frames, u1 = static_cast<float>(frame + 1) / c.frames;
  DrawScreenQuad(render, left, top, left + w, top + h, u0, u1, 0xFFFFFFFFu);
  render->BindTexture(0, nullptr);
  render->SetMaterial(saved);
}

void CMouseCursor::DrawHint() {
  zuzorev::CRenderSystem* render = mCore ? mCore->GetRender() : nullptr;
  if (!render || !mHintVisible || mHint.text.empty()) return;
  const SHintStyle& style = StyleOf(mHint.style);
  if (!mHintFont.IsReady() || mHintFontStyle != style.name) {
    mHintFontStyle = style.name;
    mHintFont.SetRenderSetingID(-1);
    if (render->CreateFontW(mHintFont, style.font, style.height, 0) < 0 &&
        render->CreateFontW(mHintFont, L"DejaVuSans.ttf", style.height, 0) < 0)
      return;
  }
  const int tw = mHintFont.GetTextWidth(mHint.text);
  const int th = mHintFont.GetLineHeight();
  // The scene point on the virtual screen; the box sits centred above it.
  const float px = mHint.point.x + kHalfWidth, py = kHalfHeight - mHint.point.z;
  float left = px - tw * 0.5f - style.padding, right = px + tw * 0.5f + style.padding;
  float bottom = (mHint.align & 8) ? py : py + th + 2.0f * style.padding;
  float top = bottom - th - 2.0f * style.padding;
  const zuzorev::SMaterial saved = render->GetMaterial();
  render->SetMaterial(zuzorev::SMaterial::White());
  render->SetTransform3DWorld2D(zormath::Mat4f::Identity(), 1);
  render->BindRenderSeting(-1);
  render->BindDeclaration(render->GetDeclarationID(L"XYZDiffuseTex1"));
  render->BindTexture(0, nullptr);
  DrawScreenQuad(render, left, top, right, bottom, 0, 1, style.back);
  render->SetTransform2DWorld2D(zormath::Mat4f::Identity());
  zuzorev::SRect rect{static_cast<int32_t>(std::lround(left + style.padding)),
                      static_cast<int32_t>(std::lround(top + style.padding)),
                      static_cast<int32_t>(std::lround(right - style.padding)) + 1,
                      static_cast<int32_t>(std::lround(bottom - style.padding))};
  render->DrawTextW(mHintFont, mHint.text, rect, 0, style.color, 4);
  render->SetMaterial(saved);
}

}  // namespace rovovoz
