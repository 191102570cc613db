#pragma once
// A test whose core draws on the GL device through SDL's offscreen driver;
// skipped where no OpenGL context can be made. Core is one of the areas'
// test cores (made for a device kind, Ok, SetupCamera, Render).
#include <gtest/gtest.h>

#include <memory>

#include "Engine/zuzorev/RenderSystem.h"

namespace testsupport {

template <class Core>
class GLSceneTest : public ::testing::Test {
 protected:
  void SetUp() override {
    core = std::make_unique<Core>(zuzorev::EDeviceKind::GL);
    if (!core->Ok()) GTEST_SKIP() << "no OpenGL context through SDL's offscreen driver (needs libegl-mesa0)";
  }
  // The game camera, no depth test, a cleared screen and an open frame.
  void BeginFrame() {
    core->SetupCamera();
    core->Render().SetZEnable(0);
    ASSERT_GE(core->Render().Clear(), 0);
    ASSERT_GE(core->Render().Begin(), 0);
  }
  std::unique_ptr<Core> core;
};

}  // namespace testsupport
