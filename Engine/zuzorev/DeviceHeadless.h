#pragma once
// The headless device: no window and no GL. Every call is accepted; it keeps
// the textures it was given and counts what it was asked to do, so tests can
// see what would have reached the screen.
#include <map>

#include "Engine/zuzorev/Device.h"

namespace zuzorev {

class CDeviceHeadless : public IDevice {
 public:
  struct STextureInfo {
    int width = 0;
    int height = 0;
    int uploads = 0;
  };

  bool Open(SDL_Window*, int) override { return true; }
  void Close() override { mTextures.clear(); }
  bool IsHeadless() const override { return true; }
  void GetBackBufferSize(int& width, int& height) const override;
  void SetBackBufferSize(int width, int height) override;

  uint32_t CreateTexture(int width, int height, const uint32_t* texels) override;
  void UpdateTexture(uint32_t id, int width, int height, const uint32_t* texels) override;
  void DeleteTexture(uint32_t id) override;

  void Clear(uint32_t color, const SViewport& viewport) override;
  void Draw(int primitive, const SVertex* vertices, int vertexCount, const uint32_t* indices, int indexCount,
            const SDrawState& state, const SGeometryKey& geometry) override;
  void Present() override { ++mPresents; }
  bool ReadPixels(int, int, int, int, std::vector<uint32_t>&) override { return false; }

  // What the device holds and was asked to do.
  const std::map<uint32_t, STextureInfo>& Textures() const { return mTextures; }
  int Clears() const { return mClears; }
  int Draws() const { return mDraws; }
  int Presents() const { return mPresents; }
  long long Vertices() const { return mVertices; }
  // The vertices of the last draw, in drawing order (indices resolved).
  const std::vector<SVertex>& LastVertices() const { return mLast; }

 private:
  int mWidth = 1024;
  int mHeight = 768;
  uint32_t mNextId = 1;
  std::map<uint32_t, STextureInfo> mTextures;
  int mClears = 0;
  int mDraws = 0;
  int mPresents = 0;
  long long mVertices = 0;
  std::vector<SVertex> mLast;
};

}  // namespace zuzorev
