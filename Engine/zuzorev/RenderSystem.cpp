// The render system: device, modes, frame and drawing state.
#include "Engine/zuzorev/RenderSystem.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_ttf.h>

#include <algorithm>
#include <cmath>
#include <set>

#include "Engine/zormath/Transform.h"
#include "Engine/zorlog/Log.h"
#include "Engine/zuzorev/WindowSystem.h"

namespace zuzorev {
namespace {

const wchar_t* const kSource = L"Engine/zuzorev/RenderSystem";
constexpr float kVirtualWidth = 1024.0f;
constexpr float kVirtualHeight = 768.0f;
constexpr float kFourThirds = 4.0f / 3.0f;

// Window sizes offered besides the display's own modes.
const int kCommonSizes[][2] = {{800, 600},   {1024, 768},  {1152, 864},  {1280, 720},  {1280, 800},
                               {1280, 960},  {1280, 1024}, {1366, 768},  {1440, 900},  {1600, 900},
                               {1600, 1200}, {1680, 1050}, {1920, 1080}, {1920, 1200}, {2560, 1440}};

}  // namespace

CRenderSystem::CRenderSystem() : CRenderSystem(GetDeviceKind()) {}

CRenderSystem::CRenderSystem(EDeviceKind kind) {
  mDevice = kind == EDeviceKind::Headless ? CreateHeadlessDevice() : CreateSkipUnchangedDevice(CreateGLDevice());
  mRecordDraws = kind == EDeviceKind::Headless;
  Update2DMatrices();
  mTextures = std::make_shared<CTextureManager>(nullptr);
  // SDL_ttf stays up for the rest of the run: fonts held elsewhere may be
  // closed after the render system is gone.
  mTtfStarted = TTF_WasInit() || TTF_Init() == 0;
}

CRenderSystem::~CRenderSystem() {
  Release();
  mFonts.clear();
}

bool CRenderSystem::IsHeadless() const { return mDevice && mDevice->IsHeadless(); }

int32_t CRenderSystem::Init(CWindowSystem* window, SDevInitParams& params) {
  if (!window || !mDevice) return kFail;
  if (mInitialized) Release();
  mWindow = window;
  if (!mDevice->IsHeadless() && !window->GetSDLWindow()) return kFail;
  if (!mDevice->Open(window->GetSDLWindow(), params.Antialiasing)) {
    LogMessage(ELogLevel::Error, kSource, __LINE__, L"Init render device.");
    return kFail;
  }
  mTextures->SetDevice(mDevice.get());
  mInitialized = true;
  return ApplyMode(window, params);
}

int32_t CRenderSystem::ReInit(CWindowSystem* window, SDevInitParams& params, int) {
  if (!window || !mDevice) return kFail;
  if (mForcedReInitFailures > 0) {
    --mForcedReInitFailures;
    return kFail;
  }
  if (!mInitialized) return Init(window, params);
  return ApplyMode(window, params);
}

int32_t CRenderSystem::ApplyMode(CWindowSystem* window, const SDevInitParams& params) {
  mWindow = window;
  mFullScreen = window->IsFullScreen();  // the window may have had to go full screen
  if (mDevice->IsHeadless()) {
    int w = 0, h = 0;
    window->GetWindowSize(w, h);
    mDevice->SetBackBufferSize(w > 0 ? w : params.Width, h > 0 ? h : params.Height);
  }
  int w = 0, h = 0;
  mDevice->GetBackBufferSize(w, h);
  mBackBufferWidth = w;
  mBackBufferHeight = h;
  mDeviceLost = 0;
  ComputeWide(params);
  ResetFrameState();
  mDevice->RedrawNext();
  return kOk;
}

void CRenderSystem::ComputeWide(const SDevInitParams& params) {
  mWideWanted = params.Wide != 0;
  mWide = mWideWanted && GetTempWideRegim();
  float aspect = mBackBufferHeight > 0 ? static_cast<float>(mBackBufferWidth) / mBackBufferHeight : kFourThirds;
  mWideKoefX = mWide ? aspect / kFourThirds : 1.0f;
  mWideKoefY = 1.0f;
  UpdateViewport();
  Update2DMatrices();
}

int32_t CRenderSystem::ReWide(SDevInitParams& params) {
  if (!mInitialized) return kFail;
  ComputeWide(params);
  mDevice->RedrawNext();
  return kOk;
}

int CRenderSystem::GetTempWideRegim() const {
  if (mBackBufferHeight <= 0) return 0;
  return static_cast<float>(mBackBufferWidth) / mBackBufferHeight > kFourThirds + 0.01f ? 1 : 0;
}

void CRenderSystem::UpdateViewport() {
  const int w = mBackBufferWidth, h = mBackBufferHeight;
  SViewport vp{0, 0, w, h};
  if (!mWide && w > 0 && h > 0) {
    // Keep 4:3: bars left and right, or above and below.
    if (static_cast<long long>(w) * 3 > static_cast<long long>(h) * 4) {
      vp.width = static_cast<int>(std::lround(h * kFourThirds));
      vp.x = (w - vp.width) / 2;
    } else {
      vp.height = static_cast<int>(std::lround(w / kFourThirds));
      vp.y = (h - vp.height) / 2;
    }
  }
  mViewport = vp;
}

float CRenderSystem::GetVirtualScale() const {
  return mViewport.height > 0 ? mViewport.height / kVirtualHeight : 1.0f;
}

void CRenderSystem::WindowToVirtual(float wx, float wy, float& vx, float& vy) const {
  // Window points to back-buffer pixels (high-DPI). Not the back buffer over
  // the window's size: the window's size may be SDL's account of a resize
  // the real window has not had yet, while pointer positions are real.
  const float ratio = mWindow ? mWindow->GetPixelsPerPoint() : 1.0f;
  const float s = GetVirtualScale();
  const float px = wx * ratio, py = wy * ratio;
  vx = (px - (mViewport.x + mViewport.width * 0.5f)) / s + kVirtualWidth * 0.5f;
  vy = (py - mViewport.y) / s;
}

void CRenderSystem::VirtualToWindow(float vx, float vy, float& wx, float& wy) const {
  const float ratio = mWindow ? mWindow->GetPixelsPerPoint() : 1.0f;
  const float s = GetVirtualScale();
  wx = ((vx - kVirtualWidth * 0.5f) * s + mViewport.x + mViewport.width * 0.5f) / ratio;
  wy = (vy * s + mViewport.y) / ratio;
}

void CRenderSystem::Release() {
  if (!mInitialized) return;
  for (auto& t : mBound) t.Release();
  mTextures->DropDeviceTextures();
  mTextures->SetDevice(nullptr);
  mDevice->Close();
  mInitialized = false;
  mWindow = nullptr;
}

int32_t CRenderSystem::FindMode(SFindModeParams& params, SDisplayModeI& out) {
  out.Modes.clear();
  int desktopW = 1920, desktopH = 1080, rate = 60;
  if (mWindow) {
    desktopW = mWindow->GetDesktopWidth();
    desktopH = mWindow->GetDesktopHeight();
    rate = mWindow->GetDesktopRefreshRate();
  } else if (mDesktopWidth > 0) {
    desktopW = mDesktopWidth;
    desktopH = mDesktopHeight;
  }
  std::map<std::pair<int, int>, std::set<int>> sizes;
  for (const auto& s : kCommonSizes)
    if (s[0] <= desktopW && s[1] <= desktopH) sizes[{s[0], s[1]}].insert(rate);
  sizes[{desktopW, desktopH}].insert(rate);
  if (SDL_WasInit(SDL_INIT_VIDEO)) {
    const int n = SDL_GetNumDisplayModes(0);
    for (int i = 0; i < n; ++i) {
      SDL_DisplayMode m;
      if (SDL_GetDisplayMode(0, i, &m) == 0 && m.w <= desktopW && m.h <= desktopH)
        sizes[{m.w, m.h}].insert(m.refresh_rate > 0 ? m.refresh_rate : rate);
    }
  }
  for (const auto& [size, rates] : sizes) {
    if (size.first < params.MinWidth || size.second < params.MinHeight) continue;
    SDisplayMode mode;
    mode.Width = size.first;
    mode.Height = size.second;
    mode.RefreshRates.assign(rates.begin(), rates.end());  // ascending; the last is the desktop's or better
    out.Modes.push_back(mode);
  }
  return out.Modes.empty() ? kFail : kOk;
}

void CRenderSystem::UpdateSizeDesktop() {
  if (!mWindow) return;
  mWindow->UpdateSizeDesktop(0);
  mDesktopWidth = mWindow->GetDesktopWidth();
  mDesktopHeight = mWindow->GetDesktopHeight();
}

void CRenderSystem::AddLogInfoForBuffers() {
  LogMessage(ELogLevel::Info, kSource, __LINE__,
             L"Render buffers: %i vertex buffers (%llu bytes), %i reservations, %i textures resident.",
             mBuffers.CreatedCount(), mBuffers.CreatedBytes(), static_cast<int>(mBuffers.Reservations().size()),
             static_cast<int>(mTextures->ResidentCount()));
}

int32_t CRenderSystem::AddInfoBuffer(int stream, uint32_t fvf, uint32_t bytes, int pool) {
  mBuffers.AddReservation({stream, fvf, bytes, pool});
  return kOk;
}

int32_t CRenderSystem::TestCooperativeLevel() {
  if (mForcedCooperativeLevel != 0) return mForcedCooperativeLevel;
  return 0;  // the GL device is never lost
}

// ---- frame -------------------------------------------------------------

void CRenderSystem::ResetFrameState() {
  mWorld = zormath::Mat4f::Identity();
  mWorld2D = false;
  mTexMatrix[0] = mTexMatrix[1] = zormath::Mat4f::Identity();
  mStageStates[0].clear();
  mStageStates[1].clear();
  for (auto& t : mBound) t.Release();
  mMaterial = SMaterial::White();
  mBoundSeting = -1;
  mDeclaration = -1;
  mStream = nullptr;
  mStreamOffset = 0;
  mText2D = zormath::Mat4f::Identity();
}

int32_t CRenderSystem::Clear() {
  if (!mInitialized) return kFail;
  if (!mDevice->IsHeadless()) {
    // The window may have changed size under us (full screen on another desktop).
    int w = 0, h = 0;
    mDevice->GetBackBufferSize(w, h);
    if (w != mBackBufferWidth || h != mBackBufferHeight) {
      mBackBufferWidth = w;
      mBackBufferHeight = h;
      SDevInitParams p;
      p.Wide = mWideWanted ? 1 : 0;
      ComputeWide(p);
    }
  }
  mDevice->Clear(0xFF000000u, mViewport);
  return kOk;
}

int32_t CRenderSystem::Begin() {
  if (!mInitialized) return kFail;
  mInFrame = true;
  ++mFrameNumber;
  mFrameDraws.clear();
  ResetFrameState();
  Update2DMatrices();
  return kOk;
}

int32_t CRenderSystem::End() {
  if (!mInitialized) return kFail;
  mInFrame = false;
  mDevice->Present();
  return kOk;
}

void CRenderSystem::SetTransform(int type, const zormath::Mat4f& m) {
  switch (type) {
    case kTransformView: mView = m; break;
    case kTransformProjection: mProjection = m; break;
    case kTransformWorld:
      mWorld = m;
      mWorld2D = false;
      break;
    case kTransformTexture0: mTexMatrix[0] = m; break;
    case kTransformTexture1: mTexMatrix[1] = m; break;
    default: break;
  }
}

void CRenderSystem::SetTransform(int type, const float* m) {
  if (!m) return;
  zormath::Mat4f matrix;
  std::copy(m, m + 16, matrix.m);
  SetTransform(type, matrix);
}

zormath::Mat4f CRenderSystem::GetTransform(int type) const {
  switch (type) {
    case kTransformView: return mView;
    case kTransformProjection: return mProjection;
    case kTransformWorld: return mWorld;
    case kTransformTexture0: return mTexMatrix[0];
    case kTransformTexture1: return mTexMatrix[1];
    default: return zormath::Mat4f::Identity();
  }
}

void CRenderSystem::SetTransformIdentity() {
  mWorld = zormath::Mat4f::Identity();
  mWorld2D = false;
}

void CRenderSystem::SetTransform3DWorld2D(const zormath::Mat4f& m, int) {
  mWorld = m;
  mWorld2D = true;
}

void CRenderSystem::SetTransform2DWorld2D(const zormath::Mat4f& m) { mText2D = m; }

void CRenderSystem::Set2DOrthoInfo(float width, float height) {
  if (width > 0) m2DWidth = width;
  if (height > 0) m2DHeight = height;
  Update2DMatrices();
}

void CRenderSystem::Update2DMatrices() {
  mView2D = zormath::MatrixLookAtLH(zormath::Vec3f(0, 1010, 0), zormath::Vec3f(0, 0, 0), zormath::Vec3f(0, 0, 1));
  mProjection2D = zormath::MatrixOrthoLH(m2DWidth * mWideKoefX, m2DHeight * mWideKoefY, 0.1f, 1110.0f);
}

void CRenderSystem::SetRenderState(int state, uint32_t value) { mRenderStates[state] = value; }

uint32_t CRenderSystem::GetRenderState(int state) const {
  auto it = mRenderStates.find(state);
  if (it != mRenderStates.end()) return it->second;
  return state == kRsLighting ? 1u : 0u;
}

void CRenderSystem::SetTextureStageState(int stage, int state, uint32_t value) {
  if (stage < 0 || stage > 1) return;
  mStageStates[stage][state] = value;
}

uint32_t CRenderSystem::GetTextureStageState(int stage, int state) const {
  if (stage < 0 || stage > 1) return 0;
  auto it = mStageStates[stage].find(state);
  if (it != mStageStates[stage].end()) return it->second;
  return state == kTssTexCoordIndex ? static_cast<uint32_t>(stage) : 0u;
}

int32_t CRenderSystem::BindRenderSeting(int id, int, int) {
  if (id != -1 && !mSetingsManager.Get(id)) return kFail;
  mBoundSeting = id;
  return kOk;
}

int CRenderSystem::GetDeclarationID(const std::wstring& name) const {
  if (name == L"XYZDiffuseTex1") return 0;
  if (name == L"XYZTex1") return 1;
  return -1;
}

int32_t CRenderSystem::BindDeclaration(int id) {
  if (id != 0 && id != 1) return kFail;
  mDeclaration = id;
  return kOk;
}

int32_t CRenderSystem::BindTexture(int stage, const CTexture& texture) {
  if (stage < 0 || stage > 1) return kFail;
  mBound[stage] = texture;
  return kOk;
}

int32_t CRenderSystem::BindTexture(int stage, const CTexture* texture) {
  if (stage < 0 || stage > 1) return kFail;
  if (texture) return BindTexture(stage, *texture);
  mBound[stage].Release();
  return kOk;
}

const CTexture* CRenderSystem::GetBoundTexture(int stage) const {
  if (stage < 0 || stage > 1 || !mBound[stage].IsNamed()) return nullptr;
  return &mBound[stage];
}

CVertexBuffer* CRenderSystem::CreateVertexBuffer(uint32_t bytes, uint32_t stride, uint32_t, uint32_t fvf, int) {
  if (bytes == 0 || bytes > (256u << 20) || stride == 0) return nullptr;
  mBuffers.CountCreated(bytes);
  return new CVertexBuffer(bytes, stride, fvf);
}

int32_t CRenderSystem::SetVertexBuffer(int stream, CVertexBuffer* buffer, uint32_t offset) {
  if (stream != 0) return kFail;
  mStream = buffer;
  mStreamOffset = offset;
  return kOk;
}

bool CRenderSystem::ReadPixels(int x, int y, int width, int height, std::vector<uint32_t>& out) {
  return mDevice && mDevice->ReadPixels(x, y, width, height, out);
}

bool CRenderSystem::ReadVirtualPixel(float vx, float vy, uint32_t& argb) {
  const float s = GetVirtualScale();
  int px = static_cast<int>(std::floor((vx - kVirtualWidth * 0.5f) * s + mViewport.x + mViewport.width * 0.5f));
  int py = static_cast<int>(std::floor(vy * s + mViewport.y));
  std::vector<uint32_t> one;
  if (!ReadPixels(px, py, 1, 1, one) || one.empty()) return false;
  argb = one[0];
  return true;
}

}  // namespace zuzorev
