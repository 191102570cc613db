// Scene files: the main file with its entries, models, trigger models and
// Info groups (read when the scene is created), and the companions read
// once when the scene is first loaded for play; the developer word
// commands.
#include <tinyxml.h>

#include "Engine/TinyXmlExt/TinyXmlExt.h"
#include "Engine/rovovoz/GManagerAmbientSound.h"
#include "Engine/rovovoz/GManagerSound.h"
#include "Engine/rovovoz/GUIForm.h"
#include "Engine/rovovoz/StaticObject3D.h"
#include "Engine/rovovoz/TriangleObject3D.h"
#include "Engine/zorfile/FileSystem.h"
#include "Levels/BaseBack.h"
#include "Levels/BaseBackLog.h"
#include "LoadProgress.h"
#include "Platform/Strings.h"

using basebacklog::Error;

namespace {

bool DataFileExists(const std::wstring& name) {
  zorfile::CFileSystem* fs = zorfile::GetFileSystem();
  return fs && fs->FileExist(name, nullptr, 1, zorfile::kKindAll, 0);
}

// An entry index attribute; -1 when absent.
int32_t OptionalIndex(const TiXmlElement* element, const char* name) {
  const TiXmlAttribute* attribute = FindUpper(element, name);
  return attribute ? IntValue(attribute) : -1;
}

}  // namespace

std::wstring CBaseBack::CompanionFile(const wchar_t* suffix) const {
  std::wstring drive, directory, name, extension;
  SplitPath(mFileName, &drive, &directory, &name, &extension);
  return drive + directory + name + suffix + extension;
}

int32_t CBaseBack::InitBack(const std::wstring& file) {
  Release(0);
  mFileName = file;
  if (!LoadFromXML(file)) {
    Error(__LINE__, L"Load object for back");
    return 0;
  }
  if (gLoadProgress) gLoadProgress->Tick(0);
  mAmbientSound = new rovovoz::CGManagerAmbientSound(mCore);
  mMusic = new rovovoz::CGManagerAmbientSound(mCore);
  mSounds = new rovovoz::CGManagerSound(mCore);
  return 1;
}

int32_t CBaseBack::LoadFromXML(const std::wstring& file) {
  mMainLoaded = 1;
  mModelIndex.clear();
  mTriggerIndex.clear();
  TiXmlDocument document;
  if (!LoadXmlDocument(document, file)) {
    if (!document.Error()) Error(__LINE__, L"No find xml file %s.", file.c_str());  // else named as not parsed
    return 0;
  }
  const TiXmlElement* level = FirstChildElementUpper(&document, "Level");
  if (!level) {
    Error(__LINE__, L"No find teg <Level> file xml %s", file.c_str());
    return 0;
  }
  const TiXmlAttribute* render = FindUpper(level, "FileRender");
  if (!render) {
    Error(__LINE__, L"No find attribute FileRender");
    return 0;
  }
  mFileRender = ValueUtf8(render);
  const TiXmlAttribute* triangle = FindUpper(level, "FileTriangle");
  if (!triangle) {
    Error(__LINE__, L"No find attribute FileTriangle");
    return 0;
  }
  mFileTriangle = ValueUtf8(triangle);

  const TiXmlElement* objects = FirstChildElementUpper(level, "RenderObject");
  if (!objects) return 1;
  // Entries are only ever appended here, so an index in the name maps
  // always names the entry it was made for.
  int index = GetEntryCount();
  for (const TiXmlElement* object = IterateChildrenElementUpper(objects, "Object", nullptr); object;
       object = IterateChildrenElementUpper(objects, "Object", object)) {
    SObjectEntry entry;
    if (const TiXmlAttribute* name = FindUpper(object, "NameModel")) {
      entry.mModelName = ValueUtf8(name);
      if (!entry.mModelName.empty()) mModelIndex.emplace(entry.mModelName, index);
    }
    entry.mMakeModel = 1;
    if (const TiXmlAttribute* name = FindUpper(object, "TriangleModel")) {
      entry.mTriggerName = ValueUtf8(name);
      if (!entry.mTriggerName.empty()) mTriggerIndex.emplace(entry.mTriggerName, index);
    }
    if (entry.mModelName.empty() && entry.mTriggerName.empty()) continue;
    mEntries.push_back(entry);
    ++index;
  }
  if (!LoadInfo(level)) {
    Error(__LINE__, L"Load logic info from xml = %s.", file.c_str());
    return 0;
  }
  LoadStaticObjects(mFileRender);
  LoadTriangleObjects(mFileTriangle);
  return 1;
}

int32_t CBaseBack::LoadInfo(const TiXmlElement* level) {
  if (!level) return 1;
  const TiXmlElement* info = FirstChildElementUpper(level, "Info");
  if (!info) return 1;
  for (const TiXmlElement* group = IterateChildrenElement(info, nullptr); group;
       group = IterateChildrenElement(info, group)) {
    const std::wstring tag = Platform::Utf8ToWide(group->Value() ? group->Value() : "");
    if (tag.empty()) continue;
    for (const TiXmlElement* object = IterateChildrenElementUpper(group, "Object", nullptr); object;
         object = IterateChildrenElementUpper(group, "Object", object)) {
      const TiXmlAttribute* nameAttribute = FindUpper(object, "Name");
      if (!nameAttribute) continue;
      const std::wstring name = ValueUtf8(nameAttribute);
      if (name.empty()) {
        Error(__LINE__, L"Empty name object. teg = %s", tag.c_str());
        continue;
      }
      if (const TiXmlAttribute* ind = FindUpper(object, "ind")) {
        SZoneObject item;
        item.mName = name;
        item.ind = IntValue(ind);
        item.ind_sel = OptionalIndex(object, "ind_sel");
        // Every index the zones use must name an entry of this scene.
        if (!IsEntryIndex(item.ind)) {
          Error(__LINE__, L"Invalid attr <ind> = %d prefix = %s object = %s", item.ind, tag.c_str(), name.c_str());
          continue;
        }
        if (!IsEntryIndex(item.ind_sel)) item.ind_sel = -1;
        mZones[tag].push_back(item);
        continue;
      }
      SZoneComplex complex;
      complex.mName = name;
      for (const TiXmlElement* kusok = IterateChildrenElementUpper(object, "Kusok", nullptr); kusok;
           kusok = IterateChildrenElementUpper(object, "Kusok", kusok)) {
        const TiXmlAttribute* ind = FindUpper(kusok, "ind");
        if (!ind) {
          Error(__LINE__, L"No find attr <ind> prefix = %s object = %s", tag.c_str(), name.c_str());
          continue;
        }
        const TiXmlAttribute* num = FindUpper(kusok, "num");
        if (!num) {
          Error(__LINE__, L"No find attr <num> prefix = %s object = %s", tag.c_str(), name.c_str());
          continue;
        }
        SZoneItem piece;
        piece.num = IntValue(num);
        piece.ind = IntValue(ind);
        piece.ind_sel = OptionalIndex(kusok, "ind_sel");
        if (!IsEntryIndex(piece.ind)) {
          Error(__LINE__, L"Invalid attr <ind> = %d prefix = %s object = %s", piece.ind, tag.c_str(), name.c_str());
          continue;
        }
        if (!IsEntryIndex(piece.ind_sel)) piece.ind_sel = -1;
        complex.mPieces.push_back(piece);
      }
      if (!complex.mPieces.empty()) mComplexZones[tag].push_back(complex);
    }
  }
  return 1;
}

int32_t CBaseBack::LoadStaticObjects(const std::wstring& renderFile) {
  for (SObjectEntry& entry : mEntries) {
    if (entry.mModelName.empty() || !entry.mMakeModel) continue;
    auto* model = new rovovoz::CStaticObject3D(mCore);
    if (entry.mObject && !entry.mShared) delete entry.mObject;
    entry.mObject = model;
    entry.mShared = 0;
    if (model->LoadModel(renderFile, entry.mModelName, 8, 0) > 0) {
      model->SetRender2D(1);
      entry.mRender2D = 1;
    } else {
      Error(__LINE__, L"Invalid name model.");
      delete model;
      entry.mObject = nullptr;
    }
  }
  return 1;
}

int32_t CBaseBack::LoadTriangleObjects(const std::wstring& triggerFile) {
  for (SObjectEntry& entry : mEntries) {
    if (entry.mTriggerName.empty()) continue;
    auto* trigger = new rovovoz::CTriangleObject3D(mCore);
    delete entry.mTrigger;
    entry.mTrigger = trigger;
    if (trigger->LoadModel(triggerFile, entry.mTriggerName, 8, 0) < 0) {
      Error(__LINE__, L"Invalid triangle model name.");
      delete trigger;
      entry.mTrigger = nullptr;
    }
  }
  return 1;
}

int32_t CBaseBack::Load(uint32_t flags) {
  if (!mMainLoaded) LoadFromXML(mFileName);
  if (!mObjectsLoaded) {
    LoadObjects(CompanionFile(L"_anim"), mFileRender);
    const std::wstring form = CompanionFile(L"_form");
    if (DataFileExists(form) && !LoadFormObjects(form, mFileRender, mFileTriangle)) {
      Error(__LINE__, L"Load form objects from xml = %s.", form.c_str());
      return 0;
    }
    const std::wstring path = CompanionFile(L"_path");
    if (!LoadPathObjects(path)) {
      Error(__LINE__, L"Load path objects from xml = %s.", path.c_str());
      return 0;
    }
  }
  for (SObjectEntry& entry : mEntries) {
    if (entry.mObject) entry.mObject->Load(flags);
    if (entry.mTrigger) entry.mTrigger->Load(flags);
  }
  return 1;
}

void CBaseBack::DropFormObjects() {
  for (SObjectEntry& entry : mEntries) {
    if (!entry.mShared) continue;
    entry.mObject = nullptr;
    entry.mShared = 0;
  }
}

int32_t CBaseBack::LoadFormObjects(const std::wstring& formFile, const std::wstring& renderFile,
                                   const std::wstring& triggerFile) {
  if (!mForm) mForm = new rovovoz::CGUIForm(mCore, nullptr);
  // Loading gives the form's old children back; no entry may keep one.
  DropFormObjects();
  if (mForm->Load(formFile, renderFile, triggerFile, L"", 0) < 0) {
    Error(__LINE__, L"LoadFormObjects. Name back = %s", GetName().c_str());
    return 0;
  }
  for (rovovoz::CGUIBaseObject* child = mForm->IterateChild(nullptr); child; child = mForm->IterateChild(child)) {
    const std::wstring name = child->GetFirstNameModel();
    if (name.empty()) continue;
    int index = GetObjectIndex(name);
    if (index < 0) index = GetObjectIndex2(name);
    if (index < 0) continue;
    SObjectEntry& entry = mEntries[static_cast<size_t>(index)];
    if (entry.mObject != child && !entry.mShared) delete entry.mObject;
    entry.mMakeModel = 0;
    entry.mShared = 1;
    entry.mObject = child;
    entry.mFollowZoom = 0;
  }
  for (const std::wstring& name : mForm->GetListModelName()) {
    const int index = GetObjectIndex(name);
    if (index < 0) continue;
    SObjectEntry& entry = mEntries[static_cast<size_t>(index)];
    entry.mMakeModel = 0;
    entry.mFollowZoom = 0;
    // An entry a child took over keeps the child, which stays the form's:
    // the scene must never delete it.
  }
  mForm->KorectOpornPoint2D(zormath::Vec3f(512.0f, 384.0f, 0.0f), 1, 1);
  return 1;
}

int32_t CBaseBack::HandleWordCommand(const std::vector<std::wstring>& words) {
  if (words.empty()) return 0;
  const std::wstring& word = words.front();
  if (Platform::EqualsNoCase(word, L"hide")) {
    gHideMode = gHideMode ? 0 : 1;
    return 1;
  }
  if (Platform::EqualsNoCase(word, L"find")) {
    mDebugFind = 1;
    return 1;
  }
  if (Platform::EqualsNoCase(word, L"form")) {
    DropFormObjects();
    delete mForm;
    mForm = new rovovoz::CGUIForm(mCore, nullptr);
    const std::wstring form = CompanionFile(L"_form");
    if (DataFileExists(form) && !LoadFormObjects(form, mFileRender, mFileTriangle))
      Error(__LINE__, L"Load form objects from xml = %s.", form.c_str());
    return 0;
  }
  return 0;
}
