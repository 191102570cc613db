#include "Engine/zuzorev/DeviceSkipUnchanged.h"

#include <SDL2/SDL.h>

#include <cstring>

namespace zuzorev {

std::unique_ptr<IDevice> CreateSkipUnchangedDevice(std::unique_ptr<IDevice> device) {
  return std::make_unique<CSkipUnchangedDevice>(std::move(device));
}

CSkipUnchangedDevice::CSkipUnchangedDevice(std::unique_ptr<IDevice> device) : mDevice(std::move(device)) {}

CSkipUnchangedDevice::~CSkipUnchangedDevice() { Close(); }

bool CSkipUnchangedDevice::SFrame::operator==(const SFrame& other) const {
  return width == other.width && height == other.height && commands == other.commands &&
         vertices.size() == other.vertices.size() && indices == other.indices &&
         (vertices.empty() || std::memcmp(vertices.data(), other.vertices.data(), vertices.size() * sizeof(SVertex)) == 0);
}

bool CSkipUnchangedDevice::Open(SDL_Window* window, int antialiasing) {
  Close();
  if (!mDevice->Open(window, antialiasing)) return false;
  if (SDL_WasInit(SDL_INIT_EVENTS)) {
    SDL_AddEventWatch(&CSkipUnchangedDevice::WatchWindow, this);
    mWatching = true;
  }
  mRedraw = true;
  return true;
}

void CSkipUnchangedDevice::Close() {
  // After SDL has shut its events down there is no watch left to remove.
  if (mWatching && SDL_WasInit(SDL_INIT_EVENTS)) SDL_DelEventWatch(&CSkipUnchangedDevice::WatchWindow, this);
  mWatching = false;
  mFrame.Clear();
  mShownFrame.Clear();
  mSent = 0;
  mRedraw = true;
  mDevice->Close();
}

// Called by SDL as events arrive (on the thread that pumps them).
int CSkipUnchangedDevice::WatchWindow(void* self, SDL_Event* event) {
  if (event->type == SDL_WINDOWEVENT) {
    switch (event->window.event) {
      case SDL_WINDOWEVENT_EXPOSED:
      case SDL_WINDOWEVENT_SHOWN:
      case SDL_WINDOWEVENT_RESTORED:
      case SDL_WINDOWEVENT_MAXIMIZED:
      case SDL_WINDOWEVENT_RESIZED:
      case SDL_WINDOWEVENT_SIZE_CHANGED:
        static_cast<CSkipUnchangedDevice*>(self)->mExposed = true;
        break;
      default: break;
    }
  }
  return 1;
}

void CSkipUnchangedDevice::SetBackBufferSize(int width, int height) {
  mDevice->SetBackBufferSize(width, height);
  mRedraw = true;
}

uint32_t CSkipUnchangedDevice::CreateTexture(int width, int height, const uint32_t* texels) {
  return mDevice->CreateTexture(width, height, texels);
}

// The draws made so far see the texture as it was: they go first.
void CSkipUnchangedDevice::UpdateTexture(uint32_t id, int width, int height, const uint32_t* texels) {
  Flush();
  mRedraw = true;
  mDevice->UpdateTexture(id, width, height, texels);
}

void CSkipUnchangedDevice::DeleteTexture(uint32_t id) {
  Flush();
  mRedraw = true;
  mDevice->DeleteTexture(id);
}

void CSkipUnchangedDevice::Clear(uint32_t color, const SViewport& viewport) {
  SCommand c;
  c.clear = true;
  c.color = color;
  c.viewport = viewport;
  mFrame.commands.push_back(c);
}

void CSkipUnchangedDevice::Draw(int primitive, const SVertex* vertices, int vertexCount, const uint32_t* indices,
                                int indexCount, const SDrawState& state, const SGeometryKey& geometry) {
  if (!vertices || vertexCount <= 0) return;
  SCommand c;
  c.primitive = primitive;
  c.vertexCount = vertexCount;
  c.indexCount = indices && indexCount > 0 ? indexCount : 0;
  c.firstVertex = mFrame.vertices.size();
  c.firstIndex = mFrame.indices.size();
  c.state = state;
  c.geometry = geometry;
  mFrame.vertices.insert(mFrame.vertices.end(), vertices, vertices + vertexCount);
  if (c.indexCount > 0) mFrame.indices.insert(mFrame.indices.end(), indices, indices + c.indexCount);
  mFrame.commands.push_back(c);
}

void CSkipUnchangedDevice::Flush() {
  for (; mSent < mFrame.commands.size(); ++mSent) {
    const SCommand& c = mFrame.commands[mSent];
    if (c.clear) {
      mDevice->Clear(c.color, c.viewport);
      continue;
    }
    mDevice->Draw(c.primitive, mFrame.vertices.data() + c.firstVertex, c.vertexCount,
                  c.indexCount > 0 ? mFrame.indices.data() + c.firstIndex : nullptr, c.indexCount, c.state,
                  c.geometry);
  }
  if (mSent > 0) mRedraw = true;  // part of the frame is on the back buffer now
}

void CSkipUnchangedDevice::Present() {
  mDevice->GetBackBufferSize(mFrame.width, mFrame.height);
  if (mExposed.exchange(false)) mRedraw = true;
  if (!mRedraw && mFrame == mShownFrame) {
    ++mSkipped;
  } else {
    Flush();
    mDevice->Present();
    ++mShown;
    std::swap(mFrame, mShownFrame);
    mRedraw = false;
  }
  mFrame.Clear();
  mSent = 0;
}

bool CSkipUnchangedDevice::ReadPixels(int x, int y, int width, int height, std::vector<uint32_t>& out) {
  Flush();
  return mDevice->ReadPixels(x, y, width, height, out);
}

}  // namespace zuzorev
