#pragma once
// Holds back a frame's clears and draws until Present and sends them to the
// device it wraps only when they differ from the frame on the screen: a
// menu at rest or a paused game costs no drawing. Texture changes, reads of
// the back buffer and a window exposed, resized or changed in mode make the
// next frame drawn whatever it holds. A frame that is drawn draws its still
// bottom from the picture the still layer keeps (see StillLayer.h).
#include <atomic>
#include <memory>
#include <vector>

#include "Engine/zuzorev/Device.h"
#include "Engine/zuzorev/DeviceFrame.h"
#include "Engine/zuzorev/StillLayer.h"

union SDL_Event;

namespace zuzorev {

class CSkipUnchangedDevice : public IDevice {
 public:
  explicit CSkipUnchangedDevice(std::unique_ptr<IDevice> device);
  ~CSkipUnchangedDevice() override;

  bool Open(SDL_Window* window, int antialiasing) override;
  void Close() override;
  bool IsHeadless() const override { return mDevice->IsHeadless(); }
  void GetBackBufferSize(int& width, int& height) const override { mDevice->GetBackBufferSize(width, height); }
  void SetBackBufferSize(int width, int height) override;

  uint32_t CreateTexture(int width, int height, const uint32_t* texels) override;
  void UpdateTexture(uint32_t id, int width, int height, const uint32_t* texels) override;
  void DeleteTexture(uint32_t id) override;

  void Clear(uint32_t color, const SViewport& viewport) override;
  void Draw(int primitive, const SVertex* vertices, int vertexCount, const uint32_t* indices, int indexCount,
            const SDrawState& state, const SGeometryKey& geometry) override;
  void Present() override;
  void RedrawNext() override { mRedraw = true; }
  bool ReadPixels(int x, int y, int width, int height, std::vector<uint32_t>& out) override;

  // How many frames were shown, and how many were left as they were.
  long long Shown() const { return mShown; }
  long long Skipped() const { return mSkipped; }
  // The still layer (on by default); benches and tests draw without it
  // to compare.
  void SetStillLayer(bool on);
  const CStillLayer& Layer() const { return mLayer; }

 private:
  // Sends the commands of the frame not sent yet; the frame will be shown.
  void Flush();
  static int WatchWindow(void* self, SDL_Event* event);

  std::unique_ptr<IDevice> mDevice;
  SFrame mFrame;  // the frame being made
  SFrame mShownFrame;  // the frame on the screen
  size_t mSent = 0;  // commands of mFrame already sent
  CStillLayer mLayer;
  bool mLayerOn = true;
  bool mPlanned = false;  // the still bottom of mFrame is planned
  size_t mKeepAt = 0;  // the back buffer is kept after this many commands (0: not)
  bool mRedraw = true;
  std::atomic<bool> mExposed{false};
  bool mWatching = false;
  long long mShown = 0;
  long long mSkipped = 0;
};

}  // namespace zuzorev
