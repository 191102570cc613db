#include <gtest/gtest.h>

#include <algorithm>

#include "Engine/zuzorev/ModelFile.h"
#include "Platform/Strings.h"
#include "render/RenderTestSupport.h"

namespace {

using zuzorev::ParseModelFile;
using zuzorev::SModelFile;

bool Parse(const std::string& obj, SModelFile& out, const std::string& mtl = "") {
  std::wstring error;
  return ParseModelFile(
      obj,
      [&](const std::string&, std::string& text) {
        text = mtl;
        return !mtl.empty();
      },
      out, error);
}

const char* kTwoObjects = R"(mtllib m.mtl
o Board
#@pivot 0 0 0
v 0 0 0
v 10 0 0
v 10 0 20
v 0 0 20
vt 0 0
vt 1 0
vt 1 1
vt 0 1
usemtl wood
f 1/1 2/2 3/3
usemtl glass
f 1/1 3/3 4/4
g Cube
v 100 5 100
v 102 5 100
v 102 9 104
f 5 6 7
)";

const char* kMaterials = R"(newmtl wood
Kd 0.5 0.25 1
Ka 0.1 0.2 0.3
d 0.75
map_Kd wood.png
render MT_TEXTURE_ALPHA_SMOOTH
map_second dust.png
newmtl glass
Kd 1 1 1
)";

TEST(ModelFile, ObjectsBecomeMeshesSplitByMaterial) {
  SModelFile f;
  ASSERT_TRUE(Parse(kTwoObjects, f, kMaterials));
  ASSERT_EQ(f.meshes.size(), 2u);
  const auto* board = f.Find(L"board");
  ASSERT_NE(board, nullptr);
  ASSERT_EQ(board->parts.size(), 2u);
  const auto& wood = board->parts[0];
  EXPECT_EQ(wood.texture0, L"wood.png");
  EXPECT_EQ(wood.texture1, L"dust.png");
  EXPECT_EQ(wood.seting, L"MT_TEXTURE_ALPHA_SMOOTH");
  EXPECT_FLOAT_EQ(wood.material.Diffuse.g, 0.25f);
  EXPECT_FLOAT_EQ(wood.material.Diffuse.a, 0.75f);
  EXPECT_FLOAT_EQ(wood.material.Ambient.b, 0.3f);
  EXPECT_EQ(wood.indices.size(), 3u);
  // Texture v turns downward: the OBJ's v = 1 (top) is the engine's v = 0.
  EXPECT_FLOAT_EQ(wood.vertices[2].v, 0.0f);
  EXPECT_FLOAT_EQ(wood.vertices[0].v, 1.0f);
}

TEST(ModelFile, PlacementPointFromPivotOrBoxMiddle) {
  SModelFile f;
  ASSERT_TRUE(Parse(kTwoObjects, f, kMaterials));
  const auto* board = f.Find(L"Board");
  EXPECT_FLOAT_EQ(board->transform(3, 0), 0.0f);  // #@pivot 0 0 0
  EXPECT_FLOAT_EQ(board->box.Max.z, 20.0f);
  const auto* cube = f.Find(L"Cube");  // no pivot: the middle of its box
  EXPECT_FLOAT_EQ(cube->transform(3, 0), 101.0f);
  EXPECT_FLOAT_EQ(cube->transform(3, 1), 7.0f);
  EXPECT_FLOAT_EQ(cube->transform(3, 2), 102.0f);
  EXPECT_FLOAT_EQ(cube->box.Min.x, -1.0f);
  EXPECT_FLOAT_EQ(cube->parts[0].vertices[0].x, -1.0f);  // vertices relative to it
  EXPECT_TRUE(cube->parts[0].texture0.empty());          // no material: white, untextured
  EXPECT_FLOAT_EQ(cube->parts[0].material.Diffuse.a, 1.0f);
}

TEST(ModelFile, PointsKeepFileOrderInSceneCoordinates) {
  SModelFile f;
  ASSERT_TRUE(Parse("o Path\nv 1 2 3\nv 4 5 6\nv 7 8 9\nl 3 1 2\no Spots\nv 0 0 0\nv 5 0 5\np 4 5\n", f));
  ASSERT_EQ(f.meshes.size(), 2u);
  const auto& path = f.Find(L"Path")->points;
  ASSERT_EQ(path.size(), 3u);
  EXPECT_FLOAT_EQ(path[0].x, 7.0f);
  EXPECT_FLOAT_EQ(path[2].z, 6.0f);
  EXPECT_EQ(f.Find(L"Spots")->points.size(), 2u);
}

TEST(ModelFile, BrokenFilesFailWithoutCrashing) {
  for (const char* text : {"", "# nothing\n", "v 1 2 3\n", "o A\nf 1 2 3\n", "o A\nv 1 1 1\nf 1 9 -40\n"}) {
    SModelFile f;
    std::wstring error;
    bool ok = ParseModelFile(text, nullptr, f, error);
    if (ok) {
      for (const auto& m : f.meshes)
        for (const auto& p : m.parts)
          for (uint32_t i : p.indices) EXPECT_LT(i, p.vertices.size()) << text;
    }
  }
}

// What a model file holds but the model leaves out is named once, with the
// model file's name, when the file is read; the rest of the model loads.
TEST(ModelFile, WhatIsLeftOutIsNamedWithTheFile) {
  const std::string square = "mtllib m.mtl\no A\nv 0 0 0\nv 1 0 0\nv 1 0 1\nv 0 0 1\n";
  const struct {
    const char* name;
    std::string obj;
    const char* mtl;  // null: no material file
    std::vector<std::wstring> lines;
  } cases[] = {
      {"clean", square + "usemtl a\nf 1 2 3\n", "newmtl a\nKd 1 1 1\n", {}},
      {"indices out of range", square + "usemtl a\nf 1 2 3\nf 1 2 9\nf 1 3 9\nf 1 3 4\n", "newmtl a\n",
       {L"Model file box.obj: 2 faces with indices out of range left out"}},
      {"cut inside its last record", square + "usemtl a\nf 1 2 3\nf 1 3", "newmtl a\n",
       {L"Model file box.obj: the file ends inside a record, at line 9"}},
      {"no material file", square + "usemtl a\nf 1 2 3\n", nullptr,
       {L"Model file box.obj: material file m.mtl not found"}},
      {"garbage material file", square + "usemtl a\nf 1 2 3\nusemtl a\nf 1 3 4\n", "\x01\x02 garbage\n",
       {L"Model file box.obj: material file m.mtl holds no material",
        L"Model file box.obj: material [ 'a' ] not found in .mtl"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    testsupport::TempDir dir;
    dir.Write("box.obj", c.obj);
    if (c.mtl) dir.Write("m.mtl", c.mtl);
    rendertest::ScopedFileSystem fs(dir.Path());
    testsupport::LogCapture log;
    zuzorev::CModelCache cache;
    auto model = cache.Get(L"box.obj");
    ASSERT_TRUE(model);
    ASSERT_TRUE(model->Find(L"A"));
    EXPECT_FALSE(model->Find(L"A")->parts.empty());
    const auto lines = log.Texts(zuzorev::ELogLevel::Warning);
    for (const std::wstring& expected : c.lines)
      EXPECT_NE(std::find(lines.begin(), lines.end(), expected), lines.end())
          << Platform::WideToUtf8(expected) << " among " << testing::PrintToString(lines);
    if (c.lines.empty()) EXPECT_TRUE(lines.empty());
    cache.Get(L"box.obj");
    EXPECT_EQ(log.Texts(zuzorev::ELogLevel::Warning).size(), lines.size()) << "named once";
  }
}

TEST(ModelFile, SampleModelsHoldTheMeshesTheGameNames) {
  rendertest::ScopedFileSystem fs;
  rendertest::Device device(zuzorev::EDeviceKind::Headless);
  auto& render = device.Render();
  const wchar_t* loading[] = {L"S_nebo",         L"S_neboVerh",      L"S_logoCE",      L"S_loader_podlojka",
                              L"Alpha_loader_shkala", L"S_loader_shkala", L"S_loader_decor"};
  // The loading screen's seven meshes come first; the title scene's set
  // (mansion, 19 windows, trees, branches, fountain, bush, urn, the
  // lightning and the gate lamps' rays, the logo's glint, the lock and its
  // chains) follows.
  ASSERT_EQ(render.GetCountModel(L"LHT60_MM.ZORM"), 50);
  for (int i = 0; i < 7; ++i) {
    std::unique_ptr<zuzorev::CMesh> mesh(render.LoadMesh(L"lht60_mm.zorm", i, 3));
    ASSERT_TRUE(mesh);
    EXPECT_EQ(mesh->GetNameModel(), loading[i]);
    zormath::Mat4f m;
    ASSERT_EQ(render.GetMatrixTransform(L"LHT60_MM.ZORM", loading[i], m), 1);
    EXPECT_GT(m(3, 2), 500.0f) << "the loading screen waits above the screen";
  }
  EXPECT_EQ(render.GetCountModel(L"obrezka_screen.zorm"), 2);
  EXPECT_EQ(render.GetCountModel(L"missing.zorm"), 0);
  zuzorev::SAABBox box;
  ASSERT_EQ(render.GetAABBox(L"Back_1.zorm", L"S_Back_1", box), 1);
  EXPECT_FLOAT_EQ(box.Max.x - box.Min.x, 1024.0f);
  EXPECT_EQ(render.GetAABBox(L"Back_1.zorm", L"S_None", box), 0);
  EXPECT_EQ(render.LoadMesh(L"Back_1.zorm", L"S_None", 3), nullptr);
}

TEST(Mesh, CopiesAreIndependentAndSubMeshesWriteThrough) {
  rendertest::ScopedFileSystem fs;
  rendertest::Device device(zuzorev::EDeviceKind::Headless);
  zuzorev::CMesh mesh;
  ASSERT_GE(device.Render().LoadMesh(L"Back_1.zorm", mesh, L"S_Key", 3, 0), 0);
  ASSERT_EQ(mesh.GetPartCount(), 1);
  EXPECT_TRUE(mesh.GetTexture(0, 0)->IsLoaded());
  EXPECT_EQ(mesh.GetTexture(0, 2), nullptr);
  EXPECT_EQ(mesh.GetTexture(3, 0), nullptr);

  zuzorev::CMesh copy;
  copy.Clone(mesh, 2);
  zuzorev::CSubMesh sub = copy.GetSubMesh(0);
  ASSERT_EQ(sub.GetVertexCount(), 4);
  auto* v = static_cast<zuzorev::SVertex*>(sub.GetVertexBuffer()->Lock());
  ASSERT_NE(v, nullptr);
  v[0].x = 999.0f;  // 24-byte vertices, x first, written in place
  sub.GetVertexBuffer()->Unlock();
  sub.Material().Diffuse = {1, 0, 0, 0.5f};
  copy.SetSubMesh(0, sub);
  sub.Release();

  EXPECT_FLOAT_EQ(reinterpret_cast<const zuzorev::SVertex*>(copy.GetPart(0)->vertices->Bytes())[0].x, 999.0f);
  EXPECT_NE(reinterpret_cast<const zuzorev::SVertex*>(mesh.GetPart(0)->vertices->Bytes())[0].x, 999.0f);
  EXPECT_FLOAT_EQ(copy.GetD3DMaterial(0).Diffuse.a, 0.5f);
  EXPECT_FLOAT_EQ(mesh.GetD3DMaterial(0).Diffuse.a, 1.0f);
  EXPECT_EQ(copy.GetTexture(0, 0)->Data(), mesh.GetTexture(0, 0)->Data());  // textures are shared
  EXPECT_EQ(mesh.GetSubMesh(5).GetVertexCount(), 0);
}

}  // namespace
