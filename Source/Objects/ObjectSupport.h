#pragma once
// What the scene effect objects share: their error lines, the reading of
// optional attributes of a Properties element, and the loading of one mesh
// of a model file as an owned static model.
#include <cstdint>
#include <string>

#include "Engine/zorlog/Log.h"
#include "Engine/zormath/Math.h"

class TiXmlElement;
namespace rovovoz {
class CBaseGeometryObject;
class CGameCore;
class CStaticObject3D;
}  // namespace rovovoz
namespace zuzorev {
class CMesh;
class CRenderSystem;
}  // namespace zuzorev

namespace objects {

// The load result of a Properties element that could not be used.
constexpr int32_t kLoadFail = static_cast<int32_t>(0x80004005u);

constexpr float kPi = 3.14159265358979f;
constexpr float kTwoPi = 2.0f * kPi;

// printf-style wide format; %s takes const wchar_t*.
template <class... Args>
void Error(const wchar_t* source, int line, const wchar_t* format, Args... args) {
  zuzorev::LogMessage(zuzorev::ELogLevel::Error, source, line, format, args...);
}

// The core's render system; null without a core.
zuzorev::CRenderSystem* RenderOf(rovovoz::CGameCore* core);

// Attributes looked up ignoring case; a missing one leaves the value as it
// was and answers false. A number attribute whose text is no number (or
// out of range) is named with its file in a warning and also leaves the
// value, the object's default, as it was.
bool ReadText(const TiXmlElement* element, const char* name, std::wstring& value);
bool ReadInt(const TiXmlElement* element, const char* name, int32_t& value);
bool ReadFloat(const TiXmlElement* element, const char* name, float& value);
// The attribute, or fallback when it is missing or empty.
std::wstring TextOr(const TiXmlElement* element, const char* name, const std::wstring& fallback);

// A (Min, Max) pair read from data: a negative Min becomes 0, a Max below
// 0 or below the Min becomes the Min. 1 when the two then differ (values
// are drawn between them), else 0.
int CorrectRange(float& low, float& high);

// base followed by n written with at least two digits: Door01, Door12, Door100.
std::wstring Numbered(const std::wstring& base, int n);

// Whether a texture file of that name is in the game's texture search
// paths; asks without logging, so a numbered series can find its end.
bool TextureFileExists(const std::wstring& name);

// The opening of a mesh-backed object's Load: a render system, a Properties
// element, the model file (NameFile, else modelFile) and the mesh name
// (NameModel). False after logging what is missing at source:line;
// missingModel is the line logged when NameModel is absent.
bool ReadModelSource(const wchar_t* source, int line, const void* render, const TiXmlElement* properties,
                     const std::wstring& modelFile, const wchar_t* missingModel, std::wstring& file,
                     std::wstring& model);

// ReadModelSource, then the mesh it names loaded into `mesh`. False after
// logging: what is missing, or `loadFailed` (with `mesh` left empty) when
// the mesh does not load.
bool LoadPropertiesMesh(const wchar_t* source, int line, zuzorev::CRenderSystem* render,
                        const TiXmlElement* properties, const std::wstring& modelFile, uint32_t flags,
                        zuzorev::CMesh& mesh, const wchar_t* loadFailed);

// A new static model of the mesh, or null (nothing kept) when it does not load.
rovovoz::CStaticObject3D* LoadStaticModel(rovovoz::CGameCore* core, const std::wstring& file,
                                          const std::wstring& mesh, uint32_t flags);

// The object takes over the model's location; the model is then placed by
// the object alone.
void AdoptModelLocation(rovovoz::CBaseGeometryObject& object, rovovoz::CBaseGeometryObject& model);

// The running phase of a sine swing: above 2 pi it loses whole turns; it
// stays finite whatever the frequency.
float AdvancePhase(float phase, float frequency, float dt);

// A position within a repeating unit, kept in -1 .. 1 by whole units (one
// unit at a time for ordinary steps, all of them for huge ones); 0 when it
// is not finite.
float WrapUnit(float value);

}  // namespace objects
