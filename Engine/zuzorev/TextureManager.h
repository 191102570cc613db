#pragma once
// The render system's texture store: one shared image per resolved file
// name, decoded by SDL2_image from bytes read through the file system, and
// the device textures made from them.
#include <map>
#include <memory>
#include <string>

#include "Engine/zuzorev/Texture.h"

namespace zuzorev {

class IDevice;

class CTextureManager {
 public:
  explicit CTextureManager(IDevice* device) : mDevice(device) {}

  void SetDevice(IDevice* device) { mDevice = device; }
  // Cache folder for converted textures (kept; nothing is cached on Linux).
  void SetSaveDirectory(const std::wstring& folder) { mSaveDirectory = folder; }
  const std::wstring& GetSaveDirectory() const { return mSaveDirectory; }

  // The shared image of a data name (made on first use, not yet read).
  // Null when the name does not resolve.
  std::shared_ptr<STextureData> Find(const std::wstring& name);
  // A new image of its own, made in memory.
  std::shared_ptr<STextureData> Create(int width, int height, int format);

  // Reads the image if needed and uploads it; false when it cannot be read.
  bool MakeResident(STextureData& data);
  void Evict(STextureData& data);
  void Upload(STextureData& data);
  // Drops the device texture of an image nobody uses any more.
  void Forget(STextureData& data);

  // Decodes an image file's bytes into 0xAARRGGBB texels. False when the
  // bytes are no image SDL2_image knows.
  static bool Decode(const std::string& bytes, const std::wstring& name, int& width, int& height, int& format,
                     std::vector<uint32_t>& texels);
  // Reads a named image's size without keeping it. False when missing.
  bool ReadSize(const std::wstring& name, int& width, int& height);

  // Device textures currently alive (for the buffer log and tests).
  size_t ResidentCount() const;

  // Makes sure a resident image has its device texture (after a device
  // change every image is uploaded again on first use).
  void EnsureUploaded(STextureData& data);
  // Before the device goes: every device texture is deleted.
  void DropDeviceTextures();

 private:
  IDevice* mDevice;
  std::wstring mSaveDirectory;
  std::map<std::wstring, std::weak_ptr<STextureData>> mByKey;  // lower-case resolved key
  std::vector<std::weak_ptr<STextureData>> mCreated;

  template <typename F>
  void ForEachLive(F f);
};

}  // namespace zuzorev
