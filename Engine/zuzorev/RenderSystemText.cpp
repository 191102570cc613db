// The render system: TrueType font resources, fonts and text.
#include <SDL2/SDL.h>
#include <SDL2/SDL_ttf.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>
#include <sstream>

#include "Engine/TinyXmlExt/TinyXmlExt.h"
#include "Engine/zorfile/FileSystem.h"
#include "Engine/zormath/Transform.h"
#include "Engine/zorlog/Log.h"
#include "Engine/zuzorev/RenderSystem.h"
#include "Platform/Paths.h"
#include "Platform/Strings.h"

namespace zuzorev {

namespace {

const wchar_t* const kSource = L"Engine/zuzorev/RenderSystemText";
constexpr size_t kMaxCachedLines = 256;

// The system's font folders stand in for fonts the data does not ship. A
// menu registers the same fallback font for every one of its styles, and
// every game started in one process (the tests start hundreds) registers
// them again: the folders are searched and each file read once per process.
std::shared_ptr<const std::string> ScanSystemFont(const std::wstring& wanted) {
  std::error_code ec;
  for (const char* root : {"/usr/share/fonts/truetype", "/usr/share/fonts", "/usr/local/share/fonts"}) {
    std::filesystem::recursive_directory_iterator it(root, ec), end;
    for (; !ec && it != end; it.increment(ec)) {
      if (it.depth() > 3 || !it->is_regular_file(ec)) continue;
      if (Platform::ToLowerAscii(Platform::FromPath(it->path().filename())) != wanted) continue;
      std::ifstream in(it->path(), std::ios::binary);
      std::ostringstream s;
      s << in.rdbuf();
      if (!s.str().empty()) return std::make_shared<const std::string>(s.str());
    }
  }
  return nullptr;
}

std::shared_ptr<const std::string> ReadSystemFont(const std::wstring& file) {
  std::wstring stem, ext;
  Platform::SplitPath(file, nullptr, nullptr, &stem, &ext);
  const std::wstring wanted = Platform::ToLowerAscii(stem + ext);
  if (wanted.empty()) return nullptr;
  static std::mutex mutex;
  static std::map<std::wstring, std::shared_ptr<const std::string>> read;  // misses are kept too
  std::lock_guard<std::mutex> lock(mutex);
  auto found = read.find(wanted);
  if (found == read.end()) found = read.emplace(wanted, ScanSystemFont(wanted)).first;
  return found->second;
}

std::shared_ptr<const std::string> ReadFontFile(const std::wstring& file) {
  if (file.empty()) return nullptr;
  std::string bytes;
  if (zorfile::CFileSystem* fs = zorfile::GetFileSystem(); fs && fs->ReadFile(file, bytes)) {
    return std::make_shared<const std::string>(std::move(bytes));
  }
  return ReadSystemFont(file);
}

std::wstring Stem(const std::wstring& file) {
  std::wstring stem;
  Platform::SplitPath(file, nullptr, nullptr, &stem, nullptr);
  return stem;
}

// True when SDL_ttf can open the bytes as a font (any non-empty bytes pass
// while SDL_ttf is down: they are tried again when a font is made).
bool IsFontData(const std::string& bytes) {
  if (bytes.empty() || bytes.size() > 0x7FFFFFFF) return false;
  if (!TTF_WasInit()) return true;
  SDL_RWops* rw = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
  TTF_Font* font = rw ? TTF_OpenFontRW(rw, 1, 12) : nullptr;
  if (!font) return false;
  TTF_CloseFont(font);
  return true;
}

void Fail(const wchar_t* what, const std::wstring& file, int line) {
  LogMessage(ELogLevel::Error, kSource, line, what, file.c_str());
}

}  // namespace

int32_t CRenderSystem::RegisterFont(const std::wstring& fontName, const std::wstring& fileFont,
                                    const std::wstring& fileEffect, const std::wstring& fileMetrik) {
  auto resource = std::make_unique<SFontResource>();
  resource->bytes = ReadFontFile(fileFont);
  if (!resource->bytes) {
    Fail(L"No find font file %s.", fileFont, __LINE__);
    return kFail;
  }
  if (!IsFontData(*resource->bytes)) {
    Fail(L"Font file %s is not a font (empty or unreadable).", fileFont, __LINE__);
    return kFail;
  }
  resource->name = fontName;
  // The metrics file (ours) may name the font; without one the font is
  // named by its file. One that is named but cannot be read is reported
  // (a file that does not parse is named so by the XML loader).
  TiXmlDocument metrics;
  if (!fileMetrik.empty()) {
    const bool read = LoadXmlDocument(metrics, fileMetrik);
    const TiXmlElement* root = read ? FirstChildElementUpper(&metrics, "FontMetrik") : nullptr;
    if (root && resource->name.empty()) resource->name = ValueUtf8(FindUpper(root, "Name"));
    if (!read && !metrics.Error())
      LogMessage(ELogLevel::Warning, kSource, __LINE__, L"No find font metrics %s.", fileMetrik.c_str());
    else if (read && !root)
      LogMessage(ELogLevel::Warning, kSource, __LINE__, L"Font metrics %s has no FontMetrik root.",
                 fileMetrik.c_str());
  }
  if (resource->name.empty()) resource->name = Stem(fileFont);
  if (!fileEffect.empty()) {
    TiXmlDocument effect;
    const TiXmlElement* root = LoadXmlDocument(effect, fileEffect) ? FirstChildElementUpper(&effect, "FontEffect")
                                                                  : nullptr;
    if (!root) {
      if (!effect.Error()) Fail(L"No find font effect %s.", fileEffect, __LINE__);  // else named as not parsed
      return kFail;
    }
    std::wstring kind = Platform::ToLowerAscii(ValueUtf8(FindUpper(root, "Kind")));
    resource->effect = kind == L"outline" ? EFontEffect::Outline : EFontEffect::Shadow;
    if (const TiXmlAttribute* size = FindUpper(root, "Size")) resource->effectSize = std::max(1, IntValue(size));
  }
  mFonts[Platform::ToLowerAscii(resource->name)].push_back(std::move(resource));
  return kOk;
}

int32_t CRenderSystem::AddResourceFont(const std::wstring& fileFont, const std::wstring& fileMetrik) {
  return RegisterFont(L"", fileFont, L"", fileMetrik);
}

int32_t CRenderSystem::AddResourceFont(const std::wstring& fontName, const std::wstring& fileFont,
                                       const std::wstring& fileMetrik) {
  return RegisterFont(fontName, fileFont, L"", fileMetrik);
}

int32_t CRenderSystem::AddResourceFontEffect(const std::wstring& fileFont, const std::wstring& fileEffect,
                                             const std::wstring& fileMetrik) {
  return RegisterFont(L"", fileFont, fileEffect, fileMetrik);
}

int32_t CRenderSystem::AddResourceFontEffect(const std::wstring& fontName, const std::wstring& fileFont,
                                             const std::wstring& fileEffect, const std::wstring& fileMetrik) {
  return RegisterFont(fontName, fileFont, fileEffect, fileMetrik);
}

bool CRenderSystem::HasFontResource(const std::wstring& name) const {
  return mFonts.count(Platform::ToLowerAscii(name)) != 0;
}

int32_t CRenderSystem::CreateFontW(CFont& font, const std::wstring& name, int height, int bold, int, int,
                                   uint32_t) {
  std::shared_ptr<const std::string> bytes;
  EFontEffect effect = EFontEffect::None;
  int effectSize = 1;
  auto it = mFonts.find(Platform::ToLowerAscii(name));
  if (it != mFonts.end() && !it->second.empty()) {
    const SFontResource& r = *it->second.front();
    bytes = r.bytes;
    effect = r.effect;
    effectSize = r.effectSize;
  } else {
    bytes = ReadFontFile(name);  // a font file named directly
  }
  const float raster = font.GetScaleRaster() ? std::max(1.0f, GetVirtualScale()) : 1.0f;
  if (!bytes || !font.Open(name, bytes, height, bold, raster, effect, effectSize)) {
    Fail(L"No create font %s.", name, __LINE__);
    return kFail;
  }
  return kOk;
}

std::vector<std::wstring> CRenderSystem::WrapText(const CFont& font, const std::wstring& text, int width) const {
  std::vector<std::wstring> lines;
  std::vector<std::wstring> paragraphs;
  size_t start = 0;
  for (size_t i = 0; i <= text.size(); ++i)
    if (i == text.size() || text[i] == L'\n') {
      std::wstring p = text.substr(start, i - start);
      if (!p.empty() && p.back() == L'\r') p.pop_back();
      paragraphs.push_back(p);
      start = i + 1;
    }
  for (const auto& p : paragraphs) {
    if (width <= 0 || font.GetTextWidth(p) <= width) {
      lines.push_back(p);
      continue;
    }
    std::wstring line;
    size_t pos = 0;
    while (pos < p.size()) {
      size_t next = p.find(L' ', pos);
      std::wstring word = p.substr(pos, next == std::wstring::npos ? std::wstring::npos : next - pos);
      pos = next == std::wstring::npos ? p.size() : next + 1;
      std::wstring candidate = line.empty() ? word : line + L" " + word;
      if (!line.empty() && font.GetTextWidth(candidate) > width) {
        lines.push_back(line);
        line = word;
      } else {
        line = candidate;
      }
    }
    lines.push_back(line);
  }
  return lines;
}

bool CRenderSystem::DrawTextLine(CFont& font, bool effect, const std::wstring& line, float x, float y,
                                 uint32_t color, float alpha) {
  if (line.empty()) return true;
  TTF_Font* handle = effect && font.EffectHandle() ? font.EffectHandle() : font.Handle();
  auto& cache = font.Cache(effect && font.EffectHandle());
  auto found = cache.find(line);
  if (found == cache.end()) {
    if (cache.size() >= kMaxCachedLines) cache.clear();
    SDL_Surface* glyphs = TTF_RenderUTF8_Blended(handle, Platform::WideToUtf8(line).c_str(), SDL_Color{255, 255, 255, 255});
    if (!glyphs) return false;
    SDL_Surface* argb = SDL_ConvertSurfaceFormat(glyphs, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(glyphs);
    if (!argb) return false;
    auto data = mTextures->Create(argb->w, argb->h, kFormatA8R8G8B8);
    if (data) {
      data->name = L"#text";
      SDL_LockSurface(argb);
      for (int row = 0; row < argb->h; ++row)
        std::memcpy(data->texels.data() + static_cast<size_t>(row) * argb->w,
                    static_cast<const uint8_t*>(argb->pixels) + static_cast<size_t>(row) * argb->pitch,
                    static_cast<size_t>(argb->w) * 4);
      SDL_UnlockSurface(argb);
    }
    CFont::SLine entry;
    entry.width = argb->w;
    entry.height = argb->h;
    SDL_FreeSurface(argb);
    if (!data) return false;
    entry.texture.Attach(mTextures, data);
    entry.texture.Load();
    found = cache.emplace(line, std::move(entry)).first;
  }
  const CFont::SLine& cached = found->second;
  const float w = cached.width / font.RasterScale() * font.GetScaleX();
  const float h = cached.height / font.RasterScale() * font.GetScaleY();
  const float cx = m2DWidth * 0.5f, cy = m2DHeight * 0.5f;
  auto corner = [&](float px, float py, float u, float v) {
    zormath::Vec3f p = zormath::TransformCoord(zormath::Vec3f(px, py, 0), mText2D);
    return SVertex{p.x - cx, 0.0f, cy - p.y, 0u, u, v};
  };
  uint32_t a = static_cast<uint32_t>(std::lround(((color >> 24) & 255) * std::clamp(alpha, 0.0f, 1.0f)));
  const uint32_t packed = (a << 24) | (color & 0xFFFFFFu);
  SVertex quad[4] = {corner(x, y + h, 0, 1), corner(x + w, y + h, 1, 1), corner(x, y, 0, 0), corner(x + w, y, 1, 0)};
  for (auto& v : quad) v.color = packed;

  const zormath::Mat4f savedWorld = mWorld;
  const bool saved2D = mWorld2D;
  mWorld = zormath::Mat4f::Identity();
  mWorld2D = true;
  SDrawRecord record;
  const int seting = effect ? (font.GetEffectRenderSetingID() >= 0 ? font.GetEffectRenderSetingID()
                                                                    : font.GetRenderSetingID())
                            : font.GetRenderSetingID();
  SMaterial white = SMaterial::White();
  SDrawState st = PrepareState(seting, &cached.texture, nullptr, white, 1.0f, record);
  if (mRecordDraws) record.text = line;
  Submit(kPrimTriangleStrip, quad, 4, nullptr, 0, st, record, SGeometryKey{});
  mWorld = savedWorld;
  mWorld2D = saved2D;
  return true;
}

int32_t CRenderSystem::DrawTextW(CFont& font, const std::wstring& text, const SRect& rect, uint32_t,
                                 uint32_t color, int align, uint32_t effectColor, int effectOffset, float alpha) {
  if (!font.IsReady()) return kFail;
  const int width = rect.right - rect.left;
  const std::vector<std::wstring> lines = WrapText(font, text, width);
  const int lineHeight = std::max(1, font.GetLineHeight());
  float y = static_cast<float>(rect.top);
  for (const auto& line : lines) {
    const int w = font.GetTextWidth(line);
    float x = static_cast<float>(rect.left);
    if (align & 2) x = rect.left + (width - w) * 0.5f;
    else if (align & 1) x = static_cast<float>(rect.right - w);
    if (font.Effect() == EFontEffect::Shadow && effectOffset != 0)
      DrawTextLine(font, true, line, x + effectOffset, y + effectOffset, effectColor, alpha);
    else if (font.Effect() == EFontEffect::Outline)
      DrawTextLine(font, true, line, x - font.EffectSize(), y - font.EffectSize(), effectColor, alpha);
    if (!DrawTextLine(font, false, line, x, y, color, alpha)) return kFail;
    y += lineHeight;
  }
  return kOk;
}

int32_t CRenderSystem::DrawTextW(CFont& font, const std::wstring& text, const SRect& rect, uint32_t flags,
                                 uint32_t color, int align) {
  return DrawTextW(font, text, rect, flags, color, align, 0, 0, 1.0f);
}

}  // namespace zuzorev
