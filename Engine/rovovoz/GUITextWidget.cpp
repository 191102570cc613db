#include "Engine/rovovoz/GUITextWidget.h"

#include "Engine/zuzorev/RenderTypes.h"

namespace rovovoz {

int32_t CGUITextWidget::ReInit() {
  if (mStyle.IsReady() && !mStyle.Create(GetRenderSystem())) return zuzorev::kFail;
  return CGUIBaseObject::ReInit();
}

int32_t CGUITextWidget::Release(uint32_t flags) {
  mStyle.Release();
  return CGUIBaseObject::Release(flags);
}

}  // namespace rovovoz
