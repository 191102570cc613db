// The render system: textures and meshes of model files.
#include "Engine/zorlog/Log.h"
#include "Engine/zuzorev/RenderSystem.h"

namespace zuzorev {
namespace {
const wchar_t* const kSource = L"Engine/zuzorev/RenderSystem";
}

int32_t CRenderSystem::LoadTexture(const std::wstring& file, CTexture& texture, int loadNow, int) {
  auto data = mTextures->Find(file);
  if (!data) {
    LogMessage(ELogLevel::Warning, kSource, __LINE__, L"No find texture %s.", file.c_str());
    return kFail;
  }
  texture.Attach(mTextures, data);
  if (loadNow && texture.Load() < 0) return kFail;
  return kOk;
}

int32_t CRenderSystem::LoadTextureReal(const std::wstring& file, CTexture& texture) {
  if (LoadTexture(file, texture, 1, 0) < 0) return kFail;
  texture.SetExtents(1.0f, 1.0f);
  return kOk;
}

int32_t CRenderSystem::GetTextureRealSize(const std::wstring& file, int& width, int& height) {
  width = height = 0;
  if (auto data = mTextures->Find(file); data && !data->texels.empty()) {
    width = data->width;
    height = data->height;
    return kOk;
  }
  return mTextures->ReadSize(file, width, height) ? kOk : kFail;
}

CTexture* CRenderSystem::CreateTexture(int width, int height, int, int, int format, int) {
  if (format != kFormatA8R8G8B8 && format != kFormatX8R8G8B8) return nullptr;
  auto data = mTextures->Create(width, height, format);
  if (!data) return nullptr;
  auto* texture = new CTexture;
  texture->Attach(mTextures, data);
  texture->Load();
  return texture;
}

int CRenderSystem::GetCountModel(const std::wstring& file) {
  auto model = mModels.Get(file);
  return model ? static_cast<int>(model->meshes.size()) : 0;
}

CMesh* CRenderSystem::LoadMesh(const std::wstring& file, const std::wstring& name, uint32_t flags) {
  auto* mesh = new CMesh;
  if (LoadMesh(file, *mesh, name, flags, 0) < 0) {
    delete mesh;
    return nullptr;
  }
  return mesh;
}

CMesh* CRenderSystem::LoadMesh(const std::wstring& file, int index, uint32_t flags) {
  auto model = mModels.Get(file);
  if (!model || index < 0 || static_cast<size_t>(index) >= model->meshes.size()) return nullptr;
  auto* mesh = new CMesh;
  mesh->Assign(model->meshes[static_cast<size_t>(index)], file, mTextures);
  FinishMesh(*mesh, file, flags);
  return mesh;
}

void CRenderSystem::FinishMesh(CMesh& mesh, const std::wstring& file, uint32_t flags) {
  for (int i = 0; i < mesh.GetPartCount(); ++i) {
    const std::wstring& seting = mesh.SetingNames()[static_cast<size_t>(i)];
    int id = seting.empty() ? -1 : GetRenderSetingID(seting);
    if (!seting.empty() && id < 0) {
      LogMessage(ELogLevel::Warning, kSource, __LINE__,
                 L"No find render seting %s for %s.", seting.c_str(), mesh.GetNameModel().c_str());
    }
    mesh.SetRenderSeting(i, id);
  }
  if (mesh.Load(flags) < 0) {
    LogMessage(ELogLevel::Warning, kSource, __LINE__,
               L"No load textures of %s in %s.", mesh.GetNameModel().c_str(), file.c_str());
  }
}

int32_t CRenderSystem::LoadMesh(const std::wstring& file, CMesh& mesh, const std::wstring& name, uint32_t flags,
                                int) {
  auto model = mModels.Get(file);
  if (!model) return kFail;
  if (name.empty()) {
    // The whole file as one mesh, placed by its first object.
    mesh.Assign(model->meshes.front(), file, mTextures);
    for (size_t i = 1; i < model->meshes.size(); ++i) mesh.Append(model->meshes[i], mTextures);
  } else {
    const SModelMesh* m = model->Find(name);
    if (!m) {
      LogMessage(ELogLevel::Warning, kSource, __LINE__, L"No find mesh %s in %s.", name.c_str(), file.c_str());
      return kFail;
    }
    mesh.Assign(*m, file, mTextures);
  }
  FinishMesh(mesh, file, flags);
  return kOk;
}

int32_t CRenderSystem::LoadMesh(const std::wstring& file, CMeshPoint& points, const std::wstring& name, uint32_t,
                                int) {
  auto model = mModels.Get(file);
  if (!model) return kFail;
  const SModelMesh* m = name.empty() ? &model->meshes.front() : model->Find(name);
  if (!m) return kFail;
  points.Assign(*m, file);
  return kOk;
}

int32_t CRenderSystem::GetMatrixTransform(const std::wstring& file, const std::wstring& mesh, zormath::Mat4f& out) {
  auto model = mModels.Get(file);
  const SModelMesh* m = model ? model->Find(mesh) : nullptr;
  if (!m) return 0;
  out = m->transform;
  return 1;
}

int32_t CRenderSystem::GetMatrixTransform(const std::wstring&, zormath::Mat4f& out, const std::wstring& file,
                                          const std::wstring& mesh) {
  return GetMatrixTransform(file, mesh, out);
}

int32_t CRenderSystem::GetAABBox(const std::wstring& file, const std::wstring& mesh, SAABBox& out) {
  auto model = mModels.Get(file);
  const SModelMesh* m = model ? model->Find(mesh) : nullptr;
  if (!m) return 0;
  out = m->box;
  return 1;
}

}  // namespace zuzorev
