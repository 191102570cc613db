#include "Engine/zuzorev/DeviceSkipUnchanged.h"

#include <SDL2/SDL.h>

namespace zuzorev {

std::unique_ptr<IDevice> CreateSkipUnchangedDevice(std::unique_ptr<IDevice> device) {
  return std::make_unique<CSkipUnchangedDevice>(std::move(device));
}

CSkipUnchangedDevice::CSkipUnchangedDevice(std::unique_ptr<IDevice> device) : mDevice(std::move(device)) {}

CSkipUnchangedDevice::~CSkipUnchangedDevice() { Close(); }

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
  mKeepAt = 0;
  mPlanned = false;
  mRedraw = true;
  mLayer.Drop(*mDevice);
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

void CSkipUnchangedDevice::SetStillLayer(bool on) {
  mLayerOn = on;
  if (!on) mLayer.Drop(*mDevice);
}

void CSkipUnchangedDevice::SetBackBufferSize(int width, int height) {
  mLayer.Drop(*mDevice);
  mDevice->SetBackBufferSize(width, height);
  mRedraw = true;
}

uint32_t CSkipUnchangedDevice::CreateTexture(int width, int height, const uint32_t* texels) {
  return mDevice->CreateTexture(width, height, texels);
}

// The draws made so far see the texture as it was: those that draw it go
// first, with what comes before them.
void CSkipUnchangedDevice::UpdateTexture(uint32_t id, int width, int height, const uint32_t* texels) {
  if (mFrame.FirstDrawing(id, mSent) < mFrame.commands.size()) Flush();
  mRedraw = true;
  mLayer.TextureChanged(id, mShownFrame, mFrame, *mDevice);
  mDevice->UpdateTexture(id, width, height, texels);
}

void CSkipUnchangedDevice::DeleteTexture(uint32_t id) {
  if (mFrame.FirstDrawing(id, mSent) < mFrame.commands.size()) Flush();
  mRedraw = true;
  mLayer.TextureChanged(id, mShownFrame, mFrame, *mDevice);
  mDevice->DeleteTexture(id);
}

void CSkipUnchangedDevice::Clear(uint32_t color, const SViewport& viewport) { mFrame.AddClear(color, viewport); }

void CSkipUnchangedDevice::Draw(int primitive, const SVertex* vertices, int vertexCount, const uint32_t* indices,
                                int indexCount, const SDrawState& state, const SGeometryKey& geometry) {
  mFrame.AddDraw(primitive, vertices, vertexCount, indices, indexCount, state, geometry);
}

void CSkipUnchangedDevice::Flush() {
  // The still bottom is planned once a frame, when its first commands go.
  if (!mPlanned && !mFrame.commands.empty()) {
    mPlanned = true;
    mKeepAt = mSent == 0 && mLayerOn ? mLayer.Plan(mFrame, mShownFrame) : 0;
  }
  if (mSent == 0 && mLayerOn) mSent = mLayer.Use(mFrame, *mDevice);
  for (; mSent < mFrame.commands.size(); ++mSent) {
    mFrame.Send(mSent, *mDevice);
    if (mSent + 1 == mKeepAt) mLayer.Keep(mFrame, mKeepAt, *mDevice);
  }
  mKeepAt = 0;
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
  mPlanned = false;
}

bool CSkipUnchangedDevice::ReadPixels(int x, int y, int width, int height, std::vector<uint32_t>& out) {
  Flush();
  return mDevice->ReadPixels(x, y, width, height, out);
}

}  // namespace zuzorev
