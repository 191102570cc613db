#include "Engine/zuzorev/Texture.h"

#include "Engine/zuzorev/TextureManager.h"

namespace zuzorev {

CTexture::CTexture(const CTexture& other)
    : mManager(other.mManager), mData(other.mData), mUMax(other.mUMax), mVMax(other.mVMax) {
  // A copy names the same image; it is resident only once it is loaded itself.
  if (other.mLoaded) Load();
}

CTexture& CTexture::operator=(const CTexture& other) {
  if (this == &other) return *this;
  Release();
  mManager = other.mManager;
  mData = other.mData;
  mUMax = other.mUMax;
  mVMax = other.mVMax;
  if (other.mLoaded) Load();
  return *this;
}

CTexture::~CTexture() { Release(); }

void CTexture::Attach(const std::shared_ptr<CTextureManager>& manager, std::shared_ptr<STextureData> data) {
  Release();
  mManager = manager;
  mData = std::move(data);
  mUMax = mVMax = 1.0f;
}

int32_t CTexture::Load() {
  if (!mData) return kFail;
  if (mLoaded) return kOk;
  auto manager = mManager.lock();
  if (!manager || !manager->MakeResident(*mData)) return kFail;
  ++mData->residents;
  mLoaded = true;
  return kOk;
}

int32_t CTexture::UnLoad() {
  if (!mLoaded) return kOk;
  mLoaded = false;
  mLocked = false;
  if (mData && --mData->residents <= 0) {
    mData->residents = 0;
    if (auto manager = mManager.lock()) manager->Evict(*mData);
  }
  return kOk;
}

void CTexture::Release(int) {
  UnLoad();
  if (mData && mData.use_count() == 1) {
    if (auto manager = mManager.lock()) manager->Forget(*mData);
  }
  mData.reset();
  mManager.reset();
  mUMax = mVMax = 1.0f;
}

std::wstring CTexture::GetName() const { return mData ? mData->name : std::wstring(); }
uint32_t CTexture::GetDeviceId() const { return mData && mLoaded ? mData->deviceId : 0; }
int CTexture::GetWidth() const { return mData ? mData->width : 0; }
int CTexture::GetHeight() const { return mData ? mData->height : 0; }

int32_t CTexture::LockRect(int level, SLockedRect& out, uint32_t) {
  out = SLockedRect{};
  if (level != 0 || !mData || !mLoaded || mLocked || mData->texels.empty()) return kFail;
  out.Pitch = mData->width * 4;
  out.pBits = mData->texels.data();
  mLocked = true;
  return kOk;
}

int32_t CTexture::UnlockRect(int) {
  if (!mLocked) return kFail;
  mLocked = false;
  if (auto manager = mManager.lock()) manager->Upload(*mData);
  return kOk;
}

int32_t CTexture::GetLevelDesc(int level, SSurfaceDesc& out) const {
  out = SSurfaceDesc{};
  if (level != 0 || !mData || mData->width <= 0) return kFail;
  out.Format = mData->format;
  out.Width = mData->width;
  out.Height = mData->height;
  return kOk;
}

}  // namespace zuzorev
