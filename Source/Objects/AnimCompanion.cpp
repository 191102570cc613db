#include "Objects/AnimCompanion.h"

#include <cmath>
#include <cstring>

#include "Engine/zorfile/FileSystem.h"
#include "Engine/zorlog/Log.h"

namespace animfile {

namespace {

constexpr const wchar_t* kSource = L"Source/Objects/MaxAnim";
constexpr uint64_t kHeaderBytes = 20;
constexpr uint64_t kKeyBytes = 64;
constexpr uint64_t kVertexBytes = 12;

// Reads little-endian 32-bit fields one after the other; a short read is
// remembered and later reads still run (they deliver zeros).
class CFieldReader {
 public:
  explicit CFieldReader(zorfile::CFile& file) : mFile(file) {}
  uint32_t Word() {
    uint8_t b[4] = {};
    if (mFile.Read(b, 4, 1) != 4) mShort = true;
    return static_cast<uint32_t>(b[0]) | static_cast<uint32_t>(b[1]) << 8 | static_cast<uint32_t>(b[2]) << 16 |
           static_cast<uint32_t>(b[3]) << 24;
  }
  int32_t Int() { return static_cast<int32_t>(Word()); }
  float Float() {
    const uint32_t w = Word();
    float f;
    std::memcpy(&f, &w, 4);
    return f;
  }
  zormath::Vec3f Vec() {
    zormath::Vec3f v;
    v.x = Float();
    v.y = Float();
    v.z = Float();
    return v;
  }
  bool Short() const { return mShort; }

 private:
  zorfile::CFile& mFile;
  bool mShort = false;
};

bool Refuse(const std::wstring& name, const wchar_t* why) {
  zuzorev::LogMessage(zuzorev::ELogLevel::Error, kSource, __LINE__, L"Animation file %s: %s", name.c_str(), why);
  return false;
}

}  // namespace

std::wstring CompanionName(const std::wstring& exportFile, const std::wstring& node) {
  const size_t dot = exportFile.find(L'.');
  return exportFile.substr(0, dot) + L"." + node + L".anim";
}

bool CompanionExists(const std::wstring& name) {
  zorfile::CFileSystem* fs = zorfile::GetFileSystem();
  return fs && fs->FileExist(name, nullptr, 1, zorfile::kKindAnimations, 0);
}

bool ReadCompanion(const std::wstring& name, SAnimData& out) {
  out = SAnimData();
  zorfile::CFile file;
  if (!file.OpenFS(name, 1, nullptr, 1, zorfile::kKindAnimations)) return Refuse(name, L"not found");
  const uint64_t size = file.GetSize();
  CFieldReader read(file);
  SAnimData anim;
  const int32_t count = read.Int();
  anim.frameRate = read.Int();
  anim.ticksPerFrame = read.Int();
  anim.textureOffset = read.Int();
  anim.length = read.Float();
  if (read.Short()) return Refuse(name, L"short header");
  if (count < 1) return Refuse(name, L"no sample");
  if (anim.frameRate <= 0 || anim.ticksPerFrame <= 0) return Refuse(name, L"no frame rate");
  if (!std::isfinite(anim.length) || anim.length < 0.0f) return Refuse(name, L"bad length");
  // Nothing is allocated before the file is known to hold it.
  const uint64_t keysEnd = kHeaderBytes + kKeyBytes * static_cast<uint64_t>(count);
  if (keysEnd + 4 > size) return Refuse(name, L"short key records");
  anim.keys.resize(static_cast<size_t>(count));
  for (SAnimKey& key : anim.keys) {
    key.position = read.Vec();
    key.direction = read.Vec();
    key.up = read.Vec();
    key.scale = read.Vec();
    key.alpha = read.Float();
    read.Word();  // the vertex frame's place, meaningless on disk
    key.offsetU = read.Float();
    key.offsetV = read.Float();
  }
  anim.vertexAnimation = read.Int();
  if (anim.vertexAnimation != 0) {
    const int32_t vertices = read.Int();
    if (read.Short()) return Refuse(name, L"short vertex header");
    if (vertices < 0) return Refuse(name, L"negative vertex count");
    const uint64_t frameBytes = kVertexBytes * static_cast<uint64_t>(vertices);
    if (keysEnd + 8 + frameBytes * static_cast<uint64_t>(count) > size) return Refuse(name, L"short vertex frames");
    for (SAnimKey& key : anim.keys) {
      key.vertices.resize(static_cast<size_t>(vertices));
      for (zormath::Vec3f& v : key.vertices) v = read.Vec();
    }
  }
  file.Close();
  if (read.Short()) return Refuse(name, L"short read");
  out = std::move(anim);
  return true;
}

}  // namespace animfile
