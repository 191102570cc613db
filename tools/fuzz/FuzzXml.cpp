// Any bytes as an XML document: parsed from memory and loaded as a file,
// then every element and attribute read through the value accessors.
#include <tinyxml.h>

#include "Engine/TinyXmlExt/TinyXmlExt.h"
#include "FuzzSupport.h"

namespace {

void Walk(const TiXmlNode* node, int depth) {
  if (depth > 64) return;
  for (const TiXmlElement* e = IterateChildrenElement(node, nullptr); e; e = IterateChildrenElement(node, e)) {
    for (const TiXmlAttribute* a = e->FirstAttribute(); a; a = a->Next()) {
      ValueUtf8(a);
      IntValue(a);
      FloatValue(a);
      DwordValue(a);
      FindUpper(e, a->Name());
    }
    FirstChildElementUpper(node, e->Value());
    Walk(e, depth + 1);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzzsupport::SetUp();
  TiXmlDocument document;
  if (ParseXmlDocument(document, std::string(reinterpret_cast<const char*>(data), size))) Walk(&document, 0);
  TiXmlDocument loaded;
  if (LoadXmlDocument(loaded, fuzzsupport::WriteInput(data, size, "input.xml"))) Walk(&loaded, 0);
  return 0;
}
