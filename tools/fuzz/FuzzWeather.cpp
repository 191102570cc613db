// Any bytes as the Properties element of the glints, clouds, rain and jet,
// each loaded against the sample library's model file on the headless
// device, run for a few frames of assorted lengths and drawn.
#include <tinyxml.h>

#include <memory>
#include <string>

#include "FuzzSupport.h"
#include "Objects/Blesk.h"
#include "Objects/Oblaka.h"
#include "Objects/RORain.h"
#include "Objects/Struya.h"
#include "Platform/Random.h"

namespace {

template <class T>
void Play(rovovoz::CGameCore* core, const TiXmlElement* properties) {
  auto object = std::make_unique<T>(core);
  if (object->Load(properties, L"Back_2.zorm", 3) < 0) return;
  object->Load(3);
  for (float dt : {0.0f, 0.016f, 0.5f, 3.0f, 0.016f}) {
    object->Update(dt, nullptr);
    object->Render();
  }
  object->SetAlpha(0.5f);
  object->Stop(1);
  object->Stop(0);
  object->Update(0.1f, nullptr);
  object->UnLoad(3);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzzsupport::SetUp();
  rovovoz::CGameCore* core = fuzzsupport::SampleCore();
  TiXmlDocument document;
  document.Parse(std::string(reinterpret_cast<const char*>(data), size).c_str());
  const TiXmlElement* root = document.RootElement();
  if (!root) return 0;
  Platform::SeedRandom(5);
  // The sample's own anim files hold whole Objects: take each Properties.
  for (const TiXmlElement* object = root->FirstChildElement("Object"); object;
       object = object->NextSiblingElement("Object")) {
    const TiXmlElement* properties = object->FirstChildElement("Properties");
    Play<CBlesk>(core, properties);
    Play<COblaka>(core, properties);
    Play<CRORain>(core, properties);
    Play<CStruya>(core, properties);
  }
  Play<CBlesk>(core, root);
  Play<COblaka>(core, root);
  Play<CRORain>(core, root);
  Play<CStruya>(core, root);
  return 0;
}
