#pragma once
// Named render settings ("MT_TEXTURE_ALPHA_SMOOTH", "RS_FONTRENDER" ...):
// blending, depth test and write, culling, filtering, the second texture's
// operation, an alpha cut and whether the material lights the colour.
// Read from our render-settings XML (docs/formats.md, "Render settings").
#include <cstdint>
#include <string>
#include <vector>

#include "Engine/zuzorev/Device.h"

class TiXmlDocument;

namespace zuzorev {

struct SRenderSeting {
  std::wstring Name;
  EBlend Blend = EBlend::Alpha;
  bool DepthTest = true;   // only while SetZEnable(1) is on
  bool DepthWrite = true;
  ECull Cull = ECull::None;
  bool Linear = true;
  ESecondTex SecondTex = ESecondTex::None;
  float AlphaCut = 0.0f;   // 0..1
  bool Lighting = true;    // material colour applies (else vertex colour only)
};

class CRenderSetingsManager {
 public:
  // Loads every setting of the file (resolved through the file system); a
  // name already known is replaced. Negative on failure (missing or
  // malformed file, no <RenderSetings> root).
  int32_t LoadSetingsFromXml(const std::wstring& file, int flags);
  // Same from a document text (tests, packed data).
  int32_t LoadSetingsFromText(const std::string& xml);

  // Id of a name (case-insensitive), -1 when unknown.
  int GetID(const std::wstring& name) const;
  // The setting of an id; null for -1 and unknown ids.
  const SRenderSeting* Get(int id) const;
  size_t Count() const { return mSetings.size(); }
  void Clear() { mSetings.clear(); }

 private:
  int32_t LoadDocument(const TiXmlDocument& doc, const std::wstring& source);

  std::vector<SRenderSeting> mSetings;  // ids are indices; never reordered
};

}  // namespace zuzorev
