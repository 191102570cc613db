#pragma once
// The render system: the device and its modes, the frame, the drawing state
// the game sets (transforms, render and texture-stage states, material,
// named render settings, declarations, vertex buffers), textures, meshes of
// model files, fonts and text. It keeps all engine state itself and hands
// finished draws to its device (GL or headless), and records what every
// frame drew so tests can compare the two devices.
//
// State at the start of every frame (Begin): world = identity, no texture
// transforms, stage 1 takes the mesh's coordinates, no textures bound, white
// material, no render setting (the engine default: alpha blend, depth test
// and write, no culling, linear filter, lit), no declaration or vertex
// buffer, 2D text transform = identity. View, projection, SetZEnable,
// render states and the light stay as the game set them.
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "Engine/zormath/Math.h"
#include "Engine/zuzorev/Device.h"
#include "Engine/zuzorev/Font.h"
#include "Engine/zuzorev/Mesh.h"
#include "Engine/zuzorev/ModelFile.h"
#include "Engine/zuzorev/RenderSetings.h"
#include "Engine/zuzorev/RenderTypes.h"
#include "Engine/zuzorev/Texture.h"
#include "Engine/zuzorev/TextureManager.h"
#include "Engine/zuzorev/VertexBuffer.h"

namespace zuzorev {

class CWindowSystem;

// One draw as the engine issued it (the same on both devices).
struct SDrawRecord {
  int primitive = 0;
  int vertexCount = 0;    // vertices drawn (indices when indexed)
  std::wstring mesh;      // mesh name for mesh draws
  std::wstring text;      // the text of text draws
  std::wstring texture0;  // texture names ("" none, "#created" made in memory)
  std::wstring texture1;
  std::wstring seting;    // render-setting name ("" = the default)
  EBlend blend = EBlend::Alpha;
  bool depthTest = false;
  bool tex0Transform = false;
  bool tex1Transform = false;
  bool tex1Camera = false;  // stage 1 took camera-space positions
  bool flat = false;
  float color[4] = {1, 1, 1, 1};  // material colour times alphas
  zormath::Mat4f world;
  bool operator==(const SDrawRecord&) const = default;
};

// The directional light of the scene.
struct SLight {
  bool enabled = true;
  SColorValue diffuse{1, 1, 1, 1};
  SColorValue ambient{0, 0, 0, 1};
};

// How a mesh is drawn (engine objects use more than RenderMesh offers).
struct SMeshDrawOptions {
  int firstPart = 0;
  bool allParts = true;
  bool ownSeting = true;    // each part's render setting, else the bound one
  bool ownTextures = true;  // each part's textures, else the bound ones
  bool ownMaterial = true;  // each part's material, else the current one
  float alpha = 1.0f;       // object alpha
  bool overlay = false;     // additive pass with strength overlayStrength
  float overlayStrength = 1.0f;
  bool forceDepth = false;  // overlay drawn depth-tested
  bool flat = false;        // silhouette in flatColor (alpha multiplies)
  float flatColor[4] = {0, 0, 0, 1};
  float cropX = 1.0f;       // texture cropped to the scaled extent
  float cropZ = 1.0f;
  bool depthWrite = true;   // an object may refuse to write depth
};

class CRenderSystem {
 public:
  CRenderSystem();
  explicit CRenderSystem(EDeviceKind kind);
  ~CRenderSystem();
  CRenderSystem(const CRenderSystem&) = delete;
  CRenderSystem& operator=(const CRenderSystem&) = delete;

  // ---- device and modes -------------------------------------------------
  int32_t Init(CWindowSystem* window, SDevInitParams& params);
  int32_t ReInit(CWindowSystem* window, SDevInitParams& params, int keep = 1);
  // Switches the wide mode to params.Wide (when the window allows it). N.
  int32_t ReWide(SDevInitParams& params);
  void Release();
  bool IsHeadless() const;
  IDevice* GetDevice() { return mDevice.get(); }

  int IsWideMode() const { return mWide ? 1 : 0; }
  // A wide mode is available (the back buffer is wider than 4:3).
  int GetTempWideRegim() const;
  float GetWideKoefX() const { return mWideKoefX; }
  float GetWideKoefY() const { return mWideKoefY; }
  // Window sizes from 800 x 600 up to the desktop, each with rates. N.
  int32_t FindMode(SFindModeParams& params, SDisplayModeI& out);
  void UpdateSizeDesktop();
  void AddLogInfoForBuffers();
  int32_t AddInfoBuffer(int stream, uint32_t fvf, uint32_t bytes, int pool);
  CVertexBufferManager* GetVertexBufferManager() { return &mBuffers; }
  CTextureManager* GetTextureManager() { return mTextures.get(); }
  CRenderSetingsManager* GetRenderSetingsManager() { return &mSetingsManager; }

  int IsDeviceLost() const { return mDeviceLost ? 1 : 0; }
  // >= 0 usable; kDeviceNotReset lost and resettable; other negative lost.
  int32_t TestCooperativeLevel();
  // Tests: the code TestCooperativeLevel answers from now on (0 = usable).
  void SetTestCooperativeLevel(int32_t code) { mForcedCooperativeLevel = code; }
  // Tests: the next `count` ReInit calls fail (kFail) and change nothing, as
  // a device that cannot take a mode leaves the one it had.
  void SetTestReInitFailures(int count) { mForcedReInitFailures = count > 0 ? count : 0; }
  int GetTestReInitFailures() const { return mForcedReInitFailures; }

  // Fields the game reads and writes directly.
  int32_t mBackBufferWidth = 0;
  int32_t mBackBufferHeight = 0;
  int32_t mFullScreen = 0;
  int32_t mDeviceLost = 0;
  int32_t GetBackBufferWidth() const { return mBackBufferWidth; }
  int32_t GetBackBufferHeight() const { return mBackBufferHeight; }
  int32_t IsFullScreen() const { return mFullScreen; }

  // Where the 1024 x 768 virtual screen lies in the back buffer, and the
  // mapping of window points to virtual-screen pixels and back.
  const SViewport& GetViewport() const { return mViewport; }
  void WindowToVirtual(float wx, float wy, float& vx, float& vy) const;
  void VirtualToWindow(float vx, float vy, float& wx, float& wy) const;
  // Back-buffer pixels per virtual-screen pixel.
  float GetVirtualScale() const;

  // ---- frame ------------------------------------------------------------
  int32_t Clear();
  int32_t Begin();
  // Presents the frame. N.
  int32_t End();
  int GetFrameNumber() const { return mFrameNumber; }

  void SetZEnable(int on) { mZEnable = on != 0; }
  int GetZEnable() const { return mZEnable ? 1 : 0; }
  void SetTransform(int type, const zormath::Mat4f& m);
  void SetTransform(int type, const float* m);
  zormath::Mat4f GetTransform(int type) const;
  void SetTransformIdentity();
  // World transform of an object drawn in 2D mode: the interface space of
  // Set2DOrthoInfo, whatever the camera.
  void SetTransform3DWorld2D(const zormath::Mat4f& m, int mode = 1);
  // Transform of the following DrawTextW: applied to virtual-screen points
  // (x, y, 0, 1) before they are drawn.
  void SetTransform2DWorld2D(const zormath::Mat4f& m);
  void Set2DOrthoInfo(float width, float height);
  void SetRenderState(int state, uint32_t value);
  uint32_t GetRenderState(int state) const;
  void SetTextureStageState(int stage, int state, uint32_t value);
  uint32_t GetTextureStageState(int stage, int state) const;
  void SetMaterial(const SMaterial& material) { mMaterial = material; }
  const SMaterial& GetMaterial() const { return mMaterial; }
  void SetLight(const SLight& light) { mLight = light; }
  const SLight& GetLight() const { return mLight; }

  int GetRenderSetingID(const std::wstring& name) const { return mSetingsManager.GetID(name); }
  // Binds a setting for the following draws (-1 = the default). N; fails
  // for an unknown id.
  int32_t BindRenderSeting(int id, int apply = 1, int reserved = 0);
  int GetBoundRenderSeting() const { return mBoundSeting; }
  // "XYZDiffuseTex1" and "XYZTex1"; -1 otherwise.
  int GetDeclarationID(const std::wstring& name) const;
  int32_t BindDeclaration(int id);
  int32_t BindTexture(int stage, const CTexture& texture);
  int32_t BindTexture(int stage, const CTexture* texture);
  const CTexture* GetBoundTexture(int stage) const;

  // A new vertex buffer, owned by the caller; null on a bad size.
  CVertexBuffer* CreateVertexBuffer(uint32_t bytes, uint32_t stride, uint32_t usage, uint32_t fvf, int pool);
  int32_t SetVertexBuffer(int stream, CVertexBuffer* buffer, uint32_t offset);
  // From the vertex buffer set: primitiveCount primitives from firstVertex. N.
  int32_t DrawPrimitive(int primitive, int firstVertex, int primitiveCount);
  // From memory, in the bound declaration's layout. N.
  int32_t DrawPrimitiveUP(int primitive, int primitiveCount, const void* vertices, int stride);

  // ---- textures ---------------------------------------------------------
  // loadNow 1 reads it now; 0 only names it (read at CTexture::Load). N;
  // fails when the file cannot be found (or read, with loadNow 1).
  int32_t LoadTexture(const std::wstring& file, CTexture& texture, int loadNow = 1, int flags = 0);
  // Reads it now, keeping its real size; the extents are the picture's share
  // of the texture (1.0: textures are never padded here). N.
  int32_t LoadTextureReal(const std::wstring& file, CTexture& texture);
  int32_t GetTextureRealSize(const std::wstring& file, int& width, int& height);
  // A texture in memory (A8R8G8B8 or X8R8G8B8), resident; the caller owns
  // it (new). Null on failure.
  CTexture* CreateTexture(int width, int height, int levels, int usage, int format, int pool);

  // ---- meshes -----------------------------------------------------------
  int GetCountModel(const std::wstring& file);
  // New meshes, owned by the caller; null when missing.
  CMesh* LoadMesh(const std::wstring& file, const std::wstring& name, uint32_t flags);
  CMesh* LoadMesh(const std::wstring& file, int index, uint32_t flags);
  // Into an object; an empty name loads every mesh of the file as one. N.
  int32_t LoadMesh(const std::wstring& file, CMesh& mesh, const std::wstring& name, uint32_t flags,
                   int reserved = 0);
  int32_t LoadMesh(const std::wstring& file, CMeshPoint& points, const std::wstring& name, uint32_t flags,
                   int reserved = 0);
  // The placement of a mesh of a file: 1 found, 0 not.
  int32_t GetMatrixTransform(const std::wstring& file, const std::wstring& mesh, zormath::Mat4f& out);
  int32_t GetMatrixTransform(const std::wstring& unused, zormath::Mat4f& out, const std::wstring& file,
                             const std::wstring& mesh);
  int32_t GetMatrixTransform_(const std::wstring& file, const std::wstring& mesh, zormath::Mat4f& out) {
    return GetMatrixTransform(file, mesh, out);
  }
  // Box of a mesh of a file, relative to its placement: 1 found, 0 not.
  int32_t GetAABBox(const std::wstring& file, const std::wstring& mesh, SAABBox& out);
  CModelCache& Models() { return mModels; }

  // Draws with the current world: its parts from firstPart (all following
  // parts when allParts), with their textures, settings and materials. N.
  int32_t RenderMesh(const CMesh& mesh, int firstPart = 0, int allParts = 1);
  int32_t RenderMesh(const CMesh* mesh, int firstPart = 0, int allParts = 1);
  // ownSeting: the parts' settings (else the bound one); ownTextures: the
  // parts' textures (else the bound ones); ownMaterial: the parts'
  // materials (else the current one); allParts: every part (else part 0). N.
  int32_t RenderMeshEx(const CMesh& mesh, int ownSeting, int ownTextures, int ownMaterial, int allParts);
  int32_t RenderMeshEx(const CMesh* mesh, int ownSeting, int ownTextures, int ownMaterial, int allParts);
  int32_t DrawMesh(const CMesh& mesh, const SMeshDrawOptions& options);

  // ---- fonts and text ---------------------------------------------------
  // A TrueType font resource: (file font, file metrics) or (font name, file
  // font, file metrics); the effect forms add our font-effect file. N;
  // fails when the font file is found neither in the data nor among the
  // system's fonts.
  int32_t AddResourceFont(const std::wstring& fileFont, const std::wstring& fileMetrik);
  int32_t AddResourceFont(const std::wstring& fontName, const std::wstring& fileFont, const std::wstring& fileMetrik);
  int32_t AddResourceFontEffect(const std::wstring& fileFont, const std::wstring& fileEffect,
                                const std::wstring& fileMetrik);
  int32_t AddResourceFontEffect(const std::wstring& fontName, const std::wstring& fileFont,
                                const std::wstring& fileEffect, const std::wstring& fileMetrik);
  bool HasFontResource(const std::wstring& name) const;
  // A font of a registered name (or of a font file name) at a height in
  // virtual pixels. N.
  int32_t CreateFontW(CFont& font, const std::wstring& name, int height, int bold, int dynamic = 0,
                      int resource = 0, uint32_t maxChar = 100);
  // Draws text in a virtual-screen rectangle through the 2D text transform.
  // align: 1 right, 2 centred, 4 left (default left); lines wrap at the
  // rectangle's width. With a font that has an effect, effectColor draws the
  // effect (a shadow effectOffset pixels down-right, or an outline). N.
  int32_t DrawTextW(CFont& font, const std::wstring& text, const SRect& rect, uint32_t flags, uint32_t color,
                    int align, uint32_t effectColor, int effectOffset, float alpha = 1.0f);
  int32_t DrawTextW(CFont& font, const std::wstring& text, const SRect& rect, uint32_t flags, uint32_t color,
                    int align);
  // Lines the text breaks into at a width (virtual pixels; 0 = no wrap).
  std::vector<std::wstring> WrapText(const CFont& font, const std::wstring& text, int width) const;

  // ---- what was drawn -----------------------------------------------------
  // The draws of the current frame, kept while draw recording is on: by
  // default on the headless device only (tests may turn it on for GL).
  const std::vector<SDrawRecord>& GetFrameDraws() const { return mFrameDraws; }
  void SetDrawRecording(bool on) { mRecordDraws = on; }
  bool IsDrawRecording() const { return mRecordDraws; }
  long long GetDrawCount() const { return mDrawCount; }
  // Back-buffer pixels (GL only): 0xAARRGGBB rows, top-left origin. Read
  // before End.
  bool ReadPixels(int x, int y, int width, int height, std::vector<uint32_t>& out);
  // The back-buffer pixel under a virtual-screen point (GL only).
  bool ReadVirtualPixel(float vx, float vy, uint32_t& argb);

 private:
  struct SFontResource {
    std::wstring name;
    std::shared_ptr<const std::string> bytes;  // the TrueType file
    EFontEffect effect = EFontEffect::None;
    int effectSize = 1;
  };

  void ResetFrameState();
  // The back buffer, wide mode and viewport for the window's mode.
  int32_t ApplyMode(CWindowSystem* window, const SDevInitParams& params);
  // Looks up the parts' render settings and makes the textures resident.
  void FinishMesh(CMesh& mesh, const std::wstring& file, uint32_t flags);
  void UpdateViewport();
  void ComputeWide(const SDevInitParams& params);
  // The interface space's view and projection, kept up to date by Begin,
  // Set2DOrthoInfo and the wide mode.
  void Update2DMatrices();
  SDrawState PrepareState(int seting, const CTexture* tex0, const CTexture* tex1, const SMaterial& material,
                          float alpha, SDrawRecord& record);
  const SRenderSeting* SetingOf(int id) const;
  void Submit(int primitive, const SVertex* vertices, int vertexCount, const uint32_t* indices, int indexCount,
              const SDrawState& state, SDrawRecord& record, const SGeometryKey& geometry);
  bool IndicesFit(const CMesh::SPart& part, uint32_t vertexCount);
  uint32_t DeviceTexture(const CTexture* texture);
  int32_t RegisterFont(const std::wstring& name, const std::wstring& fileFont, const std::wstring& fileEffect,
                       const std::wstring& fileMetrik);
  bool DrawTextLine(CFont& font, bool effect, const std::wstring& line, float x, float y, uint32_t color,
                    float alpha);

  std::unique_ptr<IDevice> mDevice;
  CWindowSystem* mWindow = nullptr;
  std::shared_ptr<CTextureManager> mTextures;
  CVertexBufferManager mBuffers;
  CRenderSetingsManager mSetingsManager;
  CModelCache mModels;
  std::map<std::wstring, std::vector<std::unique_ptr<SFontResource>>> mFonts;  // lower-case name
  bool mInitialized = false;
  bool mTtfStarted = false;
  int32_t mForcedCooperativeLevel = 0;
  int mForcedReInitFailures = 0;
  bool mWide = false;
  bool mWideWanted = false;  // asked for; on while the window is wide enough
  float mWideKoefX = 1.0f;
  float mWideKoefY = 1.0f;
  SViewport mViewport;
  int mDesktopWidth = 0;
  int mDesktopHeight = 0;
  float m2DWidth = 1024.0f;
  float m2DHeight = 768.0f;
  zormath::Mat4f mView2D = zormath::Mat4f::Identity();
  zormath::Mat4f mProjection2D = zormath::Mat4f::Identity();

  bool mZEnable = false;
  zormath::Mat4f mWorld = zormath::Mat4f::Identity();
  zormath::Mat4f mView = zormath::Mat4f::Identity();
  zormath::Mat4f mProjection = zormath::Mat4f::Identity();
  zormath::Mat4f mTexMatrix[2] = {zormath::Mat4f::Identity(), zormath::Mat4f::Identity()};
  zormath::Mat4f mText2D = zormath::Mat4f::Identity();
  bool mWorld2D = false;
  std::map<int, uint32_t> mRenderStates;
  std::map<int, uint32_t> mStageStates[2];
  SMaterial mMaterial = SMaterial::White();
  SLight mLight;
  int mBoundSeting = -1;
  int mDeclaration = -1;
  CTexture mBound[2];  // copies: a bound texture outlives its owner's changes
  CVertexBuffer* mStream = nullptr;
  uint32_t mStreamOffset = 0;

  int mFrameNumber = 0;
  bool mInFrame = false;
  std::vector<SDrawRecord> mFrameDraws;
  bool mRecordDraws = false;
  long long mDrawCount = 0;
  int32_t SubmitVertices(int primitive, const uint8_t* src, int n, uint32_t stride, bool colored);
  std::vector<SVertex> mScratch;
};

}  // namespace zuzorev
