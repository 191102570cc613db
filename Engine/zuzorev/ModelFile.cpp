#include "Engine/zuzorev/ModelFile.h"

#include <tiny_obj_loader.h>

#include <algorithm>
#include <cfloat>
#include <map>
#include <sstream>

#include "Engine/zorfile/FileSystem.h"
#include "Engine/zormath/Transform.h"
#include "Engine/zorlog/Log.h"
#include "Platform/Paths.h"
#include "Platform/Strings.h"

namespace zuzorev {
namespace {

const wchar_t* const kSource = L"Engine/zuzorev/ModelFile";

class CMtlReader : public tinyobj::MaterialReader {
 public:
  explicit CMtlReader(const MtlReader& read) : mRead(read) {}
  bool operator()(const std::string& matId, std::vector<tinyobj::material_t>* materials,
                  std::map<std::string, int>* matMap, std::string* warn, std::string* err) override {
    std::string text;
    if (!mRead || !mRead(matId, text)) {
      if (warn) *warn += "material file " + matId + " not found\n";
      return false;
    }
    std::istringstream in(text);
    const size_t before = materials ? materials->size() : 0;
    tinyobj::LoadMtl(matMap, materials, &in, warn, err);
    // The reader always adds the material it was building, named or not.
    const bool named = materials && std::any_of(materials->begin() + static_cast<std::ptrdiff_t>(before),
                                                materials->end(), [](const auto& m) { return !m.name.empty(); });
    if (warn && !named) *warn += "material file " + matId + " holds no material\n";
    return true;
  }

 private:
  const MtlReader& mRead;
};

// Placement points given by "#@pivot x y z" after an object's name line.
std::map<std::string, zormath::Vec3f> ScanPivots(const std::string& text) {
  std::map<std::string, zormath::Vec3f> pivots;
  std::istringstream in(text);
  std::string line, current;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() > 2 && (line[0] == 'o' || line[0] == 'g') && (line[1] == ' ' || line[1] == '\t')) {
      current = Platform::WideToUtf8(Platform::Trim(Platform::Utf8ToWide(line.substr(2))));
    } else if (line.rfind("#@pivot", 0) == 0) {
      std::istringstream values(line.substr(7));
      zormath::Vec3f p;
      if (values >> p.x >> p.y >> p.z) pivots[current] = p;
    }
  }
  return pivots;
}

SColorValue Color(const float c[3], float a) { return SColorValue{c[0], c[1], c[2], a}; }

uint32_t PackColor(float r, float g, float b) {
  auto c = [](float v) { return static_cast<uint32_t>((v < 0 ? 0 : v > 1 ? 1 : v) * 255.0f + 0.5f); };
  return 0xFF000000u | (c(r) << 16) | (c(g) << 8) | c(b);
}

SModelPart MakePart(const tinyobj::material_t* m) {
  SModelPart part;
  if (!m) return part;
  float alpha = m->dissolve;
  part.material.Diffuse = Color(m->diffuse, alpha);
  part.material.Ambient = Color(m->ambient, 1.0f);
  part.material.Specular = Color(m->specular, 1.0f);
  part.material.Emissive = Color(m->emission, 1.0f);
  part.material.Power = m->shininess;
  part.texture0 = Platform::Utf8ToWide(m->diffuse_texname);
  if (auto it = m->unknown_parameter.find("map_second"); it != m->unknown_parameter.end())
    part.texture1 = Platform::Trim(Platform::Utf8ToWide(it->second));
  if (auto it = m->unknown_parameter.find("render"); it != m->unknown_parameter.end())
    part.seting = Platform::Trim(Platform::Utf8ToWide(it->second));
  return part;
}

// Adds one shape's faces, lines and points to a mesh; answers how many
// faces were left out for indices out of range.
size_t AddShape(const tinyobj::attrib_t& attrib, const tinyobj::shape_t& shape,
                const std::vector<tinyobj::material_t>& materials, SModelMesh& mesh) {
  size_t dropped = 0;
  const size_t vertexCount = attrib.vertices.size() / 3;
  const size_t uvCount = attrib.texcoords.size() / 2;
  auto position = [&](int i) {
    return zormath::Vec3f(attrib.vertices[3 * i], attrib.vertices[3 * i + 1], attrib.vertices[3 * i + 2]);
  };

  // Faces: one part per material, vertices shared by (position, uv) pairs.
  std::map<int, size_t> partOf;  // material id -> part index in mesh.parts
  std::map<std::pair<size_t, std::pair<int, int>>, uint32_t> shared;
  size_t offset = 0;
  for (size_t f = 0; f < shape.mesh.num_face_vertices.size(); ++f) {
    const size_t n = shape.mesh.num_face_vertices[f];
    if (offset + n > shape.mesh.indices.size()) break;
    int material = f < shape.mesh.material_ids.size() ? shape.mesh.material_ids[f] : -1;
    if (material >= static_cast<int>(materials.size())) material = -1;
    auto found = partOf.find(material);
    size_t partIndex;
    if (found == partOf.end()) {
      partIndex = mesh.parts.size();
      mesh.parts.push_back(MakePart(material >= 0 ? &materials[static_cast<size_t>(material)] : nullptr));
      partOf[material] = partIndex;
    } else {
      partIndex = found->second;
    }
    SModelPart& part = mesh.parts[partIndex];
    bool valid = n == 3;
    for (size_t k = 0; k < n && valid; ++k) {
      const tinyobj::index_t& idx = shape.mesh.indices[offset + k];
      valid = idx.vertex_index >= 0 && static_cast<size_t>(idx.vertex_index) < vertexCount &&
              (idx.texcoord_index < 0 || static_cast<size_t>(idx.texcoord_index) < uvCount);
    }
    if (!valid) ++dropped;
    if (valid) {
      for (size_t k = 0; k < n; ++k) {
        const tinyobj::index_t& idx = shape.mesh.indices[offset + k];
        auto key = std::make_pair(partIndex, std::make_pair(idx.vertex_index, idx.texcoord_index));
        auto it = shared.find(key);
        if (it == shared.end()) {
          SVertex v;
          zormath::Vec3f p = position(idx.vertex_index);
          v.x = p.x;
          v.y = p.y;
          v.z = p.z;
          if (attrib.colors.size() >= 3 * vertexCount) {
            const float* c = &attrib.colors[3 * static_cast<size_t>(idx.vertex_index)];
            v.color = PackColor(c[0], c[1], c[2]);
          }
          if (idx.texcoord_index >= 0) {
            v.u = attrib.texcoords[2 * idx.texcoord_index];
            v.v = 1.0f - attrib.texcoords[2 * idx.texcoord_index + 1];
          }
          it = shared.emplace(key, static_cast<uint32_t>(part.vertices.size())).first;
          part.vertices.push_back(v);
        }
        part.indices.push_back(it->second);
      }
    }
    offset += n;
  }

  // Points ("p"), else poly-line vertices ("l"), in file order.
  auto addPoint = [&](const tinyobj::index_t& idx) {
    if (idx.vertex_index < 0 || static_cast<size_t>(idx.vertex_index) >= vertexCount) return;
    zormath::Vec3f p = position(idx.vertex_index);
    if (mesh.points.empty() || !(mesh.points.back() == p)) mesh.points.push_back(p);
  };
  for (const auto& idx : shape.points.indices) addPoint(idx);
  if (shape.points.indices.empty())
    for (const auto& idx : shape.lines.indices) addPoint(idx);
  return dropped;
}

// Adds each line of `text` to `lines` once.
void AddLinesOnce(const std::string& text, std::vector<std::wstring>& lines) {
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    const std::wstring wide = Platform::Trim(Platform::Utf8ToWide(line));
    if (!wide.empty() && std::find(lines.begin(), lines.end(), wide) == lines.end()) lines.push_back(wide);
  }
}

// Moves the vertices to be relative to the placement point and fills the box.
void Settle(SModelMesh& mesh, const zormath::Vec3f* pivot) {
  zormath::Vec3f lo(FLT_MAX, FLT_MAX, FLT_MAX), hi(-FLT_MAX, -FLT_MAX, -FLT_MAX);
  bool any = false;
  for (auto& part : mesh.parts)
    for (auto& v : part.vertices) {
      lo = zormath::Vec3f(std::min(lo.x, v.x), std::min(lo.y, v.y), std::min(lo.z, v.z));
      hi = zormath::Vec3f(std::max(hi.x, v.x), std::max(hi.y, v.y), std::max(hi.z, v.z));
      any = true;
    }
  if (!any) {
    // A point mesh: its points stay in scene coordinates.
    mesh.box = SAABBox{};
    for (size_t i = 0; i < mesh.points.size(); ++i) {
      const auto& p = mesh.points[i];
      if (i == 0) mesh.box = SAABBox{p, p};
      mesh.box.Min = zormath::Vec3f(std::min(mesh.box.Min.x, p.x), std::min(mesh.box.Min.y, p.y),
                                    std::min(mesh.box.Min.z, p.z));
      mesh.box.Max = zormath::Vec3f(std::max(mesh.box.Max.x, p.x), std::max(mesh.box.Max.y, p.y),
                                    std::max(mesh.box.Max.z, p.z));
    }
    return;
  }
  zormath::Vec3f c = pivot ? *pivot : (lo + hi) * 0.5f;
  for (auto& part : mesh.parts)
    for (auto& v : part.vertices) {
      v.x -= c.x;
      v.y -= c.y;
      v.z -= c.z;
    }
  mesh.box = SAABBox{lo - c, hi - c};
  mesh.transform = zormath::MatrixTranslation(c.x, c.y, c.z);
}

}  // namespace

const SModelMesh* SModelFile::Find(const std::wstring& name) const {
  for (const auto& m : meshes)
    if (Platform::EqualsNoCase(m.name, name)) return &m;
  return nullptr;
}

bool ParseModelFile(const std::string& objText, const MtlReader& readMtl, SModelFile& out, std::wstring& error,
                    std::vector<std::wstring>* warnings) {
  tinyobj::attrib_t attrib;
  std::vector<tinyobj::shape_t> shapes;
  std::vector<tinyobj::material_t> materials;
  std::string warn, err;
  std::istringstream in(objText);
  CMtlReader reader(readMtl);
  if (!tinyobj::LoadObj(&attrib, &shapes, &materials, &warn, &err, &in, &reader, true, false)) {
    error = Platform::Utf8ToWide(err.empty() ? "malformed model file" : err);
    return false;
  }
  auto pivots = ScanPivots(objText);
  out.meshes.clear();
  size_t dropped = 0;
  for (const auto& shape : shapes) {
    std::wstring name = Platform::Trim(Platform::Utf8ToWide(shape.name));
    SModelMesh* mesh = nullptr;
    for (auto& m : out.meshes)
      if (m.name == name) mesh = &m;
    if (!mesh) {
      out.meshes.push_back(SModelMesh{});
      mesh = &out.meshes.back();
      mesh->name = name;
    }
    dropped += AddShape(attrib, shape, materials, *mesh);
  }
  if (warnings) {
    // Every record ends with its line: a file that does not was cut, and
    // its last record (a vertex, a face, a point list) may be short.
    if (!objText.empty() && objText.back() != '\n' && objText.back() != '\r') {
      const size_t lines = static_cast<size_t>(std::count(objText.begin(), objText.end(), '\n')) + 1;
      AddLinesOnce("the file ends inside a record, at line " + std::to_string(lines), *warnings);
    }
    AddLinesOnce(warn, *warnings);
    if (dropped) AddLinesOnce(std::to_string(dropped) + " faces with indices out of range left out", *warnings);
  }
  for (auto& mesh : out.meshes) {
    auto it = pivots.find(Platform::WideToUtf8(mesh.name));
    Settle(mesh, it != pivots.end() ? &it->second : nullptr);
  }
  if (out.meshes.empty()) {
    error = L"no object in the model file";
    return false;
  }
  return true;
}

std::shared_ptr<const SModelFile> CModelCache::Get(const std::wstring& file) {
  zorfile::CFileSystem* fs = zorfile::GetFileSystem();
  if (file.empty() || !fs) return nullptr;
  std::filesystem::path disk = fs->ResolveOnDisk(file, zorfile::kKindModels);
  std::wstring key = Platform::ToLowerAscii(disk.empty() ? file : Platform::FromPath(disk));
  if (auto it = mFiles.find(key); it != mFiles.end()) return it->second;

  std::string bytes;
  if (!fs->ReadFile(file, bytes, zorfile::kKindModels)) {
    LogMessage(ELogLevel::Error, kSource, __LINE__, L"No find model file %s.", file.c_str());
    return nullptr;
  }
  // The material file sits beside the model, or anywhere a model could be.
  std::wstring folder;
  Platform::SplitPath(file, nullptr, &folder, nullptr, nullptr);
  MtlReader readMtl = [&](const std::string& mtlName, std::string& text) {
    std::wstring name = Platform::Utf8ToWide(mtlName);
    return fs->ReadFile(folder + name, text, zorfile::kKindModels) ||
           fs->ReadFile(name, text, zorfile::kKindModels);
  };
  auto model = std::make_shared<SModelFile>();
  model->name = file;
  std::wstring error;
  std::vector<std::wstring> warnings;
  const bool ok = ParseModelFile(bytes, readMtl, *model, error, &warnings);
  for (const std::wstring& warning : warnings)
    LogMessage(ELogLevel::Warning, kSource, __LINE__, L"Model file %s: %s", file.c_str(), warning.c_str());
  if (!ok) {
    LogMessage(ELogLevel::Error, kSource, __LINE__, L"Bad model file %s: %s", file.c_str(), error.c_str());
    return nullptr;
  }
  mFiles[key] = model;
  return model;
}

}  // namespace zuzorev
