#pragma once
// The render system: device, modes, render settings, textures, meshes, fonts.
// (Only what start-up needs so far; the rendering layer fills in the rest.)
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace zuzorev {

// Named render states ("RS_FONTRENDER" ...) read from our render-settings XML.
class CRenderSetingsManager {
 public:
  // Loads every setting of the file (resolved through the file system).
  // Negative on failure (missing or malformed file).
  int32_t LoadSetingsFromXml(const std::wstring& file, int flags);
};

class CRenderSystem {
 public:
  CRenderSetingsManager* GetRenderSetingsManager() { return &mSetingsManager; }

  // Registers a TrueType font: (file font, file metrics) or
  // (font name, file font, file metrics); the effect forms add a file effect.
  // Negative when the font file cannot be found.
  int32_t AddResourceFont(const std::wstring& fileFont, const std::wstring& fileMetrik);
  int32_t AddResourceFont(const std::wstring& fontName, const std::wstring& fileFont, const std::wstring& fileMetrik);
  int32_t AddResourceFontEffect(const std::wstring& fileFont, const std::wstring& fileEffect,
                                const std::wstring& fileMetrik);
  int32_t AddResourceFontEffect(const std::wstring& fontName, const std::wstring& fileFont,
                                const std::wstring& fileEffect, const std::wstring& fileMetrik);

 private:
  CRenderSetingsManager mSetingsManager;
};

}  // namespace zuzorev
