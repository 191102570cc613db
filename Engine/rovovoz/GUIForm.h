#pragma once
// A form: a set of widgets read from our form file (docs/formats.md, "Forms
// and widgets"). Every menu, the game panel, the close-up frame and the
// scenes' "_form" files are forms. Loading hands the form's element to the
// virtual LoadProperty, which reads the form and its widgets; a menu
// overrides it, calls this one first and then reads its own elements and
// looks up its widgets by name.
#include <memory>
#include <string>

#include "Engine/rovovoz/GUIBaseObject.h"

namespace rovovoz {

class CGUIForm : public CGUIBaseObject {
 public:
  explicit CGUIForm(CGameCore* core, CGUIBaseObject* parent = nullptr);

  // Reads a form file (root element Form). N: fails on a missing or
  // malformed file, a missing Form element or a failing LoadProperty.
  virtual int32_t Load(const std::wstring& file, uint32_t flags);
  // A scene's form: its widgets take their models from the scene's model
  // file and their trigger models from the scene's trigger file; texts come
  // from textGroup (empty: the form's own TextGroup). N.
  virtual int32_t Load(const std::wstring& formFile, const std::wstring& renderFile,
                       const std::wstring& triggerFile, const std::wstring& textGroup, uint32_t flags);
  using CGUIBaseObject::Load;

  // Reads the form's attributes (Name, Visible, Alpha, TextGroup,
  // FileModel, FileTriangle), its own models (Model elements) and its
  // widgets, in file order. Elements that are no widget are left to the
  // overrides. 1; E_FAIL for a null element.
  int32_t LoadProperty(const TiXmlElement* element, int index, uint32_t flags) override;
  // Forgets every widget and model (the file name stays).
  int32_t Release(uint32_t flags = 0) override;
  const std::wstring& GetFileName() const { return mFile; }

 protected:
  // The widget a tag of the form file makes (null: no widget).
  virtual std::unique_ptr<CGUIBaseObject> CreateWidget(const std::string& tag);

 private:
  std::wstring mFile;
  bool mSceneFiles = false;
  std::wstring mFixedTextGroup;
};

}  // namespace rovovoz
