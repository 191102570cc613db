#include "Engine/zuzorev/DeviceHeadless.h"

#include <cstdlib>
#include <cstring>

namespace zuzorev {

namespace {
EDeviceKind DefaultKind() {
  const char* env = std::getenv("LHT_HEADLESS");
  return env && std::strcmp(env, "1") == 0 ? EDeviceKind::Headless : EDeviceKind::GL;
}
EDeviceKind gDeviceKind = DefaultKind();
}  // namespace

EDeviceKind GetDeviceKind() { return gDeviceKind; }
void SetDeviceKind(EDeviceKind kind) { gDeviceKind = kind; }

std::unique_ptr<IDevice> CreateHeadlessDevice() { return std::make_unique<CDeviceHeadless>(); }

void CDeviceHeadless::GetBackBufferSize(int& width, int& height) const {
  width = mWidth;
  height = mHeight;
}

void CDeviceHeadless::SetBackBufferSize(int width, int height) {
  mWidth = width > 0 ? width : 1;
  mHeight = height > 0 ? height : 1;
}

uint32_t CDeviceHeadless::CreateTexture(int width, int height, const uint32_t*) {
  uint32_t id = mNextId++;
  mTextures[id] = STextureInfo{width, height, 1};
  return id;
}

void CDeviceHeadless::UpdateTexture(uint32_t id, int width, int height, const uint32_t*) {
  auto it = mTextures.find(id);
  if (it == mTextures.end()) return;
  it->second.width = width;
  it->second.height = height;
  ++it->second.uploads;
}

void CDeviceHeadless::DeleteTexture(uint32_t id) { mTextures.erase(id); }

void CDeviceHeadless::Clear(uint32_t, const SViewport&) { ++mClears; }

void CDeviceHeadless::Draw(int, const SVertex* vertices, int vertexCount, const uint32_t* indices, int indexCount,
                           const SDrawState&, const SGeometryKey&) {
  ++mDraws;
  mVertices += indexCount > 0 ? indexCount : vertexCount;
  mLast.clear();
  if (indices && indexCount > 0) {
    for (int i = 0; i < indexCount; ++i)
      if (indices[i] < static_cast<uint32_t>(vertexCount)) mLast.push_back(vertices[indices[i]]);
  } else if (vertices && vertexCount > 0) {
    mLast.assign(vertices, vertices + vertexCount);
  }
}

}  // namespace zuzorev
