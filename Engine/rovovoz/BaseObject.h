#pragma once
// The engine's object base: scenes, close-ups, cut-scenes, mini-game frames,
// forms and every render object derive from it. It holds a name, a
// visibility flag and an alpha; the virtual operations keep the engine's
// order.
#include <cstdint>
#include <string>

class TiXmlElement;

namespace rovovoz {

class CMouseCursor;

// Load flags passed through unchanged by the engine.
enum : uint32_t { ZOR_LM_TEXTURES = 1, ZOR_LM_VERTEX = 2 };

class CBaseObject {
 public:
  CBaseObject() = default;
  CBaseObject(const CBaseObject&) = default;
  CBaseObject& operator=(const CBaseObject&) = default;

  // Reads the object's own properties from an element (forms call it with
  // their element). 1; the base reads nothing.
  virtual int32_t LoadProperty(const TiXmlElement* element, int index, uint32_t flags);
  // Makes the object's resources resident. 1 success, 0 failure.
  virtual int32_t Load(uint32_t flags);
  // Loads the object from a scene element with the scene's model file:
  // 0 success, E_FAIL failure. The base has nothing to read: E_FAIL.
  virtual int32_t Load(const TiXmlElement* element, const std::wstring& modelFile, uint32_t flags);
  virtual int32_t Render();
  virtual int32_t Update(float dt, CMouseCursor* cursor);
  virtual int32_t Release(uint32_t flags = 0);
  virtual void SetVisible(int visible) { mVisible = visible != 0; }
  virtual int GetVisible() const { return mVisible ? 1 : 0; }
  virtual const std::wstring& GetName() const { return mName; }
  virtual void SetName(const std::wstring& name) { mName = name; }
  virtual int32_t UnLoad(uint32_t flags);
  // Back to the placement its model file gives (the base has none).
  virtual void LoadTransformForMesh() {}
  virtual void SetAlpha(float alpha) { mAlpha = alpha; }
  virtual float GetAlpha() const { return mAlpha; }
  virtual int32_t Stop(int mode);
  // An engine event for the object (none is sent by the engine itself).
  virtual int32_t OnEvent(int event, intptr_t param);
  virtual ~CBaseObject() = default;

 protected:
  std::wstring mName;
  bool mVisible = true;
  float mAlpha = 1.0f;
};

}  // namespace rovovoz
