// The scene's object factory: the "_anim" companion names, per entry, the
// kind of render object that replaces the entry's static model.
#include <tinyxml.h>

#include "Engine/RerivuzoZurodo/ParticleEffect.h"
#include "Engine/TinyXmlExt/TinyXmlExt.h"
#include "Engine/rovovoz/GameCore.h"
#include "Engine/rovovoz/ParticleSystem.h"
#include "Engine/rovovoz/VideoObject3D.h"
#include "Engine/zuzorev/RenderSystem.h"
#include "Levels/BaseBack.h"
#include "Levels/BaseBackLog.h"
#include "Objects/AnimObject3D.h"
#include "Objects/AnimTexture3D.h"
#include "Objects/Blesk.h"
#include "Objects/Derevo.h"
#include "Objects/Fire.h"
#include "Objects/FirePart.h"
#include "Objects/Lampa.h"
#include "Objects/LuchiPil.h"
#include "Objects/MaxAnim.h"
#include "Objects/MolniiElektr.h"
#include "Objects/Morfing.h"
#include "Objects/ObjectSupport.h"
#include "Objects/Oblaka.h"
#include "Objects/ROAnimModelLoop.h"
#include "Objects/ROAnimTextureLoop.h"
#include "Objects/ROBliki.h"
#include "Objects/ROListopad.h"
#include "Objects/ROLuchi.h"
#include "Objects/ROModelAnimatoinList.h"
#include "Objects/ROMolnia.h"
#include "Objects/ROMoveSpline.h"
#include "Objects/ROMoveTexture.h"
#include "Objects/ROOtragenie.h"
#include "Objects/ROPlavaet.h"
#include "Objects/RORain.h"
#include "Objects/ROSimpleDerevo.h"
#include "Objects/SimpleFrameAnim.h"
#include "Objects/Struya.h"
#include "Platform/Strings.h"

using basebacklog::Error;

namespace {

using MakeFn = rovovoz::CBaseGeometryObject* (*)(rovovoz::CGameCore*);
using NamesFn = void (*)(const rovovoz::CBaseGeometryObject*, std::vector<std::wstring>&);

template <class T>
rovovoz::CBaseGeometryObject* Make(rovovoz::CGameCore* core) {
  return new T(core);
}

template <class T>
void Names(const rovovoz::CBaseGeometryObject* object, std::vector<std::wstring>& names) {
  if (const T* typed = dynamic_cast<const T*>(object)) typed->GetModelNames(names);
}

// The tree answers with the meshes of all its branches.
void TreeNames(const rovovoz::CBaseGeometryObject* object, std::vector<std::wstring>& names) {
  if (const auto* tree = dynamic_cast<const CDerevo*>(object)) tree->CollectModelNames(names);
}

enum class ESpecial { None, Rotate, ParticleEffect };

struct SKind {
  const wchar_t* keyword;
  const wchar_t* message;  // on a failed load; %s is the object's name
  MakeFn make;             // null: no object (ROTATE)
  NamesFn names;           // the meshes it draws itself, for the kinds that tell
  bool render2D;           // the entry follows the scene-wide 2D switch
  ESpecial special;
};

// In the order the keywords are tried.
const SKind kKinds[] = {
    {L"FIRE", L"Load object fire name = %s", Make<CFire>, nullptr, false, ESpecial::None},
    {L"DEREVO", L"Load object derevo name = %s", Make<CDerevo>, TreeNames, false, ESpecial::None},
    {L"MOLNII_ELEKTR", L"Load object molnii elektr name = %s", Make<CMolniiElektr>, Names<CMolniiElektr>, false,
     ESpecial::None},
    {L"LUCHIPIL", L"Load object luchi pil name = %s", Make<CLuchiPil>, nullptr, false, ESpecial::None},
    {L"PARTICLE", L"Load object particle name = %s", Make<rovovoz::CParticleSystem>, nullptr, false,
     ESpecial::None},
    {L"STRUYA", L"Load object struya name = %s", Make<CStruya>, nullptr, false, ESpecial::None},
    {L"MOVE_TEXTURE", L"Load object move texture name = %s", Make<CROMoveTexture>, nullptr, false, ESpecial::None},
    {L"OBLAKA", L"Load object oblako name = %s", Make<COblaka>, nullptr, false, ESpecial::None},
    {L"ANIMATION3D", L"Load object anim 3d name = %s", Make<CAnimObject3D>, nullptr, false, ESpecial::None},
    {L"ANIMTEXTURE3D", L"Load object anim texture 3d name = %s", Make<CAnimTexture3D>, nullptr, false,
     ESpecial::None},
    {L"LAMPA", L"Load object lampa name = %s", Make<CLampa>, nullptr, true, ESpecial::None},
    {L"BLESK", L"Load object blesk name = %s", Make<CBlesk>, nullptr, false, ESpecial::None},
    {L"ROTATE", nullptr, nullptr, nullptr, false, ESpecial::Rotate},
    {L"KACHANIE", L"Load object kachanie name = %s", Make<CROSimpleDerevo>, nullptr, false, ESpecial::None},
    {L"MOVE_SPLINE", L"Load object move spline name = %s", Make<CROMoveSpline>, Names<CROMoveSpline>, false,
     ESpecial::None},
    {L"ANIM_TEXTURE_LOOP", L"Load object ROAnimTextureLoop name = %s", Make<CROAnimTextureLoop>, nullptr, false,
     ESpecial::None},
    {L"ROBLIKI", L"Load object ROBliki name = %s", Make<CROBliki>, nullptr, false, ESpecial::None},
    {L"MODEL_ANIMATOIN_LIST", L"Load object ROModelAnimatoinList name = %s", Make<CROModelAnimatoinList>, nullptr,
     false, ESpecial::None},
    {L"LUCHI", L"Load object ROLuchi name = %s", Make<CROLuchi>, nullptr, false, ESpecial::None},
    {L"ANIM_MODEL_LOOP", L"Load object ROAnimModelLoop name = %s", Make<CROAnimModelLoop>, Names<CROAnimModelLoop>,
     false, ESpecial::None},
    {L"FRAME_ANIM", L"Load object CSimpleFrameAnim name = %s", Make<CSimpleFrameAnim>, Names<CSimpleFrameAnim>,
     false, ESpecial::None},
    {L"MOLNIA", L"Load object ROMolnia name = %s", Make<CROMolnia>, Names<CROMolnia>, false, ESpecial::None},
    {L"RAIN", L"Load object RORain name = %s", Make<CRORain>, nullptr, false, ESpecial::None},
    {L"OTRAGENIE", L"Load object ROOtragenie name = %s", Make<CROOtragenie>, nullptr, false, ESpecial::None},
    {L"FIRE_PART", L"Load object FirePart name = %s", Make<CFirePart>, nullptr, false, ESpecial::None},
    {L"PLAVAET", L"Load object ROPlavaet name = %s", Make<CROPlavaet>, nullptr, false, ESpecial::None},
    {L"LISTOPAD", L"Load object ROListopad name = %s", Make<CROListopad>, nullptr, false, ESpecial::None},
    {L"MAX_ANIM", L"Load object MaxAnim name = %s", Make<CMaxAnim>, nullptr, false, ESpecial::None},
    {L"VIDEO_OBJ", L"Load object video name = %s", Make<rovovoz::CVideoObject3D>, nullptr, true, ESpecial::None},
    {L"PARTICLE_EFFECT", L"Load object particle effect name = %s", Make<RerivuzoZurodo::CParticleEffect>, nullptr,
     true, ESpecial::ParticleEffect},
    {L"MORFING", L"Load object morfing name = %s", Make<CMorfing>, Names<CMorfing>, false, ESpecial::None},
};

const SKind* FindKind(const std::wstring& type) {
  for (const SKind& kind : kKinds)
    if (Platform::EqualsNoCase(type, kind.keyword)) return &kind;
  return nullptr;
}

}  // namespace

int32_t CBaseBack::LoadObjects(const std::wstring& file, const std::wstring& renderFile) {
  mObjectsLoaded = 1;
  TiXmlDocument document;
  if (!LoadXmlDocument(document, file)) return 1;
  const TiXmlElement* root = FirstChildElementUpper(&document, "Objects");
  if (!root) {
    // A missing file is no error; a file of another kind is.
    Error(__LINE__, L"No find teg <Objects> file xml %s", file.c_str());
    return 1;
  }
  for (const TiXmlElement* element = IterateChildrenElementUpper(root, "Object", nullptr); element;
       element = IterateChildrenElementUpper(root, "Object", element)) {
    const TiXmlAttribute* typeAttribute = FindUpper(element, "Type");
    const TiXmlAttribute* nameAttribute = FindUpper(element, "NameObj");
    if (!typeAttribute || !nameAttribute) continue;
    const std::wstring type = ValueUtf8(typeAttribute);
    const std::wstring name = ValueUtf8(nameAttribute);
    const auto found = mModelIndex.find(name);
    if (found == mModelIndex.end()) {
      Error(__LINE__, L"No find object %s.", name.c_str());
      continue;
    }
    SObjectEntry& entry = mEntries[static_cast<size_t>(found->second)];
    // The entry keeps its model unless a new object takes its place: an
    // element that makes nothing (no Properties, no keyword, ROTATE) must
    // not leave a hole in the picture.
    const TiXmlElement* properties = FirstChildElementUpper(element, "Properties");
    if (!properties) continue;
    const SKind* kind = FindKind(type);
    if (!kind) continue;
    if (kind->special == ESpecial::Rotate) {
      objects::ReadFloat(properties, "Speed", entry.mRotateSpeed);
      continue;
    }
    if (entry.mObject && !entry.mShared) delete entry.mObject;
    entry.mObject = nullptr;
    entry.mShared = 0;
    entry.mFromObjectFile = 0;
    rovovoz::CBaseGeometryObject* object = kind->make(mCore);
    entry.mObject = object;
    entry.mMakeModel = 0;
    if (kind->special == ESpecial::ParticleEffect) {
      auto* effect = static_cast<RerivuzoZurodo::CParticleEffect*>(object);
      int32_t infinity = 0;
      objects::ReadInt(properties, "Infinity", infinity);
      if (const TiXmlAttribute* pathAttribute = FindUpper(properties, "Path")) {
        std::wstring path = ValueUtf8(pathAttribute);
        // The effect's path has room for 99 characters: a longer one is cut
        // there, with a word, and names a file that is then not found.
        constexpr size_t kMostPathChars = 99;
        if (path.size() > kMostPathChars) {
          zuzorev::LogMessage(zuzorev::ELogLevel::Warning, basebacklog::kSource, __LINE__,
                              L"File %s: attribute Path of %s is longer than 99 characters and is cut", file.c_str(),
                              name.c_str());
          path.resize(kMostPathChars);
        }
        zormath::Mat4f matrix;
        bool placed = false;
        float posT = 0.0f;
        objects::ReadFloat(properties, "fPosT", posT);
        zuzorev::CRenderSystem* render = mCore ? mCore->GetRender() : nullptr;
        if (posT != 0.0f && render) {
          if (render->GetMatrixTransform(L"", matrix, renderFile, name) <= 0)
            Error(__LINE__, L"Load PARTICLE_EFFECT. Load matrix transform. File = %s ModelName = %s",
                  renderFile.c_str(), name.c_str());
          else
            placed = true;
        }
        effect->LoadEffect(path, infinity, placed ? &matrix : nullptr, 11);
      }
    }
    if (object->Load(properties, renderFile, 0) < 0) {
      Error(__LINE__, kind->message, name.c_str());
      delete object;
      entry.mObject = nullptr;
      object = nullptr;
    }
    if (kind->render2D) entry.mRender2D = 1;
    if (object && kind->names) {
      std::vector<std::wstring> names;
      kind->names(object, names);
      TakeOverModelNames(names);
    }
  }
  return 1;
}

void CBaseBack::TakeOverModelNames(const std::vector<std::wstring>& names) {
  for (const std::wstring& name : names) {
    const auto found = mModelIndex.find(name);
    if (found == mModelIndex.end()) continue;
    SObjectEntry& entry = mEntries[static_cast<size_t>(found->second)];
    entry.mMakeModel = 0;
    if (entry.mFromObjectFile == 1 && entry.mObject) {
      if (!entry.mShared) delete entry.mObject;
      entry.mObject = nullptr;
      entry.mShared = 0;
    }
  }
}
