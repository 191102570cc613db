#include "Engine/rovovoz/BaseObject.h"

#include "Engine/zuzorev/RenderTypes.h"

namespace rovovoz {

int32_t CBaseObject::LoadProperty(const TiXmlElement*, int, uint32_t) { return 1; }
int32_t CBaseObject::Load(uint32_t) { return 1; }
int32_t CBaseObject::Load(const TiXmlElement*, const std::wstring&, uint32_t) { return zuzorev::kFail; }
int32_t CBaseObject::Render() { return 0; }
int32_t CBaseObject::Update(float, CMouseCursor*) { return 0; }
int32_t CBaseObject::Release(uint32_t) { return 0; }
int32_t CBaseObject::UnLoad(uint32_t) { return 1; }
int32_t CBaseObject::Stop(int) { return 0; }
int32_t CBaseObject::OnEvent(int, intptr_t) { return 0; }

}  // namespace rovovoz
