#include "Engine/rovovoz/GUILook.h"

#include "Engine/TinyXmlExt/TinyXmlExt.h"
#include "Engine/rovovoz/GameCore.h"
#include "Engine/zorlog/Log.h"
#include "Engine/zuzorev/RenderSystem.h"

namespace rovovoz {

namespace {

const wchar_t* const kSource = L"Engine/rovovoz/GUILook";

void LogError(const wchar_t* format, const std::wstring& a, const std::wstring& b, int line) {
  zuzorev::LogMessage(zuzorev::ELogLevel::Error, kSource, line, format, a.c_str(), b.c_str());
}

}  // namespace

void ApplyGuiTransform(CGameCore* core, const zormath::Mat4f& matrix, bool render2D) {
  zuzorev::CRenderSystem* render = core ? core->GetRender() : nullptr;
  if (!render) return;
  if (render2D) render->SetTransform3DWorld2D(matrix, 1);
  else render->SetTransform(zuzorev::kTransformWorld, matrix);
}

bool CGUILook::Load(CGameCore* core, const TiXmlElement* element, const std::string& suffix,
                    const std::wstring& modelFile) {
  Release();
  if (!element) return true;
  bool ok = true;
  zuzorev::CRenderSystem* render = core ? core->GetRender() : nullptr;
  if (const TiXmlAttribute* a = FindUpper(element, ("Fill" + suffix).c_str())) {
    mFill = DwordValue(a);
    mHasFill = true;
  }
  if (const TiXmlAttribute* a = FindUpper(element, ("Image" + suffix).c_str()); a && !ValueUtf8(a).empty()) {
    const std::wstring file = ValueUtf8(a);
    if (render && render->LoadTexture(file, mTexture, 1, 0) >= 0) {
      mHasImage = true;
    } else {
      LogError(L"No load image %s of widget %s.", file, ValueUtf8(FindUpper(element, "Name")), __LINE__);
      ok = false;
    }
  }
  if (const TiXmlAttribute* a = FindUpper(element, ("NameModel" + suffix).c_str()); a && !ValueUtf8(a).empty()) {
    mModelName = ValueUtf8(a);
    if (!render || modelFile.empty() || render->LoadMesh(modelFile, mMesh, mModelName, 3, 0) < 0) {
      LogError(L"No load model %s from %s.", mModelName, modelFile, __LINE__);
      mMesh.Release();
      ok = false;
    }
  }
  return ok;
}

void CGUILook::Draw(CGameCore* core, const zormath::Mat4f& matrix, const zormath::Mat4f& meshMatrix, bool render2D,
                    float width, float height, float alpha) {
  zuzorev::CRenderSystem* render = core ? core->GetRender() : nullptr;
  if (!render || alpha <= 0.0f || IsEmpty()) return;
  if (mHasImage || mHasFill) {
    uint32_t color = mHasFill ? mFill : 0xFFFFFFFFu;
    const float a = static_cast<float>((color >> 24) & 255u) * (alpha > 1.0f ? 1.0f : alpha);
    color = (static_cast<uint32_t>(a + 0.5f) << 24) | (color & 0x00FFFFFFu);
    const float hw = width * 0.5f, hh = height * 0.5f;
    // x across, z up the screen; the picture's first row is its top.
    zuzorev::SVertex quad[4] = {{-hw, 0, -hh, color, 0, 1}, {hw, 0, -hh, color, 1, 1},
                                {-hw, 0, hh, color, 0, 0}, {hw, 0, hh, color, 1, 0}};
    const zuzorev::SMaterial saved = render->GetMaterial();
    render->SetMaterial(zuzorev::SMaterial::White());
    ApplyGuiTransform(core, matrix, render2D);
    render->BindRenderSeting(-1);
    render->BindDeclaration(render->GetDeclarationID(L"XYZDiffuseTex1"));
    render->BindTexture(0, mHasImage ? &mTexture : nullptr);
    render->DrawPrimitiveUP(zuzorev::kPrimTriangleStrip, 2, quad, sizeof(zuzorev::SVertex));
    render->BindTexture(0, nullptr);
    render->SetMaterial(saved);
  }
  if (!mMesh.Empty()) {
    ApplyGuiTransform(core, meshMatrix, render2D);
    zuzorev::SMeshDrawOptions options;
    options.alpha = alpha;
    render->DrawMesh(mMesh, options);
  }
}

int32_t CGUILook::LoadResources(uint32_t flags) {
  if (mHasImage) mTexture.Load();
  if (!mMesh.Empty()) mMesh.Load(flags);
  return zuzorev::kOk;
}

int32_t CGUILook::UnLoadResources(uint32_t flags) {
  if (mHasImage) mTexture.UnLoad();
  if (!mMesh.Empty()) mMesh.UnLoad(flags);
  return zuzorev::kOk;
}

void CGUILook::Release() {
  mTexture.Release();
  mHasImage = false;
  mHasFill = false;
  mFill = 0;
  mMesh.Release();
  mModelName.clear();
}

}  // namespace rovovoz
