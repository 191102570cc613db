#include "Engine/rovovoz/VideoObject3D.h"

#include <string>

#include "Engine/TinyXmlExt/TinyXmlExt.h"
#include "Engine/zorfile/FileSystem.h"
#include "Engine/zorvideo/VideoClip.h"
#include "Engine/zorvideo/VideoPlayer.h"
#include "Engine/zuzorev/Log.h"
#include "Platform/Strings.h"

namespace rovovoz {
namespace {

const wchar_t* const kSourceTag = L"Engine/rovovoz/VideoObject3D";
constexpr int32_t kFail = static_cast<int32_t>(0x80004005u);

void LogError(int line, const wchar_t* format, const std::wstring& a, const std::wstring& b = std::wstring()) {
  zuzorev::InitError(format, a.c_str(), b.c_str());
  zuzorev::ErrorAddFileAndLine(kSourceTag, line);
  zuzorev::AddDebugError();
}

}  // namespace

CVideoObject3D::CVideoObject3D(zorvideo::CVideoPlayer* player)
    : mPlayer(player ? player : zorvideo::GetVideoPlayer()) {}

CVideoObject3D::~CVideoObject3D() = default;

int32_t CVideoObject3D::CreateClip(int32_t width, int32_t height, const std::wstring& clipName,
                                   const std::wstring& videoFile, int32_t /*flags*/) {
  mClip.reset();
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

int32_t CVideoObject3D::Render() { return 0; }

void CVideoObject3D::SetAlpha(float alpha) { mAlpha = alpha; }

bool CVideoObject3D::IsPlaying() const { return mClip && mClip->IsPlaying(); }
bool CVideoObject3D::IsFinished() const { return mClip && mClip->IsFinished(); }

const uint32_t* CVideoObject3D::GetFrame() const { return mClip ? mClip->GetFrame() : nullptr; }
int CVideoObject3D::GetFrameWidth() const { return mClip ? mClip->GetWidth() : 0; }
int CVideoObject3D::GetFrameHeight() const { return mClip ? mClip->GetHeight() : 0; }

}  // namespace rovovoz
