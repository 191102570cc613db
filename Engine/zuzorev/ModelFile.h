#pragma once
// Model, trigger and point files: Wavefront OBJ with MTL materials, read by
// tinyobjloader. Every object or group of the file is one named mesh; its
// faces are split into parts by material. Scene coordinates as they stand
// (x across, y toward the viewer, z up the screen); texture v runs up as in
// OBJ and is turned to the engine's downward v here. A comment line
// "#@pivot x y z" after an object's "o"/"g" line sets its placement point;
// without it the placement point is the middle of its bounding box.
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "Engine/zormath/Math.h"
#include "Engine/zuzorev/RenderTypes.h"

namespace zuzorev {

struct SModelPart {
  std::vector<SVertex> vertices;  // relative to the mesh's placement point
  std::vector<uint32_t> indices;  // triangle list
  SMaterial material = SMaterial::White();
  std::wstring texture0;          // map_Kd
  std::wstring texture1;          // map_second (ours)
  std::wstring seting;            // render (ours): a render-setting name
};

struct SModelMesh {
  std::wstring name;
  std::vector<SModelPart> parts;
  zormath::Mat4f transform = zormath::Mat4f::Identity();  // placement in the scene
  SAABBox box;                                             // of the vertices, relative to the placement
  std::vector<zormath::Vec3f> points;                      // in scene coordinates
};

struct SModelFile {
  std::wstring name;
  std::vector<SModelMesh> meshes;  // in file order
  // By name, ignoring case; null when absent.
  const SModelMesh* Find(const std::wstring& name) const;
};

// Reads the MTL file named in the OBJ ("mtllib name"); false when missing.
using MtlReader = std::function<bool(const std::string& mtlName, std::string& text)>;

// Parses OBJ text. False (with a reason) on a malformed file or one with no
// object. What was read but left out goes to `warnings` (when given), once
// each: faces with indices out of range, a material file that is missing or
// holds no material, a material name the material file lacks.
bool ParseModelFile(const std::string& objText, const MtlReader& readMtl, SModelFile& out, std::wstring& error,
                    std::vector<std::wstring>* warnings = nullptr);

// Parsed model files by resolved name; each file is read once.
class CModelCache {
 public:
  // The model file of a data name (models kind); null when missing or
  // malformed (logged once per call).
  std::shared_ptr<const SModelFile> Get(const std::wstring& file);
  void Clear() { mFiles.clear(); }
  size_t Size() const { return mFiles.size(); }

 private:
  std::map<std::wstring, std::shared_ptr<const SModelFile>> mFiles;
};

}  // namespace zuzorev
