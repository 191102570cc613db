#include "Engine/rovovoz/GUIForm.h"

#include "Engine/TinyXmlExt/TinyXmlExt.h"
#include "Engine/rovovoz/GUIBackground.h"
#include "Engine/rovovoz/GUIButton.h"
#include "Engine/rovovoz/GUICheckBox.h"
#include "Engine/rovovoz/GUIEditBox.h"
#include "Engine/rovovoz/GUILabel.h"
#include "Engine/rovovoz/GUIListBox.h"
#include "Engine/rovovoz/GUIMarker.h"
#include "Engine/rovovoz/GUISlider.h"
#include "Engine/zorlog/Log.h"
#include "Platform/Strings.h"

namespace rovovoz {

namespace {

const wchar_t* const kSource = L"Engine/rovovoz/GUIForm";

void LogError(const wchar_t* format, const std::wstring& file, int line) {
  zuzorev::LogMessage(zuzorev::ELogLevel::Error, kSource, line, format, file.c_str());
}

}  // namespace

CGUIForm::CGUIForm(CGameCore* core, CGUIBaseObject* parent) : CGUIBaseObject(core, parent) {}

int32_t CGUIForm::Load(const std::wstring& file, uint32_t flags) {
  Release(0);
  mFile = file;
  TiXmlDocument document;
  if (!LoadXmlDocument(document, file)) {
    if (!document.Error()) LogError(L"No load form file %s.", file, __LINE__);  // else named as not parsed
    return zuzorev::kFail;
  }
  const TiXmlElement* root = FirstChildElementUpper(&document, "Form");
  if (!root) {
    LogError(L"No find teg <Form> in form file %s.", file, __LINE__);
    return zuzorev::kFail;
  }
  const int32_t result = LoadProperty(root, 0, flags);
  return result < 0 ? result : zuzorev::kOk;
}

int32_t CGUIForm::Load(const std::wstring& formFile, const std::wstring& renderFile, const std::wstring& triggerFile,
                       const std::wstring& textGroup, uint32_t flags) {
  mSceneFiles = true;
  mModelFile = renderFile;
  mTriangleFile = triggerFile;
  mFixedTextGroup = textGroup;
  return Load(formFile, flags);
}

std::unique_ptr<CGUIBaseObject> CGUIForm::CreateWidget(const std::string& tag) {
  const std::string t = Platform::ToLowerAscii(tag);
  if (t == "button") return std::make_unique<CGUIButton>(mCore, this);
  if (t == "label") return std::make_unique<CGUILabel>(mCore, this);
  if (t == "listbox") return std::make_unique<CGUIListBox>(mCore, this);
  if (t == "editbox") return std::make_unique<CGUIEditBox>(mCore, this);
  if (t == "checkbox") return std::make_unique<CGUICheckBox>(mCore, this);
  if (t == "slider") return std::make_unique<CGUISlider>(mCore, this);
  if (t == "background") return std::make_unique<CGUIBackground>(mCore, this);
  if (t == "marker") return std::make_unique<CGUIMarker>(mCore, this);
  return nullptr;
}

int32_t CGUIForm::LoadProperty(const TiXmlElement* element, int index, uint32_t flags) {
  if (!element) return zuzorev::kFail;
  mName = ValueUtf8(FindUpper(element, "Name"));
  if (const TiXmlAttribute* a = FindUpper(element, "Visible")) mVisible = IntValue(a) != 0;
  if (const TiXmlAttribute* a = FindUpper(element, "Alpha")) mAlpha = FloatValue(a);
  if (!mSceneFiles) {
    mModelFile = ValueUtf8(FindUpper(element, "FileModel"));
    mTriangleFile = ValueUtf8(FindUpper(element, "FileTriangle"));
  }
  mTextGroup = mFixedTextGroup.empty() ? ValueUtf8(FindUpper(element, "TextGroup")) : mFixedTextGroup;

  for (const TiXmlElement* e = IterateChildrenElement(element, nullptr); e; e = IterateChildrenElement(element, e)) {
    const std::string tag = e->Value() ? e->Value() : "";
    if (Platform::ToLowerAscii(tag) == "model") {
      const std::wstring name = ValueUtf8(FindUpper(e, "NameModel"));
      if (name.empty()) continue;
      auto look = std::make_unique<CGUILook>();
      mModelNames.push_back(name);
      if (look->Load(mCore, e, "", GetModelFile())) mModels.push_back(std::move(look));
      continue;
    }
    std::unique_ptr<CGUIBaseObject> widget = CreateWidget(tag);
    if (!widget) continue;
    AddChild(std::move(widget))->LoadProperty(e, index, flags);
  }
  return zuzorev::kOk;
}

int32_t CGUIForm::Release(uint32_t flags) { return CGUIBaseObject::Release(flags); }

}  // namespace rovovoz
