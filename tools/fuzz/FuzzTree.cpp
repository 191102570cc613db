// Any bytes as the Properties of a swaying tree, a flickering lamp and light
// rays with dust (or an object file whose Objects each hand theirs), loaded
// against the sample hall's model file, run through gusts, pushes and long
// frames, and drawn on the headless device.
#include <tinyxml.h>

#include <string>

#include "Engine/rovovoz/GameCore.h"
#include "Engine/zuzorev/RenderSystem.h"
#include "FuzzSupport.h"
#include "Objects/Derevo.h"
#include "Objects/Lampa.h"
#include "Objects/LuchiPil.h"

namespace {

template <class T>
void Exercise(rovovoz::CGameCore* core, const TiXmlElement* properties) {
  T object(core);
  if (object.Load(properties, L"Back_1.zorm", 0) < 0) return;
  object.Load(3);
  object.SetPosition3D(5.0f, 0.0f, -5.0f);
  object.SetAlpha(0.5f);
  for (float dt : {0.0f, 0.016f, 0.05f, 0.5f, 3.0f, 0.016f}) {
    object.Update(dt, nullptr);
    object.Render();
  }
  object.UnLoad(3);
}

void ExerciseAll(rovovoz::CGameCore* core, const TiXmlElement* properties) {
  Exercise<CLampa>(core, properties);
  Exercise<CLuchiPil>(core, properties);
  CDerevo tree(core);
  if (tree.Load(properties, L"Back_1.zorm", 0) < 0) return;
  std::vector<std::wstring> names;
  tree.CollectModelNames(names);
  for (const std::wstring& name : names) tree.PushBranch(name, zormath::Vec3f(1.0f, 0.0f, 0.5f), 2.0f, 0.3f);
  zormath::Mat4f m;
  if (!names.empty()) tree.GetBranchMatrix(m, names.back());
  for (int i = 0; i < 30; ++i) {
    tree.Update(i % 7 == 0 ? 0.5f : 0.016f, nullptr);
    tree.Render();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzzsupport::SetUp();
  rovovoz::CGameCore* core = fuzzsupport::SampleCore();
  TiXmlDocument doc;
  doc.Parse(std::string(reinterpret_cast<const char*>(data), size).c_str());
  const TiXmlElement* root = doc.RootElement();
  if (!root) return 0;
  zuzorev::CRenderSystem* render = core->GetRender();
  render->Begin();
  if (std::string(root->Value()) == "Objects") {
    for (const TiXmlElement* o = root->FirstChildElement("Object"); o; o = o->NextSiblingElement("Object"))
      if (const TiXmlElement* p = o->FirstChildElement("Properties")) ExerciseAll(core, p);
  } else {
    ExerciseAll(core, root);
  }
  render->End();
  return 0;
}
