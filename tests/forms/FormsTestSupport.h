#pragma once
// A game core for the form tests: the sample game's data, the forms
// fixtures as an extra search path, the render settings, an acquired input
// system and a mouse cursor; scripted input (pointer moves, clicks, keys,
// typed text) and one-frame updates.
#include <SDL2/SDL_scancode.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "Engine/rovovoz/GameCore.h"
#include "Engine/rovovoz/MouseCursor.h"
#include "Engine/rovovoz/ScriptFunctions.h"
#include "Engine/rovovoz/TextManager.h"
#include "Engine/zorfile/FileSystem.h"
#include "Engine/zuzorev/InputSystem.h"
#include "Engine/zuzorev/RenderSystem.h"
#include "Engine/zuzorev/WindowSystem.h"
#include "Platform/Paths.h"
#include "Platform/Strings.h"
#include "support/CoreSupport.h"
#include "support/TestSupport.h"

namespace formstest {

class Core {
 public:
  explicit Core(zuzorev::EDeviceKind kind = zuzorev::EDeviceKind::Headless) : mCore(testsupport::MakeGameCore(kind)) {
    zorfile::CFileSystem* fs = mCore->GetFileSystem();
    fs->SetInstallFolder(testsupport::GameDir());
    testsupport::AddGameDataPaths(*fs);
    fs->InsertPath(Platform::FromPath(testsupport::FixturesDir() / "forms"), zorfile::kKindXml);
    if (!testsupport::StartWindowAndRender(*mCore, L"forms")) return;
    mCore->GetRender()->GetRenderSetingsManager()->LoadSetingsFromXml(L"BaseSetings.xml", 1);
    mCore->GetInput()->Init(mCore->GetWindow());
    mCore->GetTextManager()->Load(L"FormTexts.xml");
    mCursor = std::make_unique<rovovoz::CMouseCursor>(mCore.get());
    mOk = true;
  }
  bool Ok() const { return mOk; }
  rovovoz::CGameCore* Get() { return mCore.get(); }
  zuzorev::CRenderSystem& Render() { return *mCore->GetRender(); }
  zuzorev::CInputSystem& Input() { return *mCore->GetInput(); }
  rovovoz::CScriptFunctions& Script() { return *mCore->GetScript(); }
  rovovoz::CMouseCursor* Cursor() { return mCursor.get(); }

  // ---- scripted input; events reach the next Frame ----------------------
  void MoveTo(float x, float y) { mCursor->SetPosition(x, y, 1); }
  void Button(bool down) {
    int x = 0, y = 0;
    Input().GetMousePosition(x, y);
    testsupport::Feed(*mCore->GetWindow(), {down ? zuzorev::SInputEvent::MouseDown(0, x, y)
                                                 : zuzorev::SInputEvent::MouseUp(0, x, y)});
  }
  void Key(SDL_Scancode code) {
    testsupport::Feed(*mCore->GetWindow(), {zuzorev::SInputEvent::KeyDown(code), zuzorev::SInputEvent::KeyUp(code)});
  }
  void Type(const std::string& utf8) {
    zuzorev::SInputEvent e = zuzorev::SInputEvent::Of(zuzorev::EInputEvent::Text);
    e.text = Platform::Utf8ToWide(utf8);
    testsupport::Feed(*mCore->GetWindow(), {e});
  }
  // One frame of the given object: input collected, then its update.
  template <class T>
  void Frame(T& object, float dt = 0.02f) {
    Input().Update();
    object.Update(dt, mCursor.get());
  }
  // Press and release at a point, in one frame.
  template <class T>
  void Click(T& object, float x, float y, float dt = 0.02f) {
    MoveTo(x, y);
    Button(true);
    Button(false);
    Frame(object, dt);
  }

 private:
  std::unique_ptr<rovovoz::CGameCore> mCore;
  std::unique_ptr<rovovoz::CMouseCursor> mCursor;
  bool mOk = false;
};

}  // namespace formstest
