#include "Objects/ObjectSupport.h"

#include <tinyxml.h>

#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <string_view>

#include "Engine/TinyXmlExt/TinyXmlExt.h"
#include "Engine/rovovoz/GameCore.h"
#include "Engine/rovovoz/StaticObject3D.h"
#include "Engine/zorfile/FileSystem.h"
#include "Engine/zuzorev/RenderSystem.h"
#include "Platform/Strings.h"

namespace objects {

zuzorev::CRenderSystem* RenderOf(rovovoz::CGameCore* core) { return core ? core->GetRender() : nullptr; }

bool ReadText(const TiXmlElement* element, const char* name, std::wstring& value) {
  const TiXmlAttribute* attribute = element ? FindUpper(element, name) : nullptr;
  if (!attribute) return false;
  value = ValueUtf8(attribute);
  return true;
}

namespace {

// The number a whole attribute text spells (blanks around it allowed), or
// nothing when it is no finite number.
std::optional<double> WholeNumber(const char* text) {
  std::string_view s(text ? text : "");
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  if (!s.empty() && s.front() == '+') s.remove_prefix(1);
  double value = 0.0;
  const auto result = std::from_chars(s.data(), s.data() + s.size(), value);
  if (s.empty() || result.ec != std::errc() || result.ptr != s.data() + s.size() || !std::isfinite(value))
    return std::nullopt;
  return value;
}

void WarnNoNumber(const TiXmlElement* element, const TiXmlAttribute* attribute) {
  const TiXmlDocument* document = element->GetDocument();
  const std::wstring file = document && document->Value() ? Platform::Utf8ToWide(document->Value()) : L"";
  const std::wstring name = Platform::Utf8ToWide(attribute->Name());
  const std::wstring text = ValueUtf8(attribute);
  zuzorev::LogMessage(zuzorev::ELogLevel::Warning, L"Source/Objects/ObjectSupport", __LINE__,
                      L"File %s: attribute %s=\"%s\" of %s is no number; its default stays", file.c_str(),
                      name.c_str(), text.c_str(), Platform::Utf8ToWide(element->Value()).c_str());
}

}  // namespace

bool ReadInt(const TiXmlElement* element, const char* name, int32_t& value) {
  const TiXmlAttribute* attribute = element ? FindUpper(element, name) : nullptr;
  if (!attribute) return false;
  // A whole number written with a fraction of zero ("64.0") is still one.
  const std::optional<double> number = WholeNumber(attribute->Value());
  if (!number || *number != std::trunc(*number) || *number < std::numeric_limits<int32_t>::min() ||
      *number > std::numeric_limits<int32_t>::max()) {
    WarnNoNumber(element, attribute);
    return false;
  }
  value = static_cast<int32_t>(*number);
  return true;
}

bool ReadFloat(const TiXmlElement* element, const char* name, float& value) {
  const TiXmlAttribute* attribute = element ? FindUpper(element, name) : nullptr;
  if (!attribute) return false;
  const std::optional<double> number = WholeNumber(attribute->Value());
  if (!number || std::fabs(*number) > std::numeric_limits<float>::max()) {
    WarnNoNumber(element, attribute);
    return false;
  }
  value = static_cast<float>(*number);
  return true;
}

std::wstring TextOr(const TiXmlElement* element, const char* name, const std::wstring& fallback) {
  std::wstring value;
  if (!ReadText(element, name, value) || value.empty()) return fallback;
  return value;
}

int CorrectRange(float& low, float& high) {
  if (low < 0.0f) low = 0.0f;
  if (high < 0.0f || high < low) high = low;
  return low != high ? 1 : 0;
}

std::wstring Numbered(const std::wstring& base, int n) {
  std::wstring digits = std::to_wstring(n);
  if (n >= 0 && n < 10) digits.insert(digits.begin(), L'0');
  return base + digits;
}

bool TextureFileExists(const std::wstring& name) {
  zorfile::CFileSystem* fs = zorfile::GetFileSystem();
  return fs && fs->FileExist(name, nullptr, 1, zorfile::kKindTextures, 0);
}

bool ReadModelSource(const wchar_t* source, int line, const void* render, const TiXmlElement* properties,
                     const std::wstring& modelFile, const wchar_t* missingModel, std::wstring& file,
                     std::wstring& model) {
  if (!render) {
    Error(source, line, L"Null render system");
    return false;
  }
  if (!properties) {
    Error(source, line, L"Null xml element.");
    return false;
  }
  file = TextOr(properties, "NameFile", modelFile);
  if (!ReadText(properties, "NameModel", model)) {
    Error(source, line, missingModel);
    return false;
  }
  return true;
}

bool LoadPropertiesMesh(const wchar_t* source, int line, zuzorev::CRenderSystem* render,
                        const TiXmlElement* properties, const std::wstring& modelFile, uint32_t flags,
                        zuzorev::CMesh& mesh, const wchar_t* loadFailed) {
  std::wstring file;
  std::wstring model;
  if (!ReadModelSource(source, line, render, properties, modelFile, L"No find attribute  NameModel", file, model))
    return false;
  if (render->LoadMesh(file, mesh, model, flags, 0) > 0) return true;
  mesh.Release(0);
  Error(source, line, loadFailed);
  return false;
}

rovovoz::CStaticObject3D* LoadStaticModel(rovovoz::CGameCore* core, const std::wstring& file,
                                          const std::wstring& mesh, uint32_t flags) {
  auto* model = new rovovoz::CStaticObject3D(core);
  if (model->LoadModel(file, mesh, flags, 0) == 0) {
    delete model;
    return nullptr;
  }
  return model;
}

void AdoptModelLocation(rovovoz::CBaseGeometryObject& object, rovovoz::CBaseGeometryObject& model) {
  object.SetLocationMatrix3D(model.GetLocationMatrix3D());
  model.SetLocationMatrix3D(zormath::Mat4f::Identity());
}

float AdvancePhase(float phase, float frequency, float dt) {
  phase += frequency * dt;
  if (!std::isfinite(phase)) return 0.0f;
  if (phase > kTwoPi) phase = std::fmod(phase, kTwoPi);
  return phase;
}

float WrapUnit(float value) {
  if (!std::isfinite(value)) return 0.0f;
  if (value > 1.0f || value < -1.0f) value = std::fmod(value, 1.0f);
  return value;
}

}  // namespace objects
