#include "PlayGLSupport.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_image.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <set>
#include <sstream>

#include "Engine/zuzorev/RenderSystem.h"
#include "XvfbServer.h"
#include "support/TestSupport.h"

// The X11 video driver's session bus connection keeps one buffer to the
// end of the program; it is the system library's, not the game's.
extern "C" const char* __lsan_default_suppressions() { return "leak:libdbus-1.so\n"; }

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

double Brightness(const std::vector<uint32_t>& pixels) {
  if (pixels.empty()) return 0.0;
  double sum = 0.0;
  for (uint32_t p : pixels) sum += Channel(p, 0) + Channel(p, 8) + Channel(p, 16);
  return sum / (3.0 * static_cast<double>(pixels.size()));
}

}  // namespace playgl

namespace playgl {
namespace {

constexpr int kWindowWidth = 1024;
constexpr int kWindowHeight = 768;

uint32_t Crc32(const unsigned char* data, size_t size, uint32_t crc = 0) {
  crc = ~crc;
  for (size_t i = 0; i < size; ++i) {
    crc ^= data[i];
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

void PutBig32(std::string& out, uint32_t v) {
  for (int shift : {24, 16, 8, 0}) out.push_back(static_cast<char>((v >> shift) & 255));
}

void PutChunk(std::string& out, const char* type, const std::string& data) {
  PutBig32(out, static_cast<uint32_t>(data.size()));
  const std::string body = std::string(type, 4) + data;
  out += body;
  PutBig32(out, Crc32(reinterpret_cast<const unsigned char*>(body.data()), body.size()));
}

}  // namespace

SPoint WindowPoint(float x, float z) {
  return {static_cast<int>(std::lround(x + 512.0f)), static_cast<int>(std::lround(384.0f - z))};
}

SRect MeshRect(const std::string& modelFile, const std::vector<std::string>& meshes, int margin, int raise) {
  std::ifstream in(testsupport::GameDir() / "Data" / "Models" / modelFile);
  float minX = 1e9f, maxX = -1e9f, minZ = 1e9f, maxZ = -1e9f;
  bool inside = false;
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind("o ", 0) == 0 || line.rfind("g ", 0) == 0) {
      std::istringstream words(line.substr(2));
      std::string name;
      words >> name;
      inside = std::find(meshes.begin(), meshes.end(), name) != meshes.end();
    } else if (inside && line.rfind("v ", 0) == 0) {
      std::istringstream words(line.substr(2));
      float x = 0, y = 0, z = 0;
      if (!(words >> x >> y >> z)) continue;
      minX = std::min(minX, x);
      maxX = std::max(maxX, x);
      minZ = std::min(minZ, z);
      maxZ = std::max(maxZ, z);
    }
  }
  if (minX > maxX) return {0, 0, 0, 0};
  const SPoint topLeft = WindowPoint(minX, maxZ + static_cast<float>(raise));
  const SPoint bottomRight = WindowPoint(maxX, minZ + static_cast<float>(raise));
  const int left = std::clamp(topLeft.x - margin, 0, kWindowWidth - 1);
  const int top = std::clamp(topLeft.y - margin, 0, kWindowHeight - 1);
  const int right = std::clamp(bottomRight.x + margin, left + 1, kWindowWidth);
  const int bottom = std::clamp(bottomRight.y + margin, top + 1, kWindowHeight);
  return {left, top, right - left, bottom - top};
}

std::vector<uint32_t> Crop(const std::vector<uint32_t>& window, SRect rect) {
  std::vector<uint32_t> part;
  if (window.size() < static_cast<size_t>(kWindowWidth) * kWindowHeight) return part;
  part.reserve(static_cast<size_t>(rect.width) * static_cast<size_t>(rect.height));
  for (int y = rect.y; y < rect.y + rect.height; ++y)
    for (int x = rect.x; x < rect.x + rect.width; ++x)
      part.push_back(window[static_cast<size_t>(y) * kWindowWidth + static_cast<size_t>(x)]);
  return part;
}

SRect PartOf(SRect rect, SPart part) {
  const auto at = [](int from, int size, double fraction) {
    return from + static_cast<int>(std::lround(size * fraction));
  };
  const int left = at(rect.x, rect.width, part.left), top = at(rect.y, rect.height, part.top);
  return {left, top, at(rect.x, rect.width, part.right) - left, at(rect.y, rect.height, part.bottom) - top};
}

std::vector<uint32_t> PicturePart(const std::string& texture, SPart part) {
  std::vector<uint32_t> pixels;
  const std::string file = (testsupport::GameDir() / "Data" / "Textures" / texture).string();
  SDL_Surface* loaded = IMG_Load(file.c_str());
  if (!loaded) {
    ADD_FAILURE() << file << ": " << IMG_GetError();
    return pixels;
  }
  SDL_Surface* argb = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0);
  SDL_FreeSurface(loaded);
  if (!argb) return pixels;
  const SRect rect = PartOf({0, 0, argb->w, argb->h}, part);
  for (int y = std::max(rect.y, 0); y < std::min(rect.y + rect.height, argb->h); ++y) {
    const auto* row = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(argb->pixels) + y * argb->pitch);
    for (int x = std::max(rect.x, 0); x < std::min(rect.x + rect.width, argb->w); ++x) pixels.push_back(row[x]);
  }
  SDL_FreeSurface(argb);
  return pixels;
}

size_t StepFrame(const std::filesystem::path& replay, const std::string& what) {
  std::ifstream in(replay);
  std::string line;
  bool found = false;
  while (std::getline(in, line)) {
    if (line == "# " + what) {
      found = true;
    } else if (found && !line.empty() && line[0] != '#') {
      return static_cast<size_t>(std::strtoul(line.c_str(), nullptr, 10));
    }
  }
  return 0;
}

void ExpectMoversMove(const std::string& modelFile, const std::vector<SMover>& movers,
                      const std::vector<const std::vector<uint32_t>*>& seconds) {
  for (const SMover& mover : movers) {
    const SRect place = playgl::MeshRect(modelFile, mover.meshes, 4);
    ASSERT_GT(place.width, 0) << mover.object << " has its meshes in " << modelFile;
    int moved = 0;
    std::string counts;
    for (size_t i = 0; i + 1 < seconds.size(); ++i) {
      const int changed = playgl::DifferentPixels(playgl::Crop(*seconds[i], place), playgl::Crop(*seconds[i + 1], place));
      counts += " " + std::to_string(changed);
      if (changed >= 12) ++moved;
    }
    const int pairs = static_cast<int>(seconds.size()) - 1;
    if (mover.always)
      EXPECT_EQ(moved, pairs) << mover.object << " moves in every second (changed pixels a second apart:" << counts << ")";
    else
      EXPECT_GT(moved, 0) << mover.object << " moves now and then (changed pixels a second apart:" << counts << ")";
  }
}

bool WritePng(const std::filesystem::path& file, const std::vector<uint32_t>& argb, int width, int height) {
  if (width <= 0 || height <= 0 || argb.size() < static_cast<size_t>(width) * static_cast<size_t>(height))
    return false;
  // Each row: a filter byte 0 and the row's RGB.
  std::string raw;
  raw.reserve(static_cast<size_t>(height) * (static_cast<size_t>(width) * 3 + 1));
  for (int y = 0; y < height; ++y) {
    raw.push_back(0);
    for (int x = 0; x < width; ++x) {
      const uint32_t p = argb[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
      raw.push_back(static_cast<char>((p >> 16) & 255));
      raw.push_back(static_cast<char>((p >> 8) & 255));
      raw.push_back(static_cast<char>(p & 255));
    }
  }
  // A zlib stream of stored (uncompressed) blocks: no compressor needed.
  std::string z = {0x78, 0x01};
  uint32_t a = 1, b = 0;
  for (unsigned char c : raw) {
    a = (a + c) % 65521u;
    b = (b + a) % 65521u;
  }
  size_t at = 0;
  do {
    const size_t n = std::min<size_t>(65535, raw.size() - at);
    z.push_back(at + n >= raw.size() ? 1 : 0);
    z.push_back(static_cast<char>(n & 255));
    z.push_back(static_cast<char>(n >> 8));
    z.push_back(static_cast<char>(~n & 255));
    z.push_back(static_cast<char>((~n >> 8) & 255));
    z.append(raw, at, n);
    at += n;
  } while (at < raw.size());
  PutBig32(z, (b << 16) | a);
  std::string header;
  PutBig32(header, static_cast<uint32_t>(width));
  PutBig32(header, static_cast<uint32_t>(height));
  header += std::string("\x08\x02\x00\x00\x00", 5);  // 8 bits, RGB
  std::string png = "\x89PNG\r\n\x1a\n";
  PutChunk(png, "IHDR", header);
  PutChunk(png, "IDAT", z);
  PutChunk(png, "IEND", "");
  std::ofstream out(file, std::ios::binary);
  out.write(png.data(), static_cast<std::streamsize>(png.size()));
  return static_cast<bool>(out);
}

void SaveShot(const std::string& name, const std::vector<uint32_t>& argb, int width, int height) {
  const char* folder = std::getenv("LHT_SHOTS");
  if (!folder || !*folder) return;
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  const std::filesystem::path file = std::filesystem::path(folder) / (name + ".png");
  if (!WritePng(file, argb, width, height)) ADD_FAILURE() << "the shot " << file << " was not written";
}

}  // namespace playgl
