#include "Engine/rovovoz/ParticleEmiterXml.h"

#include "Engine/TinyXmlExt/TinyXmlExt.h"
#include "Engine/rovovoz/BaseParamInitEmiter.h"
#include "Engine/rovovoz/ParticleStateManager.h"
#include "Engine/zormath/Math.h"

namespace rovovoz {
namespace {

using zormath::Finite;

}  // namespace

void ReadEmiterElement(const TiXmlElement* e, const CParticleStateManager* states, SParticleState& type,
                       CBaseParamInitEmiter& block) {
  block.SetDefault();
  const std::wstring name = ValueUtf8(FindUpper(e, "Type"));
  if (!name.empty()) block.mName = name;
  type = states ? states->Get(block.mName) : DefaultParticleState();
  ReadParticleState(e, type);
  block.mPosition = zormath::Vec3f(Finite(FloatValue(FindUpper(e, "X"))), Finite(FloatValue(FindUpper(e, "Y"))),
                                   Finite(FloatValue(FindUpper(e, "Z"))));
  const float width = Finite(FloatValue(FindUpper(e, "Width")));
  const float depth = Finite(FloatValue(FindUpper(e, "Depth")));
  block.mWidth = width > 0 ? width : 0;
  block.mDepth = depth > 0 ? depth : 0;
}

}  // namespace rovovoz
