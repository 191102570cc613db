#include "PlayGLSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <set>

#include "Engine/zuzorev/RenderSystem.h"
#include "XvfbServer.h"

namespace playgl {
namespace {

// One X server for the whole suite.
class XvfbEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { mServer = std::make_unique<XvfbServer>(); }
  void TearDown() override { mServer.reset(); }

 private:
  std::unique_ptr<XvfbServer> mServer;
};

[[maybe_unused]] ::testing::Environment* const gXvfb = ::testing::AddGlobalTestEnvironment(new XvfbEnvironment);

int Channel(uint32_t argb, int shift) { return static_cast<int>((argb >> shift) & 255); }

}  // namespace

FrameGrabber::FrameGrabber(SRect rect, std::vector<size_t> turns) : mRect(rect), mTurns(std::move(turns)) {
  storytest::gFrameProbe = [this](zuzorev::CRenderSystem& render, size_t turn) {
    if (std::find(mTurns.begin(), mTurns.end(), turn) == mTurns.end()) return;
    std::vector<uint32_t> pixels;
    if (render.ReadPixels(mRect.x, mRect.y, mRect.width, mRect.height, pixels)) mFrames[turn] = std::move(pixels);
  };
}

FrameGrabber::~FrameGrabber() { storytest::gFrameProbe = nullptr; }

const std::vector<uint32_t>* FrameGrabber::At(size_t turn) const {
  const auto it = mFrames.find(turn);
  return it == mFrames.end() ? nullptr : &it->second;
}

int DifferentPixels(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b, int tolerance) {
  int count = 0;
  for (size_t i = 0; i < std::min(a.size(), b.size()); ++i)
    for (int shift : {0, 8, 16})
      if (std::abs(Channel(a[i], shift) - Channel(b[i], shift)) > tolerance) {
        ++count;
        break;
      }
  return count + static_cast<int>(std::max(a.size(), b.size()) - std::min(a.size(), b.size()));
}

int ColourCount(const std::vector<uint32_t>& pixels) {
  std::set<uint32_t> colours;
  for (uint32_t p : pixels) colours.insert(p & 0x00F0F0F0u);
  return static_cast<int>(colours.size());
}

}  // namespace playgl
