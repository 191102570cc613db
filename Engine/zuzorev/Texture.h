#pragma once
// A texture: a named image (read through the file system by SDL2_image,
// whatever the name's extension) or a texture made in memory. Textures that
// name the same file share one image and one device texture; the shared
// image stays resident while any of them is loaded.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "Engine/zuzorev/RenderTypes.h"

namespace zuzorev {

class CTextureManager;

// One image shared by every texture that names it.
struct STextureData {
  std::wstring name;               // the data name as first given
  bool created = false;            // made by CreateTexture, not read from a file
  int width = 0, height = 0;
  int format = kFormatA8R8G8B8;
  std::vector<uint32_t> texels;    // 0xAARRGGBB, row 0 at the top; empty while not resident
  uint32_t deviceId = 0;
  int residents = 0;               // textures holding it loaded
};

class CTexture {
 public:
  CTexture() = default;
  CTexture(const CTexture& other);
  CTexture& operator=(const CTexture& other);
  ~CTexture();

  // Makes the named image resident (reads and uploads it). N.
  int32_t Load();
  // Gives the residency back; the name stays. N.
  int32_t UnLoad();
  // Unloads and forgets the name.
  void Release(int flags = 0);

  bool IsNamed() const { return mData != nullptr; }
  bool IsLoaded() const { return mLoaded; }
  std::wstring GetName() const;
  uint32_t GetDeviceId() const;

  // Own size in texels (0 while not resident).
  int GetWidth() const;
  int GetHeight() const;
  // Extents of the picture inside the texture (1.0 unless a real-size load
  // said otherwise).
  float GetUMax() const { return mUMax; }
  float GetVMax() const { return mVMax; }
  void SetExtents(float u, float v) { mUMax = u; mVMax = v; }

  // Texel access of level 0 (the only level): A8R8G8B8 texels, pitch in
  // bytes. Unlock uploads the change. N.
  int32_t LockRect(int level, SLockedRect& out, uint32_t flags = 0);
  int32_t UnlockRect(int level = 0);
  // Format and size of level 0. N; fails while not resident.
  int32_t GetLevelDesc(int level, SSurfaceDesc& out) const;

  // Engine side: binds this texture to a shared image.
  void Attach(const std::shared_ptr<CTextureManager>& manager, std::shared_ptr<STextureData> data);
  const std::shared_ptr<STextureData>& Data() const { return mData; }

 private:
  std::weak_ptr<CTextureManager> mManager;  // the render system may go first
  std::shared_ptr<STextureData> mData;
  bool mLoaded = false;
  bool mLocked = false;
  float mUMax = 1.0f;
  float mVMax = 1.0f;
};

}  // namespace zuzorev
