#pragma once
// Holds back a frame's clears and draws until Present and sends them to the
// device it wraps only when they differ from the frame on the screen: a
// menu at rest or a paused game costs no drawing. Texture changes, reads of
// the back buffer and a window exposed, resized or changed in mode make the
// next frame drawn whatever it holds.
#include <atomic>
#include <memory>
#include <vector>

#include "Engine/zuzorev/Device.h"

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

 private:
  struct SCommand {
    bool clear = false;
    uint32_t color = 0;
    SViewport viewport;
    int primitive = 0;
    int vertexCount = 0;
    int indexCount = 0;
    size_t firstVertex = 0;
    size_t firstIndex = 0;
    SDrawState state;
    SGeometryKey geometry;
    bool operator==(const SCommand&) const = default;
  };
  struct SFrame {
    std::vector<SCommand> commands;
    std::vector<SVertex> vertices;
    std::vector<uint32_t> indices;
    int width = 0, height = 0;
    void Clear() {
      commands.clear();
      vertices.clear();
      indices.clear();
    }
    bool operator==(const SFrame& other) const;
  };

  // Sends the commands of the frame not sent yet; the frame will be shown.
  void Flush();
  static int WatchWindow(void* self, SDL_Event* event);

  std::unique_ptr<IDevice> mDevice;
  SFrame mFrame;  // the frame being made
  SFrame mShownFrame;  // the frame on the screen
  size_t mSent = 0;  // commands of mFrame already sent
  bool mRedraw = true;
  std::atomic<bool> mExposed{false};
  bool mWatching = false;
  long long mShown = 0;
  long long mSkipped = 0;
};

}  // namespace zuzorev
