#pragma once
// One emitter described in XML (an effect file, or a scene particle
// object's properties): its type by name, the type's attributes it
// overrides, and where it stands.
class TiXmlElement;

namespace rovovoz {

class CBaseParamInitEmiter;
class CParticleStateManager;
struct SParticleState;

// Type = the type named by "Type" (states may be null: built-in default),
// then the element's own type attributes over it. Block: the type's name,
// position "X" "Y" "Z", rectangle "Width" x "Depth" centred on it.
void ReadEmiterElement(const TiXmlElement* element, const CParticleStateManager* states, SParticleState& type,
                       CBaseParamInitEmiter& block);

}  // namespace rovovoz
