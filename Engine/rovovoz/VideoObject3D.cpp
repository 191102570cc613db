#include "Engine/rovovoz/VideoObject3D.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

#include "Engine/TinyXmlExt/TinyXmlExt.h"
#include "Engine/rovovoz/GameCore.h"
#include "Engine/zorfile/FileSystem.h"
#include "Engine/zorvideo/VideoClip.h"
#include "Engine/zorvideo/VideoPlayer.h"
#include "Engine/zorlog/Log.h"
#include "Engine/zuzorev/RenderSystem.h"
#include "Platform/Strings.h"

namespace rovovoz {
namespace {

const wchar_t* const kSourceTag = L"Engine/rovovoz/VideoObject3D";
constexpr int32_t kFail = static_cast<int32_t>(0x80004005u);

void LogError(int line, const wchar_t* format, const std::wstring& a, const std::wstring& b = std::wstring()) {
  zuzorev::LogMessage(zuzorev::ELogLevel::Error, kSourceTag, line, format, a.c_str(), b.c_str());
}

}  // namespace

CVideoObject3D::CVideoObject3D(CGameCore* core)
    : CBaseGeometryObject(core),
      mPlayer(core && core->GetVideoPlayer() ? core->GetVideoPlayer() : zorvideo::GetVideoPlayer()) {}

CVideoObject3D::CVideoObject3D(zorvideo::CVideoPlayer* player)
    : mPlayer(player ? player : zorvideo::GetVideoPlayer()) {}

CVideoObject3D::~CVideoObject3D() = default;

int32_t CVideoObject3D::CreateClip(int32_t width, int32_t height, const std::wstring& clipName,
                                   const std::wstring& videoFile, int32_t /*flags*/) {
  mClip.reset();
  ++mClipSerial;
  mClipName = clipName;
  std::string bytes;
  zorfile::CFileSystem* fs = zorfile::GetFileSystem();
  if (!fs || !fs->ReadFile(videoFile, bytes, zorfile::kKindVideos)) {
    LogError(__LINE__, L"Video clip %s: file %s not found", clipName, videoFile);
    return 0;
  }
  auto clip = std::make_unique<zorvideo::CVideoClip>(mPlayer);
  std::string error;
  if (!clip->Open(std::move(bytes), error)) {
    LogError(__LINE__, L"Video clip %s: %s", clipName, videoFile + L": " + Platform::Utf8ToWide(error));
    return 0;
  }
  mClip = std::move(clip);
  mWidth = width > 0 ? width : mClip->GetWidth();
  mHeight = height > 0 ? height : mClip->GetHeight();
  return 1;
}

int32_t CVideoObject3D::Load(const TiXmlElement* properties, const std::wstring& /*renderFile*/,
                             uint32_t /*flags*/) {
  if (!properties) return kFail;
  const std::wstring file = ValueUtf8(FindUpper(properties, "File"));
  if (file.empty()) {
    LogError(__LINE__, L"Video object: Properties without File at line %s", std::to_wstring(properties->Row()));
    return kFail;
  }
  std::wstring name = ValueUtf8(FindUpper(properties, "Name"));
  if (name.empty()) name = file;
  const int32_t width = IntValue(FindUpper(properties, "Width"));
  const int32_t height = IntValue(FindUpper(properties, "Height"));
  return CreateClip(width, height, name, file, 0) ? 0 : kFail;
}

void CVideoObject3D::Play(float fadeIn) {
  if (mClip) mClip->Play(false, fadeIn);
}

void CVideoObject3D::PlayLoop(float fadeIn) {
  if (mClip) mClip->Play(true, fadeIn);
}

void CVideoObject3D::Stop(float fade) {
  if (mClip) mClip->Stop(fade);
}

int32_t CVideoObject3D::Stop(int /*mode*/) {
  Stop(0.0f);
  return 1;
}

void CVideoObject3D::UnPause() {
  if (mClip) mClip->UnPause();
}

void CVideoObject3D::SetVolume(float volume) {
  if (mClip) mClip->SetVolume(volume);
}

int32_t CVideoObject3D::Update(float dt, CMouseCursor* /*cursor*/) {
  if (mClip) mClip->Advance(dt);
  return 0;
}

bool CVideoObject3D::UpdateTexture() {
  zuzorev::CRenderSystem* render = mCore ? mCore->GetRender() : nullptr;
  const uint32_t* frame = mClip ? mClip->GetFrame() : nullptr;
  const int width = mClip ? mClip->GetWidth() : 0, height = mClip ? mClip->GetHeight() : 0;
  if (!render || !frame || width <= 0 || height <= 0) return false;
  if (mTexture && (mTexture->GetWidth() != width || mTexture->GetHeight() != height)) mTexture.reset();
  if (!mTexture) {
    mTexture.reset(render->CreateTexture(width, height, 1, 0, zuzorev::kFormatA8R8G8B8, 1));
    mShownFrame = -1;
    if (!mTexture) return false;
  }
  // Decoding is deterministic: the same index of the same clip is always the
  // same picture, so clip and index tell whether the texture is current.
  const int index = mClip->GetFrameIndex();
  if (mShownFrame == index && mShownSerial == mClipSerial) return true;
  zuzorev::SLockedRect rect;
  if (mTexture->LockRect(0, rect, 0) < 0) return false;
  const size_t rowBytes = static_cast<size_t>(width) * sizeof(uint32_t);
  if (rect.Pitch < 0 || static_cast<size_t>(rect.Pitch) < rowBytes) {
    mTexture->UnlockRect(0);
    return false;
  }
  for (int y = 0; y < height; ++y)
    std::memcpy(static_cast<uint8_t*>(rect.pBits) + static_cast<size_t>(y) * rect.Pitch,
                frame + static_cast<size_t>(y) * width, rowBytes);
  mTexture->UnlockRect(0);
  mShownSerial = mClipSerial;
  mShownFrame = index;
  return true;
}

int32_t CVideoObject3D::Render() {
  zuzorev::CRenderSystem* render = mCore ? mCore->GetRender() : nullptr;
  if (!render || !mVisible || !(mAlpha > 0.0f) || mWidth <= 0 || mHeight <= 0) return 0;
  if (!UpdateTexture()) return 0;

  const float alpha = std::min(mAlpha, 1.0f);
  const uint32_t color = (static_cast<uint32_t>(std::lround(alpha * 255.0f)) << 24) | 0x00FFFFFFu;
  const float hw = static_cast<float>(mWidth) * 0.5f, hh = static_cast<float>(mHeight) * 0.5f;
  // x across, z up; the picture's first row is its top (v = 0).
  const zuzorev::SVertex quad[4] = {{-hw, 0, -hh, color, 0, 1}, {hw, 0, -hh, color, 1, 1},
                                    {-hw, 0, hh, color, 0, 0}, {hw, 0, hh, color, 1, 0}};
  // The picture shows as decoded, unlit, whatever light and material the
  // scene set; the scene's state is given back afterwards.
  const uint32_t savedLighting = render->GetRenderState(zuzorev::kRsLighting);
  const int savedSeting = render->GetBoundRenderSeting();
  render->SetRenderState(zuzorev::kRsLighting, 0);
  ApplyTransform(mTemp);
  render->BindRenderSeting(-1);
  render->BindDeclaration(render->GetDeclarationID(L"XYZDiffuseTex1"));
  render->BindTexture(0, mTexture.get());
  render->DrawPrimitiveUP(zuzorev::kPrimTriangleStrip, 2, quad, sizeof(zuzorev::SVertex));
  render->BindTexture(0, nullptr);
  render->BindRenderSeting(savedSeting);
  render->SetRenderState(zuzorev::kRsLighting, savedLighting);
  return 0;
}

int32_t CVideoObject3D::UnLoad(uint32_t /*flags*/) {
  mTexture.reset();
  mShownFrame = -1;
  return 1;
}

int32_t CVideoObject3D::Release(uint32_t flags) {
  UnLoad(flags);
  mClip.reset();
  ++mClipSerial;
  return 0;
}

bool CVideoObject3D::IsPlaying() const { return mClip && mClip->IsPlaying(); }
bool CVideoObject3D::IsFinished() const { return mClip && mClip->IsFinished(); }

const uint32_t* CVideoObject3D::GetFrame() const { return mClip ? mClip->GetFrame() : nullptr; }
int CVideoObject3D::GetFrameWidth() const { return mClip ? mClip->GetWidth() : 0; }
int CVideoObject3D::GetFrameHeight() const { return mClip ? mClip->GetHeight() : 0; }

}  // namespace rovovoz
