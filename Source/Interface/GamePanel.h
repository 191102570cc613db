#pragma once
// The in-game panel: inventory, hint and skip buttons, the hidden-object
// list, collectibles, the item window and character dialogs; every scene
// reaches it through gGamePanel.
#include <string>

#include "Engine/zormath/Math.h"
#include "Interface/InterfaceForm.h"

namespace rovovoz {
class CBaseGeometryObject;
class CMouseCursor;
}  // namespace rovovoz

class CGamePanel : public CInterfaceForm {
 public:
  CGamePanel(rovovoz::CGameCore* core, rovovoz::CBaseObject* parent) : CInterfaceForm(core, parent) {}

  // One more ghost collectible taken (counter, window, sound).
  virtual void AddGhostObject();
  // An inventory item for a logic name; a name already present is ignored;
  // at most 50 items.
  virtual void AddSimpleObject(const std::wstring& name, const std::wstring& text, int a, int b);
  // Removes the inventory item of that name and records it for the player.
  virtual void DeleteSimpleObject(const std::wstring& item);
  // Releases the object carried on the cursor: 0 back to its slot, 1 a taken
  // scene object back to the scene, 2 only forgotten.
  virtual void DropCursorObject(int mode);
  // The panel's three copies of its dimming object (may be none).
  // The full-screen dimming object ("Alpha_ekran") the story fades with;
  // null when the panel has none.
  virtual rovovoz::CBaseGeometryObject* GetAlphaEkran();
  virtual rovovoz::CBaseGeometryObject* GetAlphaEkran2();
  virtual rovovoz::CBaseGeometryObject* GetAlphaEkran3();
  virtual rovovoz::CBaseGeometryObject* GetAlphaEkran4();
  // Name of the carried object (empty when none).
  virtual std::wstring GetCursorName();
  // The hole overlay scenes fade in and scale while they zoom (may be none).
  virtual rovovoz::CBaseGeometryObject* GetDirka();
  virtual bool IsCursorEmpty();
  virtual bool IsCursorName(const std::wstring& name);
  virtual bool IsMouseOverPanel(rovovoz::CMouseCursor* cursor);
  // Creates the dialog player and loads the named dialog script.
  virtual void LoadDialog(std::wstring scriptName);
  // Draws the item window.
  virtual void RenderPredmetMenu();
  // Fills the hidden-object list for a complex item.
  virtual void SetComplexHogList(const std::wstring& complexName);
  // Updates the cursor icon for the current cursor kind.
  virtual void SetCursorIcon(float dt, rovovoz::CMouseCursor* cursor);
  // Kinds 0 normal, 1 gear, 2 take, 3 click, 4 eye, 5 magnifier, 6 carried object.
  virtual void SetCursorMode(int kind, int a, int b);
  // "shesterni", "push", "click", "glaz", "lupa", "portal".
  virtual void SetCursorModeByName(const std::wstring& kindName, int a, int b);
  // "push", "hog", "minigame", "dialog".
  virtual void SetPanelMode(std::wstring mode, std::wstring labelKey);
  // Shows the hint marker at a scene position.
  virtual void ShowHintAt(float x, float y, float z, float a, float b);
  // Opens the item window for the item; false without a scene or a window.
  virtual bool ShowPredmet(const std::wstring& item);
  // Starts the loaded dialog player (nothing when none is loaded).
  virtual void StartDialog();
  // The diary effect (5 s), with its sound when asked.
  virtual void StartDnevnikEffect(int withSound);
  // The morph overlay at a scene position.
  virtual void StartMorphEffect(const zormath::Vec3f& position, rovovoz::CBaseGeometryObject* object);
  // The named object is now carried on the cursor.
  virtual void TakeToCursor(const std::wstring& name, rovovoz::CBaseGeometryObject* object);
  // The item window's update: -1 in the frame its button is clicked, -2 once
  // its closing has ended (and without a window), 0 otherwise.
  virtual int UpdatePredmetMenu(float dt, rovovoz::CMouseCursor* cursor);
};

// Made and owned by the game object.
extern CGamePanel* gGamePanel;
