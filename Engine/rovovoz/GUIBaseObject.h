#pragma once
// The base of every widget and of forms. A GUI object owns its children: the
// composite update lets each child react to the pointer and then runs the
// child's command (a clicked button, a list's delete request ...), the
// composite render draws the object and then its children.
//
// Places. A form is laid out on the 1024 x 768 virtual screen (pixels,
// top-left origin, y down) and lives in the interface space (x across, z up
// the screen, y depth: x = px - 512, z = 384 - py). A widget's position is
// the middle of its box in its form's space (for a model widget: where the
// model file places its mesh); its box is Width x Height virtual pixels.
// The form's anchor (KorectOpornPoint2D) is the layout point its position
// refers to, so a form whose position is its anchor shows as laid out.
//
// Scale of GUI objects is given as on the screen: x across, y up the
// screen, z depth (SetScale(s, s, 1) shrinks a form on the screen).
//
// Event bits (GetEvent, valid until the next Update): kGuiEventOver while
// the pointer is over the object; a click sets kGuiEventClick together with
// 0x02 and 0x04, so a caller may test any of the three.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "Engine/rovovoz/BaseGeometryObject.h"
#include "Engine/rovovoz/GUILook.h"
#include "Engine/rovovoz/TriangleObject3D.h"

class TiXmlElement;

namespace zuzorev {
class CRenderSystem;
}

namespace rovovoz {

class CMouseCursor;
class CScriptFunctions;

enum : uint32_t {
  kGuiEventOver = 0x01,
  kGuiEventClick = 0x10,
  kGuiEventClickAll = 0x02 | 0x04 | 0x10,
};

class CGUIBaseObject : public CBaseGeometryObject {
 public:
  CGUIBaseObject(CGameCore* core, CGUIBaseObject* parent);
  ~CGUIBaseObject() override;
  CGUIBaseObject(const CGUIBaseObject&) = delete;
  CGUIBaseObject& operator=(const CGUIBaseObject&) = delete;

  // Reads the object's description from its element (Name, X, Y, Width,
  // Height, Depth, Visible, Alpha, Enable, FileModel, FileTriangle,
  // TriangleModel; widgets add their own). 1; E_FAIL for a null element or
  // when a named picture, model or trigger could not be loaded (logged; the
  // object keeps what did load).
  int32_t LoadProperty(const TiXmlElement* element, int index, uint32_t flags) override;
  // A widget on its own (not in a form): its description from the element. N.
  int32_t Load(const TiXmlElement* element, uint32_t flags);
  using CBaseObject::Load;
  // Residency of pictures and meshes. 1.
  int32_t Load(uint32_t flags) override;
  int32_t UnLoad(uint32_t flags) override;

  // Pointer and keys for the object and its children, then the children's
  // commands. 0.
  int32_t Update(float dt, CMouseCursor* cursor) override;
  // Draws while visible: the object, then its children.
  int32_t Render() override;
  // Draws the object whether visible or not (children keep their own flags).
  virtual int32_t RenderAlways();
  // Forgets the children and every resource. 0.
  int32_t Release(uint32_t flags = 0) override;
  // Remakes fonts after a display change. N (logged when a font fails).
  virtual int32_t ReInit();
  // Forgets pointer-over and press, here and in the children.
  virtual void ClearState();

  virtual void SetEnable(int enable) { mEnable = enable != 0; }
  int GetEnable() const { return mEnable ? 1 : 0; }
  uint32_t GetEvent() const { return mEvent; }
  // The pointer is over it or it is held pressed.
  int GetActive() const { return mOver || mPressed ? 1 : 0; }

  // Caption or text (labels, buttons, edit boxes, check boxes).
  virtual void SetText(const std::wstring& text) { mText = text; }
  virtual std::wstring GetText() const { return mText; }

  // Children (owned).
  CGUIBaseObject* GetChild(const std::wstring& name) const;
  // The child after prev (null: the first); null after the last.
  CGUIBaseObject* IterateChild(const CGUIBaseObject* prev) const;
  CGUIBaseObject* GetParent() const { return mParent; }
  CGUIBaseObject* AddChild(std::unique_ptr<CGUIBaseObject> child);
  // The first model (or trigger model) this object is drawn or picked with.
  std::wstring GetFirstNameModel() const;
  // The names of the models the form itself draws (empty for widgets).
  const std::vector<std::wstring>& GetListModelName() const { return mModelNames; }

  // Anchor: the layout point (virtual pixels with mode 1, window points with
  // mode 0) that the position refers to; place 1 also moves the object there
  // (so it shows as laid out).
  void KorectOpornPoint2D(const zormath::Vec3f& point, int mode, int place);
  // Puts the anchor on a point of the virtual screen (mode 1) or of the
  // window (mode 0); the depth stays.
  void SetPosition2D(const zormath::Vec3f& point, int mode);
  zormath::Vec3f GetPosition2D() const;
  // Turns the object in the screen plane so that its up points along
  // (x, y) (y up); (0, 1) is upright.
  void SetDirection2D(const zormath::Vec3f& direction);
  // Maps layout pixels of this object (its children's boxes, texts drawn
  // with SetTransform2DWorld2D) to virtual-screen pixels where they show.
  zormath::Mat4f GetWorldMatrix2D() const;
  // The box in the layout of its form (virtual pixels).
  virtual void GetBoxRect(zuzorev::SRect& rect) const;
  // The box size (virtual pixels); the object's middle stays.
  void SetSize(float width, float height) {
    mWidth = width;
    mHeight = height;
  }
  float GetWidth() const { return mWidth; }
  float GetHeight() const { return mHeight; }
  // Whether a point of the interface space lies on the object.
  virtual bool IsPointOver(const zormath::Vec3f& point) const;

  // Back to the place and size it was laid out with.
  void LoadTransformForMesh() override;
  void UpdateTempMatrix() override;
  void SetRender2D(int on) override;
  // Own alpha times the form's.
  float GetDrawAlpha() const;

  // Where the models, triggers and texts of this object come from (forms
  // hand theirs to the children).
  const std::wstring& GetModelFile() const;
  const std::wstring& GetTriangleFile() const;
  const std::wstring& GetTextGroup() const;

 protected:
  // Pointer state of this frame. over: the pointer is on the object; down:
  // the left button went down on it; click: it came up on it after going
  // down on it.
  struct SPointer {
    bool over = false, down = false, click = false, held = false;
    zormath::Vec3f local;  // the pointer in the object's own space (x right, y down, pixels)
  };
  SPointer UpdatePointer(CMouseCursor* cursor);
  // The object's own reaction (widgets); the base has none.
  virtual void UpdateSelf(float dt, CMouseCursor* cursor);
  // Runs after the form updated the object: commands of the widget.
  virtual void RunCommand() {}
  // Draws the object itself (the base: the form's own models).
  virtual void DrawSelf();
  // Looks of a widget, made resident, released and given back with it.
  void RegisterLook(CGUILook* look) { mLookList.push_back(look); }
  // Reads a look of the object with the state suffix.
  bool LoadLook(CGUILook& look, const TiXmlElement* element, const std::string& suffix);
  // Draws a look over the box.
  void DrawLook(CGUILook& look, float alpha);
  // Maps the object's own pixels (origin at the box middle, y down) to
  // virtual-screen pixels.
  zormath::Mat4f LocalToScreen() const;
  // A text of the form's text group by key (empty and a warning when missing).
  std::wstring LookUpText(const std::wstring& key) const;
  // The text of Text or of NameText (looked up) of an element.
  std::wstring ReadText(const TiXmlElement* element) const;
  zuzorev::CRenderSystem* GetRenderSystem() const;
  // Where the widgets' commands are called by name (null without a core).
  CScriptFunctions* GetScript() const;
  // Widgets read their looks and texts here (LoadProperty calls it before
  // placing the object). False when something named could not be loaded.
  virtual bool LoadWidget(const TiXmlElement* element);
  // The look whose picture or mesh gives the box when the element sets no
  // size (null: none).
  virtual const CGUILook* PrimaryLook() const { return nullptr; }
  // Box and position from the element (X, Y, Width, Height, Depth), else
  // from the primary look's mesh or picture, else from the trigger model.
  void Place(const TiXmlElement* element);
  // The matrix the meshes of looks are drawn with.
  zormath::Mat4f MeshMatrix(const CGUILook& look) const;
  void LogLoadError(const wchar_t* what, const std::wstring& name, int line) const;

  CGUIBaseObject* mParent = nullptr;
  std::vector<std::unique_ptr<CGUIBaseObject>> mChildren;
  float mWidth = 0.0f, mHeight = 0.0f;
  zormath::Vec3f mBoxOffset;   // middle of the box from the position (model widgets)
  zormath::Vec3f mPivot;       // the anchor in the object's space
  zormath::Vec3f mRestPosition;
  bool mEnable = true;
  uint32_t mEvent = 0;
  bool mOver = false;
  bool mPressed = false;
  std::wstring mText;
  std::wstring mModelFile, mTriangleFile, mTextGroup;
  std::vector<std::wstring> mModelNames;
  std::vector<std::unique_ptr<CGUILook>> mModels;  // the form's own models
  std::unique_ptr<CTriangleObject3D> mTrigger;
  std::vector<CGUILook*> mLookList;  // the widget's own looks (members of the widget)

 private:
  // The object's own file or group, else the one its parent uses.
  const std::wstring& Inherited(std::wstring CGUIBaseObject::*field) const;
  // A point in virtual pixels (mode 1) or window points (mode 0) as virtual
  // pixels.
  void ToVirtual(const zormath::Vec3f& point, int mode, float& x, float& y) const;
};

}  // namespace rovovoz
