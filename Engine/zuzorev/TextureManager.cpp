#include "Engine/zuzorev/TextureManager.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_image.h>

#include <cstring>

#include "Engine/zorfile/FileSystem.h"
#include "Engine/zuzorev/Device.h"
#include "Engine/zorlog/Log.h"
#include "Platform/Paths.h"
#include "Platform/Strings.h"

namespace zuzorev {
namespace {

const wchar_t* const kSource = L"Engine/zuzorev/TextureManager";

}  // namespace

template <typename F>
void CTextureManager::ForEachLive(F f) {
  for (auto it = mByKey.begin(); it != mByKey.end();) {
    if (auto d = it->second.lock()) {
      f(*d);
      ++it;
    } else {
      it = mByKey.erase(it);
    }
  }
  for (auto it = mCreated.begin(); it != mCreated.end();) {
    if (auto d = it->lock()) {
      f(*d);
      ++it;
    } else {
      it = mCreated.erase(it);
    }
  }
}

std::shared_ptr<STextureData> CTextureManager::Find(const std::wstring& name) {
  zorfile::CFileSystem* fs = zorfile::GetFileSystem();
  if (name.empty() || !fs || !fs->FileExist(name, nullptr, 1, zorfile::kKindTextures)) return nullptr;
  std::filesystem::path disk = fs->ResolveOnDisk(name, zorfile::kKindTextures);
  std::wstring key = disk.empty() ? Platform::DataNameKey(name) : Platform::DataNameKey(Platform::FromPath(disk));
  auto it = mByKey.find(key);
  if (it != mByKey.end())
    if (auto data = it->second.lock()) return data;
  auto data = std::make_shared<STextureData>();
  data->name = name;
  mByKey[key] = data;
  return data;
}

std::shared_ptr<STextureData> CTextureManager::Create(int width, int height, int format) {
  if (width <= 0 || height <= 0 || width > 8192 || height > 8192) return nullptr;
  auto data = std::make_shared<STextureData>();
  data->name = L"#created";
  data->created = true;
  data->width = width;
  data->height = height;
  data->format = format;
  data->texels.assign(static_cast<size_t>(width) * height, 0u);
  mCreated.push_back(data);
  return data;
}

bool CTextureManager::Decode(const std::string& bytes, const std::wstring& name, int& width, int& height,
                             int& format, std::vector<uint32_t>& texels) {
  if (bytes.empty() || bytes.size() > 0x7FFFFFFF) return false;
  SDL_RWops* rw = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
  SDL_Surface* surface = rw ? IMG_Load_RW(rw, 1) : nullptr;
  if (!surface) {
    // TGA has no signature to detect it by: try it by name.
    std::wstring ext;
    Platform::SplitPath(name, nullptr, nullptr, nullptr, &ext);
    if (Platform::EqualsNoCase(ext, L".tga")) {
      rw = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
      surface = rw ? IMG_LoadTyped_RW(rw, 1, "TGA") : nullptr;
    }
  }
  if (!surface) return false;
  const bool hasAlpha = surface->format->Amask != 0 || surface->format->palette != nullptr;
  SDL_Surface* argb = SDL_ConvertSurfaceFormat(surface, SDL_PIXELFORMAT_ARGB8888, 0);
  SDL_FreeSurface(surface);
  if (!argb) return false;
  width = argb->w;
  height = argb->h;
  format = hasAlpha ? kFormatA8R8G8B8 : kFormatX8R8G8B8;
  texels.resize(static_cast<size_t>(width) * height);
  SDL_LockSurface(argb);
  for (int y = 0; y < height; ++y)
    std::memcpy(texels.data() + static_cast<size_t>(y) * width,
                static_cast<const uint8_t*>(argb->pixels) + static_cast<size_t>(y) * argb->pitch,
                static_cast<size_t>(width) * 4);
  SDL_UnlockSurface(argb);
  SDL_FreeSurface(argb);
  if (!hasAlpha)
    for (auto& t : texels) t |= 0xFF000000u;
  return true;
}

bool CTextureManager::ReadSize(const std::wstring& name, int& width, int& height) {
  zorfile::CFileSystem* fs = zorfile::GetFileSystem();
  std::string bytes;
  if (!fs || !fs->ReadFile(name, bytes, zorfile::kKindTextures)) return false;
  int format = 0;
  std::vector<uint32_t> texels;
  return Decode(bytes, name, width, height, format, texels);
}

bool CTextureManager::MakeResident(STextureData& data) {
  if (data.texels.empty()) {
    if (data.created) return false;
    zorfile::CFileSystem* fs = zorfile::GetFileSystem();
    std::string bytes;
    if (!fs || !fs->ReadFile(data.name, bytes, zorfile::kKindTextures) ||
        !Decode(bytes, data.name, data.width, data.height, data.format, data.texels)) {
      LogMessage(ELogLevel::Error, kSource, __LINE__, L"No load texture %s.", data.name.c_str());
      data.texels.clear();
      return false;
    }
  }
  EnsureUploaded(data);
  return true;
}

void CTextureManager::EnsureUploaded(STextureData& data) {
  if (data.deviceId == 0 && mDevice && !data.texels.empty())
    data.deviceId = mDevice->CreateTexture(data.width, data.height, data.texels.data());
}

void CTextureManager::Upload(STextureData& data) {
  if (!mDevice || data.texels.empty()) return;
  if (data.deviceId == 0)
    data.deviceId = mDevice->CreateTexture(data.width, data.height, data.texels.data());
  else
    mDevice->UpdateTexture(data.deviceId, data.width, data.height, data.texels.data());
}

void CTextureManager::Evict(STextureData& data) {
  if (data.deviceId && mDevice) mDevice->DeleteTexture(data.deviceId);
  data.deviceId = 0;
  if (!data.created) data.texels.clear();  // a made texture keeps its content
}

void CTextureManager::Forget(STextureData& data) {
  if (data.deviceId && mDevice) mDevice->DeleteTexture(data.deviceId);
  data.deviceId = 0;
}

size_t CTextureManager::ResidentCount() const {
  size_t n = 0;
  for (auto& [key, weak] : mByKey)
    if (auto d = weak.lock(); d && d->residents > 0) ++n;
  for (auto& weak : mCreated)
    if (auto d = weak.lock(); d && d->deviceId) ++n;
  return n;
}

void CTextureManager::DropDeviceTextures() {
  ForEachLive([this](STextureData& d) {
    if (d.deviceId && mDevice) mDevice->DeleteTexture(d.deviceId);
    d.deviceId = 0;
  });
}

}  // namespace zuzorev
