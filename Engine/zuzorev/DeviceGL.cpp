// The GL device: OpenGL 3.3 core through SDL2 and libepoxy. One small
// shader pair, compiled in variants, draws every mesh the render system
// hands over: texture times vertex colour times material colour, a
// transform of the texture coordinates on each of two stages (stage 1 may
// take camera-space positions), a second texture that modulates colour or
// alpha, alpha-cut masks and flat silhouettes; blending, depth and culling
// are plain GL state set from the draw's render state. It is built to be
// cheap on a software rasteriser too: each draw runs only the shader code
// its state needs, pictures drawn texel for pixel are sampled nearest,
// opaque draws skip blending, the depth buffer is cleared only for passes
// that test depth, mesh parts stay on the device and GL state is set only
// when it changes.
#include <SDL2/SDL.h>
#include <dlfcn.h>
#include <epoxy/gl.h>
#include <link.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unordered_map>

#include "Engine/zuzorev/Device.h"
#include "Engine/zorlog/Log.h"

namespace zuzorev {

// Keeps the GL driver libraries that SDL loaded mapped until the process
// ends (SDL unloads them at shut-down): allocations a driver keeps for the
// whole run then stay reachable instead of showing up as leaks of an
// unknown module in leak checkers.
void PinLoadedGLDrivers() {
  dl_iterate_phdr(
      [](dl_phdr_info* info, size_t, void*) {
        const char* name = info->dlpi_name;
        if (!name || !*name) return 0;
        for (const char* part : {"_dri.so", "libEGL_", "libGLX_", "libglapi", "libgallium"})
          if (std::strstr(name, part)) dlopen(name, RTLD_LAZY | RTLD_NOLOAD | RTLD_NODELETE);
        return 0;
      },
      nullptr);
}

namespace {

// Where the size of the surface GL draws to comes from.
enum class ESurfaceQuery { Sdl, Glx, Egl };
// Which query answers for the context current on this thread (ours).
ESurfaceQuery ChooseSurfaceQuery(SDL_Window* window, SDL_GLContext context);
// The current surface's size in pixels; false when it cannot be asked.
bool QueryCurrentSurface(ESurfaceQuery query, int& width, int& height);

// Shader variants. A software rasteriser runs every instruction of a
// shader for every pixel whatever the branches, so each draw gets a program
// with only what its state needs: the plain one samples one texture and
// multiplies by the vertex colour and the material.
enum : uint32_t {
  kVarTex0 = 1u << 0,       // stage 0 has a texture (else white)
  kVarTex0Matrix = 1u << 1,  // stage 0 coordinates through a matrix
  kVarModulate = 1u << 2,    // stage 1 multiplies the colour
  kVarMulAlpha = 1u << 3,    // stage 1 multiplies the alpha
  kVarTex1Matrix = 1u << 4,  // stage 1 coordinates through a matrix
  kVarTex1Camera = 1u << 5,  // stage 1 coordinates from camera-space positions
  kVarFlat = 1u << 6,        // colour replaced, alpha kept
  kVarCut = 1u << 7,         // fragments under the alpha cut dropped
  kVarNoColor = 1u << 8,     // vertex colours and material all white: the texel as it is
  kVarUniformColor = 1u << 9,  // one colour for every vertex, as a uniform
  kVariantCount = 1u << 10,
};

const char* const kVertexShader = R"(
layout(location = 0) in vec3 aPos;
layout(location = 1) in vec4 aColor;
layout(location = 2) in vec2 aUv;
uniform mat4 uWorldViewProj;
#if TEX1_CAMERA
uniform mat4 uWorldView;
#endif
#if TEX0_MATRIX
uniform mat4 uTex0;
#endif
#if TEX1_MATRIX
uniform mat4 uTex1;
#endif
out vec4 vColor;
#if TEX0
out vec2 vUv0;
#endif
#if SECOND
out vec2 vUv1;
#endif
void main() {
  // Matrices arrive row-major for row vectors; read as GL's column-major
  // they are transposed, so M * v here equals v * M there.
  vec4 p = uWorldViewProj * vec4(aPos, 1.0);
  // Projections map depth to 0..1; GL clips at -1..1.
  p.z = p.z * 2.0 - p.w;
  gl_Position = p;
  vColor = aColor;
#if TEX0
#if TEX0_MATRIX
  vUv0 = (uTex0 * vec4(aUv, 1.0, 0.0)).xy;
#else
  vUv0 = aUv;
#endif
#endif
#if SECOND
#if TEX1_CAMERA
  vec4 c = vec4((uWorldView * vec4(aPos, 1.0)).xyz, 1.0);
#else
  vec4 c = vec4(aUv, 1.0, 0.0);
#endif
#if TEX1_MATRIX
  vUv1 = (uTex1 * c).xy;
#else
  vUv1 = c.xy;
#endif
#endif
}
)";

const char* const kFragmentShader = R"(
in vec4 vColor;
#if TEX0
in vec2 vUv0;
uniform sampler2D uTexture0;
#endif
#if SECOND
in vec2 vUv1;
uniform sampler2D uTexture1;
#endif
uniform vec4 uColorMul;
#if FLAT
uniform vec4 uFlatColor;
#endif
#if CUT
uniform float uAlphaCut;
#endif
out vec4 fragColor;
void main() {
#if TEX0 && NO_COLOR
  vec4 c = texture(uTexture0, vUv0);
#elif TEX0 && UNIFORM_COLOR
  vec4 c = texture(uTexture0, vUv0) * uColorMul;
#elif TEX0
  vec4 c = texture(uTexture0, vUv0) * vColor * uColorMul;
#else
  vec4 c = vColor * uColorMul;
#endif
#if MODULATE
  c *= texture(uTexture1, vUv1);
#elif MUL_ALPHA
  c.a *= texture(uTexture1, vUv1).a;
#endif
#if FLAT
  c = vec4(uFlatColor.rgb, c.a * uFlatColor.a);
#endif
#if CUT
  if (c.a < uAlphaCut) discard;
#endif
  fragColor = c;
}
)";

std::string VariantDefines(uint32_t v) {
  std::string d = "#version 330 core\n";
  auto def = [&d](const char* name, bool on) { d += std::string("#define ") + name + (on ? " 1\n" : " 0\n"); };
  def("TEX0", v & kVarTex0);
  def("TEX0_MATRIX", v & kVarTex0Matrix);
  def("MODULATE", v & kVarModulate);
  def("MUL_ALPHA", v & kVarMulAlpha);
  def("SECOND", v & (kVarModulate | kVarMulAlpha));
  def("TEX1_MATRIX", v & kVarTex1Matrix);
  def("TEX1_CAMERA", v & kVarTex1Camera);
  def("FLAT", v & kVarFlat);
  def("CUT", v & kVarCut);
  def("NO_COLOR", v & kVarNoColor);
  def("UNIFORM_COLOR", v & kVarUniformColor);
  return d;
}

GLuint CompileShader(GLenum kind, const std::string& defines, const char* body) {
  GLuint shader = glCreateShader(kind);
  const char* parts[2] = {defines.c_str(), body};
  glShaderSource(shader, 2, parts, nullptr);
  glCompileShader(shader);
  GLint ok = 0;
  glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
  if (!ok) {
    char log[1024] = {};
    glGetShaderInfoLog(shader, sizeof(log) - 1, nullptr, log);
    LogMessage(ELogLevel::Error, L"Engine/zuzorev/DeviceGL", __LINE__, L"GL shader compile: %hs", log);
    glDeleteShader(shader);
    return 0;
  }
  return shader;
}

// One compiled variant, its uniform locations and the values last set.
struct SProgram {
  GLuint id = 0;
  bool failed = false;
  GLint worldViewProj = -1, worldView = -1, tex0 = -1, tex1 = -1, colorMul = -1, flatColor = -1, alphaCut = -1;
  float lastWorldViewProj[16] = {}, lastWorldView[16] = {}, lastTex0[16] = {}, lastTex1[16] = {};
  float lastColorMul[4] = {}, lastFlat[4] = {}, lastCut = -1.0f;
  bool fresh = true;  // nothing set yet
};

void SetMatrix(GLint location, const float* value, float* last, bool fresh) {
  if (location < 0 || (!fresh && std::memcmp(value, last, 16 * sizeof(float)) == 0)) return;
  std::memcpy(last, value, 16 * sizeof(float));
  glUniformMatrix4fv(location, 1, GL_FALSE, value);
}

void SetVec4(GLint location, const float* value, float* last, bool fresh) {
  if (location < 0 || (!fresh && std::memcmp(value, last, 4 * sizeof(float)) == 0)) return;
  std::memcpy(last, value, 4 * sizeof(float));
  glUniform4fv(location, 1, value);
}

// Sampler objects: filter and edge of a stage.
enum ESampler { kLinearRepeat, kNearestRepeat, kNearestClamp, kSamplerCount };

// What a draw's pixels can be told from its texture or its vertices:
// every alpha opaque, every colour white, every colour the same.
struct SAlphaKind {
  bool opaque = false;
  bool white = false;
  bool uniform = false;  // every colour the same, `first`
  uint32_t first = 0;
};

SAlphaKind Classify(const uint32_t* colors, size_t count, size_t stride) {
  uint32_t all = 0xFFFFFFFFu;
  bool uniform = true;
  const uint32_t first = count ? colors[0] : 0u;
  for (size_t i = 0; i < count; ++i) {
    const uint32_t c = colors[i * stride];
    uniform = uniform && c == first;
    all &= c;
  }
  SAlphaKind k;
  k.opaque = (all >> 24) == 255;
  k.white = all == 0xFFFFFFFFu;
  k.uniform = uniform;
  k.first = first;
  return k;
}

SAlphaKind ClassifyVertices(const SVertex* v, int n) {
  static_assert(sizeof(SVertex) % sizeof(uint32_t) == 0 && offsetof(SVertex, color) % sizeof(uint32_t) == 0);
  return Classify(&v[0].color, static_cast<size_t>(n), sizeof(SVertex) / sizeof(uint32_t));
}

// A device texture: its size and what its texels are.
struct STextureInfo {
  int width = 0, height = 0;
  SAlphaKind kind;
};

// Vertices kept on the device for a mesh part, while its generation holds.
struct SGeometry {
  GLuint vao = 0, vbo = 0, ebo = 0;
  uint64_t generation = 0;
  int vertexCount = 0, indexCount = 0;
  SAlphaKind kind;  // of the vertex colours
  uint64_t lastUsed = 0;  // frame
};

// A rectangle of pixels, x0, y0 in and x1, y1 out.
struct SRect {
  int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  bool Empty() const { return x1 <= x0 || y1 <= y0; }
  bool Contains(const SRect& r) const {
    return r.Empty() || (!Empty() && r.x0 >= x0 && r.y0 >= y0 && r.x1 <= x1 && r.y1 <= y1);
  }
  SRect Union(const SRect& r) const {
    if (Empty()) return r;
    if (r.Empty()) return *this;
    return {std::min(x0, r.x0), std::min(y0, r.y0), std::max(x1, r.x1), std::max(y1, r.y1)};
  }
  SRect Intersect(const SRect& r) const {
    const SRect i{std::max(x0, r.x0), std::max(y0, r.y0), std::min(x1, r.x1), std::min(y1, r.y1)};
    return i.Empty() ? SRect{} : i;
  }
};

constexpr GLsizeiptr kStreamVertexBytes = 4 << 20;
constexpr GLsizeiptr kStreamIndexBytes = 1 << 20;
constexpr uint64_t kGeometryIdleFrames = 600;

class CDeviceGL : public IDevice {
 public:
  ~CDeviceGL() override { Close(); }

  bool Open(SDL_Window* window, int) override {
    Close();
    if (!window) return false;
    mWindow = window;
    mContext = SDL_GL_CreateContext(window);
    if (!mContext) {
      LogMessage(ELogLevel::Error, L"Engine/zuzorev/DeviceGL", __LINE__, L"Create GL context: %hs", SDL_GetError());
      mWindow = nullptr;
      return false;
    }
    SDL_GL_MakeCurrent(window, mContext);
    SDL_GL_SetSwapInterval(0);  // the game paces its own frames
    mSurfaceQuery = ChooseSurfaceQuery(window, mContext);
    PinLoadedGLDrivers();
    if (!BuildPipeline()) {
      Close();
      return false;
    }
    return true;
  }

  void Close() override {
    if (!mContext) return;
    SDL_GL_MakeCurrent(mWindow, mContext);
    for (auto& [id, info] : mTextures) {
      GLuint t = id;
      glDeleteTextures(1, &t);
    }
    mTextures.clear();
    for (auto& [id, g] : mGeometry) DeleteGeometry(g);
    mGeometry.clear();
    for (auto& p : mPrograms)
      if (p.id) glDeleteProgram(p.id);
    mPrograms.assign(kVariantCount, SProgram{});
    if (mSamplers[0]) glDeleteSamplers(kSamplerCount, mSamplers);
    std::fill(std::begin(mSamplers), std::end(mSamplers), 0u);
    mOnDepthTarget = mDepthClearedThisFrame = false;
    mDepthValid = mDepthDirty = SRect{};
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    DeleteDepthTarget();
    DropLayer();
    if (mWhite) glDeleteTextures(1, &mWhite);
    if (mStreamVbo) glDeleteBuffers(1, &mStreamVbo);
    if (mStreamEbo) glDeleteBuffers(1, &mStreamEbo);
    if (mStreamVao) glDeleteVertexArrays(1, &mStreamVao);
    mWhite = mStreamVbo = mStreamEbo = mStreamVao = 0;
    SDL_GL_DeleteContext(mContext);
    mContext = nullptr;
    mWindow = nullptr;
    mCache = SCache{};
  }

  bool IsHeadless() const override { return false; }

  // The size of the surface GL really draws to. SDL's drawable size is its
  // own account of the window, which on X11 runs ahead of the real window
  // until (or unless) the window manager carries out a resize or a
  // full-screen request; a viewport made for that account lands offset and
  // clipped.
  void GetBackBufferSize(int& width, int& height) const override {
    width = height = 0;
    if (!mWindow) return;
    if (mSurfaceQuery != ESurfaceQuery::Sdl && SDL_GL_GetCurrentContext() == mContext &&
        QueryCurrentSurface(mSurfaceQuery, width, height))
      return;
    SDL_GL_GetDrawableSize(mWindow, &width, &height);
  }
  void SetBackBufferSize(int, int) override {}  // follows the window

  // Texels go up as B, G, R, A bytes into an unsized format, so the driver
  // keeps them in that order and copies them as they are.
  uint32_t CreateTexture(int width, int height, const uint32_t* texels) override {
    if (!mContext || width <= 0 || height <= 0) return 0;
    GLuint id = 0;
    glGenTextures(1, &id);
    BindTexture(0, id);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, texels);
    STextureInfo info{width, height, SAlphaKind{}};
    if (texels) info.kind = Classify(texels, static_cast<size_t>(width) * static_cast<size_t>(height), 1);
    mTextures[id] = info;
    return id;
  }

  void UpdateTexture(uint32_t id, int width, int height, const uint32_t* texels) override {
    if (!mContext || !id || !texels || width <= 0 || height <= 0) return;
    auto it = mTextures.find(id);
    if (it == mTextures.end()) return;
    BindTexture(0, id);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    if (it->second.width == width && it->second.height == height)
      glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, width, height, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, texels);
    else
      glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, texels);
    it->second = STextureInfo{width, height, Classify(texels, static_cast<size_t>(width) * static_cast<size_t>(height), 1)};
  }

  void DeleteTexture(uint32_t id) override {
    auto it = mTextures.find(id);
    if (it == mTextures.end()) return;
    mTextures.erase(it);
    if (!mContext) return;
    for (GLuint& bound : mCache.texture)
      if (bound == id) bound = 0;
    GLuint t = id;
    glDeleteTextures(1, &t);
  }

  // Colour only: the depth buffer is cleared when a pass first tests depth.
  void Clear(uint32_t color, const SViewport& viewport) override {
    if (!mContext) return;
    int w = 0, h = 0;
    GetBackBufferSize(w, h);
    LeaveDepthTarget(false);
    mDepthClearedThisFrame = false;
    // Everything outside the virtual screen is black; the viewport gets the colour.
    SetScissor(false);
    SetClearColor(0xFF000000u);
    glClear(GL_COLOR_BUFFER_BIT);
    if ((color & 0xFFFFFFu) != 0) {
      SetScissor(true);
      glScissor(viewport.x, h - viewport.y - viewport.height, viewport.width, viewport.height);
      SetClearColor(color);
      glClear(GL_COLOR_BUFFER_BIT);
      SetScissor(false);
    }
    mViewport = viewport;
    mHaveViewport = true;
    glViewport(viewport.x, h - viewport.y - viewport.height, viewport.width, viewport.height);
  }

  void Draw(int primitive, const SVertex* vertices, int vertexCount, const uint32_t* indices, int indexCount,
            const SDrawState& s, const SGeometryKey& key) override {
    if (!mContext || !vertices || vertexCount <= 0) return;
    if (primitive == kPrimTriangleStrip && !indices && vertexCount >= 3) {
      // A strip goes as the list of the same triangles (each odd one turned
      // to keep its winding; the same pixels): a software rasteriser finds
      // the rectangles that pairs of listed triangles make and fills them
      // on its fast path.
      mStripIndices.clear();
      for (int i = 0; i + 2 < vertexCount; ++i) {
        const uint32_t a = static_cast<uint32_t>(i);
        if (i % 2 == 0) mStripIndices.insert(mStripIndices.end(), {a, a + 1, a + 2});
        else mStripIndices.insert(mStripIndices.end(), {a + 1, a, a + 2});
      }
      primitive = kPrimTriangleList;
      indices = mStripIndices.data();
      indexCount = static_cast<int>(mStripIndices.size());
    }
    const bool indexed = indices && indexCount > 0;

    // Where the vertices come from: the part's own buffers, or the stream.
    SAlphaKind vertexKind;
    GLint baseVertex = 0;
    const void* indexOffset = nullptr;
    if (key.id != 0) {
      SGeometry& g = GeometryFor(key, vertices, vertexCount, indices, indexed ? indexCount : 0);
      BindVao(g.vao);
      vertexKind = g.kind;
    } else {
      BindVao(mStreamVao);
      baseVertex = Stream(vertices, vertexCount);
      if (indexed) indexOffset = StreamIndices(indices, indexCount);
      vertexKind = ClassifyVertices(vertices, vertexCount);
    }

    const STextureInfo* tex0 = Info(s.texture0);
    const STextureInfo* tex1 = Info(s.texture1);
    const bool second = s.secondTex != ESecondTex::None && tex1;
    ESampler sampler0 = s.linearFilter ? kLinearRepeat : kNearestRepeat;
    if (tex0 && !s.tex0Transform && !second && IsOneToOne(s.worldViewProj, *tex0, vertices, vertexCount))
      sampler0 = kNearestClamp;
    const bool materialWhite =
        s.colorMul[0] == 1.0f && s.colorMul[1] == 1.0f && s.colorMul[2] == 1.0f && s.colorMul[3] == 1.0f;
    const bool fullAlpha = vertexKind.opaque && s.colorMul[3] == 1.0f && (!s.flatColor || s.flat[3] == 1.0f) &&
                           (!second || tex1->kind.opaque);

    // An alpha blend of a certainly opaque fragment leaves exactly the
    // fragment: blending is skipped.
    EBlend blend = s.blend;
    if (blend == EBlend::Alpha && fullAlpha && (!tex0 || tex0->kind.opaque)) blend = EBlend::None;

    uint32_t variant = 0;
    if (tex0) variant |= kVarTex0;
    if (tex0 && s.tex0Transform) variant |= kVarTex0Matrix;
    // One colour for the whole draw (the vertex colour, the same at every
    // vertex, times a white material, or a white vertex colour times the
    // material) goes in as a uniform: a software rasteriser keeps a texture
    // times a constant on its fast path, not a texture times a varying.
    float color[4] = {s.colorMul[0], s.colorMul[1], s.colorMul[2], s.colorMul[3]};
    bool uniformColor = false;
    if (vertexKind.uniform && (materialWhite || vertexKind.white)) {
      uniformColor = true;
      if (materialWhite) {
        const uint32_t c = vertexKind.first;
        color[0] = ((c >> 16) & 255) / 255.0f;
        color[1] = ((c >> 8) & 255) / 255.0f;
        color[2] = (c & 255) / 255.0f;
        color[3] = (c >> 24) / 255.0f;
      }
      if (color[0] == 1.0f && color[1] == 1.0f && color[2] == 1.0f && color[3] == 1.0f) variant |= kVarNoColor;
      else variant |= kVarUniformColor;
      // Untextured, it samples the white texel: the same colour from the
      // same plain program.
      if (!tex0) variant |= kVarTex0;
    }
    // An opaque picture (or the white texel) times one colour, alpha
    // blended, goes premultiplied: colour times alpha in the uniform, the
    // blend adding it to what lies under. The same sum, and the blend a
    // software rasteriser has its fast path for.
    bool premultiplied = false;
    if (uniformColor && blend == EBlend::Alpha && (!tex0 || tex0->kind.opaque) && !second && !s.flatColor &&
        s.alphaCut <= 0.0f) {
      premultiplied = true;
      for (int i = 0; i < 3; ++i) color[i] *= color[3];
      variant = (variant & ~kVarNoColor) | kVarUniformColor;
    }
    if (second) {
      variant |= s.secondTex == ESecondTex::Modulate ? kVarModulate : kVarMulAlpha;
      if (s.tex1Transform) variant |= kVarTex1Matrix;
      if (s.tex1Source == ETexSource::CameraSpace) variant |= kVarTex1Camera;
    }
    if (s.flatColor) variant |= kVarFlat;
    if (s.alphaCut > 0.0f) variant |= kVarCut;
    SProgram* program = ProgramFor(variant);
    if (!program) return;
    UseProgram(*program);
    const bool fresh = program->fresh;
    program->fresh = false;
    SetMatrix(program->worldViewProj, s.worldViewProj.m, program->lastWorldViewProj, fresh);
    SetMatrix(program->worldView, s.worldView.m, program->lastWorldView, fresh);
    SetMatrix(program->tex0, s.tex0Matrix.m, program->lastTex0, fresh);
    SetMatrix(program->tex1, s.tex1Matrix.m, program->lastTex1, fresh);
    SetVec4(program->colorMul, uniformColor ? color : s.colorMul, program->lastColorMul, fresh);
    SetVec4(program->flatColor, s.flat, program->lastFlat, fresh);
    if (program->alphaCut >= 0 && (fresh || program->lastCut != s.alphaCut)) {
      program->lastCut = s.alphaCut;
      glUniform1f(program->alphaCut, s.alphaCut);
    }

    if (tex0) {
      BindTexture(0, s.texture0);
      BindSampler(0, sampler0);
    } else if (variant & kVarTex0) {
      BindTexture(0, mWhite);
      BindSampler(0, kNearestClamp);
    }
    if (second) {
      BindTexture(1, s.texture1);
      BindSampler(1, s.linearFilter ? kLinearRepeat : kNearestRepeat);
    }

    SetBlend(blend, premultiplied);
    SetDepth(s.depthTest, s.depthWrite,
             s.depthTest ? DrawBounds(s.worldViewProj, vertices, vertexCount) : SRect{});
    SetCull(s.cull);

    const GLenum mode = primitive == kPrimTriangleStrip ? GL_TRIANGLE_STRIP : GL_TRIANGLES;
    if (indexed)
      glDrawElementsBaseVertex(mode, indexCount, GL_UNSIGNED_INT, const_cast<void*>(indexOffset), baseVertex);
    else
      glDrawArrays(mode, baseVertex, vertexCount);
  }

  void Present() override {
    LeaveDepthTarget(true);
    mDepthClearedThisFrame = false;
    if (mWindow && mContext) SDL_GL_SwapWindow(mWindow);
    ++mFrame;
    if (mFrame % 256 == 0) DropIdleGeometry();
  }

  // The layer is a texture of the back buffer's size, filled by a copy of
  // the back buffer and drawn back as one opaque quad sampled nearest over
  // the whole back buffer: the draw a software rasteriser fills fastest.
  bool KeepLayer() override {
    if (!mContext) return false;
    int w = 0, h = 0;
    GetBackBufferSize(w, h);
    if (w <= 0 || h <= 0) return false;
    LeaveDepthTarget(true);
    if (!mLayer || mLayerWidth != w || mLayerHeight != h) {
      DropLayer();
      glGenTextures(1, &mLayer);
      BindTexture(0, mLayer);
      // Unsized, as the pictures are: the driver keeps B, G, R, A, the
      // order its fastest path samples.
      glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, w, h, 0, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, nullptr);
      mLayerWidth = w;
      mLayerHeight = h;
    } else {
      BindTexture(0, mLayer);
    }
    SetScissor(false);
    glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, 0, 0, w, h);
    return true;
  }

  bool DrawLayer(const SViewport& viewport) override {
    if (!mContext || !mLayer) return false;
    int w = 0, h = 0;
    GetBackBufferSize(w, h);
    if (w != mLayerWidth || h != mLayerHeight) return false;
    SProgram* program = ProgramFor(kVarTex0 | kVarNoColor);
    if (!program) return false;
    // As after the Clear that began what the layer stands for.
    LeaveDepthTarget(false);
    mDepthClearedThisFrame = false;
    SetScissor(false);
    glViewport(0, 0, w, h);
    UseProgram(*program);
    const bool fresh = program->fresh;
    program->fresh = false;
    SetMatrix(program->worldViewProj, zormath::Mat4f::Identity().m, program->lastWorldViewProj, fresh);
    BindTexture(0, mLayer);
    BindSampler(0, kNearestClamp);
    SetBlend(EBlend::None, false);
    SetDepth(false, false, SRect{});
    SetCull(ECull::None);
    // Clip space corners, texture rows bottom-up as GL copied them; two
    // listed triangles, so the rasteriser sees the rectangle.
    const SVertex quad[4] = {{-1, -1, 0.5f, 0xFFFFFFFFu, 0, 0}, {1, -1, 0.5f, 0xFFFFFFFFu, 1, 0},
                             {-1, 1, 0.5f, 0xFFFFFFFFu, 0, 1}, {1, 1, 0.5f, 0xFFFFFFFFu, 1, 1}};
    const uint32_t indices[6] = {0, 1, 2, 2, 1, 3};
    BindVao(mStreamVao);
    const GLint base = Stream(quad, 4);
    const void* offset = StreamIndices(indices, 6);
    glDrawElementsBaseVertex(GL_TRIANGLES, 6, GL_UNSIGNED_INT, const_cast<void*>(offset), base);
    mViewport = viewport;
    mHaveViewport = true;
    glViewport(viewport.x, h - viewport.y - viewport.height, viewport.width, viewport.height);
    return true;
  }

  void DropLayer() override {
    if (!mLayer) return;
    for (GLuint& bound : mCache.texture)
      if (bound == mLayer) bound = 0;
    if (mContext) glDeleteTextures(1, &mLayer);
    mLayer = 0;
    mLayerWidth = mLayerHeight = 0;
  }

  bool ReadPixels(int x, int y, int width, int height, std::vector<uint32_t>& out) override {
    out.clear();
    if (!mContext || width <= 0 || height <= 0) return false;
    int w = 0, h = 0;
    GetBackBufferSize(w, h);
    if (x < 0 || y < 0 || x + width > w || y + height > h) return false;
    LeaveDepthTarget(true);
    std::vector<uint32_t> raw(static_cast<size_t>(width) * height);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glReadPixels(x, h - y - height, width, height, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, raw.data());
    out.resize(raw.size());
    for (int row = 0; row < height; ++row)  // GL rows run bottom-up
      std::copy_n(raw.begin() + static_cast<size_t>(height - 1 - row) * width, width,
                  out.begin() + static_cast<size_t>(row) * width);
    return true;
  }

 private:
  // GL state as last set, so each call that would repeat it is skipped.
  struct SCache {
    GLuint program = 0, vao = 0;
    int activeUnit = -1;
    GLuint texture[2] = {0, 0};
    GLuint sampler[2] = {0, 0};
    int blend = -1;  // EBlend, 3 premultiplied alpha, -1 unknown
    int depthTest = -1, depthMask = -1, cull = -1, scissor = -1;
    uint32_t clearColor = 0;
    bool clearColorSet = false;
  };

  bool BuildPipeline() {
    mPrograms.assign(kVariantCount, SProgram{});
    if (!ProgramFor(kVarTex0)) return false;  // the plain one must build

    glGenSamplers(kSamplerCount, mSamplers);
    const GLint filters[kSamplerCount] = {GL_LINEAR, GL_NEAREST, GL_NEAREST};
    const GLint wraps[kSamplerCount] = {GL_REPEAT, GL_REPEAT, GL_CLAMP_TO_EDGE};
    for (int i = 0; i < kSamplerCount; ++i) {
      glSamplerParameteri(mSamplers[i], GL_TEXTURE_MIN_FILTER, filters[i]);
      glSamplerParameteri(mSamplers[i], GL_TEXTURE_MAG_FILTER, filters[i]);
      glSamplerParameteri(mSamplers[i], GL_TEXTURE_WRAP_S, wraps[i]);
      glSamplerParameteri(mSamplers[i], GL_TEXTURE_WRAP_T, wraps[i]);
    }

    glGenVertexArrays(1, &mStreamVao);
    glGenBuffers(1, &mStreamVbo);
    glGenBuffers(1, &mStreamEbo);
    BindVao(mStreamVao);
    glBindBuffer(GL_ARRAY_BUFFER, mStreamVbo);
    glBufferData(GL_ARRAY_BUFFER, kStreamVertexBytes, nullptr, GL_STREAM_DRAW);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, mStreamEbo);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, kStreamIndexBytes, nullptr, GL_STREAM_DRAW);
    SetVertexLayout();
    mStreamVertices = SStream{GL_ARRAY_BUFFER, mStreamVbo, 0, kStreamVertexBytes};
    mStreamIndices = SStream{GL_ELEMENT_ARRAY_BUFFER, mStreamEbo, 0, kStreamIndexBytes};

    const uint32_t white = 0xFFFFFFFFu;
    glGenTextures(1, &mWhite);
    BindTexture(0, mWhite);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 1, 0, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, &white);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    return glGetError() == GL_NO_ERROR;
  }

  // The attribute layout of SVertex over the bound array buffer, into the
  // bound vertex array.
  static void SetVertexLayout() {
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, sizeof(SVertex), reinterpret_cast<void*>(0));
    // Packed 0xAARRGGBB is B, G, R, A in memory: GL_BGRA reads it as RGBA.
    glEnableVertexAttribArray(1);
    glVertexAttribPointer(1, GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE, sizeof(SVertex), reinterpret_cast<void*>(12));
    glEnableVertexAttribArray(2);
    glVertexAttribPointer(2, 2, GL_FLOAT, GL_FALSE, sizeof(SVertex), reinterpret_cast<void*>(16));
  }

  // The program of a variant, compiled the first time it is asked for.
  SProgram* ProgramFor(uint32_t variant) {
    SProgram& p = mPrograms[variant];
    if (p.id) return &p;
    if (p.failed) return nullptr;
    const std::string defines = VariantDefines(variant);
    GLuint vs = CompileShader(GL_VERTEX_SHADER, defines, kVertexShader);
    GLuint fs = CompileShader(GL_FRAGMENT_SHADER, defines, kFragmentShader);
    if (!vs || !fs) {
      if (vs) glDeleteShader(vs);
      if (fs) glDeleteShader(fs);
      p.failed = true;
      return nullptr;
    }
    GLuint id = glCreateProgram();
    glAttachShader(id, vs);
    glAttachShader(id, fs);
    glLinkProgram(id);
    glDeleteShader(vs);
    glDeleteShader(fs);
    GLint ok = 0;
    glGetProgramiv(id, GL_LINK_STATUS, &ok);
    if (!ok) {
      LogMessage(ELogLevel::Error, L"Engine/zuzorev/DeviceGL", __LINE__, L"GL shader link failed.");
      glDeleteProgram(id);
      p.failed = true;
      return nullptr;
    }
    p.id = id;
    p.worldViewProj = glGetUniformLocation(id, "uWorldViewProj");
    p.worldView = glGetUniformLocation(id, "uWorldView");
    p.tex0 = glGetUniformLocation(id, "uTex0");
    p.tex1 = glGetUniformLocation(id, "uTex1");
    p.colorMul = glGetUniformLocation(id, "uColorMul");
    p.flatColor = glGetUniformLocation(id, "uFlatColor");
    p.alphaCut = glGetUniformLocation(id, "uAlphaCut");
    UseProgram(p);
    const GLint t0 = glGetUniformLocation(id, "uTexture0"), t1 = glGetUniformLocation(id, "uTexture1");
    if (t0 >= 0) glUniform1i(t0, 0);
    if (t1 >= 0) glUniform1i(t1, 1);
    return &p;
  }

  const STextureInfo* Info(uint32_t id) const {
    if (!id) return nullptr;
    auto it = mTextures.find(id);
    return it == mTextures.end() ? nullptr : &it->second;
  }

  // The picture lands texel for texel on the pixels: every vertex's pixel
  // position (top-left origin) is its texel position plus one whole-pixel
  // offset, with no perspective. Nearest sampling then reads exactly the
  // texel a linear filter would, and faster.
  bool IsOneToOne(const zormath::Mat4f& m, const STextureInfo& tex, const SVertex* v, int n) const {
    if (!mHaveViewport || n < 3 || n > 64 || mViewport.width <= 0 || mViewport.height <= 0) return false;
    constexpr float kEps = 1.0f / 512.0f;
    float offX = 0, offY = 0;
    for (int i = 0; i < n; ++i) {
      const float x = v[i].x, y = v[i].y, z = v[i].z;
      const float cw = x * m(0, 3) + y * m(1, 3) + z * m(2, 3) + m(3, 3);
      if (std::fabs(cw - 1.0f) > 1e-6f) return false;
      const float cx = x * m(0, 0) + y * m(1, 0) + z * m(2, 0) + m(3, 0);
      const float cy = x * m(0, 1) + y * m(1, 1) + z * m(2, 1) + m(3, 1);
      const float px = mViewport.x + (cx * 0.5f + 0.5f) * mViewport.width;
      const float py = mViewport.y + (0.5f - cy * 0.5f) * mViewport.height;
      const float dx = px - v[i].u * tex.width, dy = py - v[i].v * tex.height;
      if (i == 0) {
        offX = dx;
        offY = dy;
        if (std::fabs(dx - std::round(dx)) > kEps || std::fabs(dy - std::round(dy)) > kEps) return false;
      } else if (std::fabs(dx - offX) > kEps || std::fabs(dy - offY) > kEps) {
        return false;
      }
    }
    return true;
  }

  // The device's copy of a part's vertices and indices, made or refreshed
  // when the part's generation moved.
  SGeometry& GeometryFor(const SGeometryKey& key, const SVertex* vertices, int vertexCount, const uint32_t* indices,
                         int indexCount) {
    SGeometry& g = mGeometry[key.id];
    g.lastUsed = mFrame;
    if (g.vao && g.generation == key.generation && g.vertexCount == vertexCount && g.indexCount == indexCount)
      return g;
    if (!g.vao) {
      glGenVertexArrays(1, &g.vao);
      glGenBuffers(1, &g.vbo);
      glGenBuffers(1, &g.ebo);
      BindVao(g.vao);
      glBindBuffer(GL_ARRAY_BUFFER, g.vbo);
      glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, g.ebo);
      SetVertexLayout();
    } else {
      BindVao(g.vao);
      glBindBuffer(GL_ARRAY_BUFFER, g.vbo);
    }
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(vertexCount * sizeof(SVertex)), vertices, GL_STATIC_DRAW);
    if (indexCount > 0)
      glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(indexCount * sizeof(uint32_t)), indices,
                   GL_STATIC_DRAW);
    g.generation = key.generation;
    g.vertexCount = vertexCount;
    g.indexCount = indexCount;
    g.kind = ClassifyVertices(vertices, vertexCount);
    return g;
  }

  void DeleteGeometry(SGeometry& g) {
    if (mCache.vao == g.vao) mCache.vao = 0;
    if (g.vao) glDeleteVertexArrays(1, &g.vao);
    if (g.vbo) glDeleteBuffers(1, &g.vbo);
    if (g.ebo) glDeleteBuffers(1, &g.ebo);
    g = SGeometry{};
  }

  // Parts not drawn for a while (their meshes may be gone) give their
  // buffers back.
  void DropIdleGeometry() {
    for (auto it = mGeometry.begin(); it != mGeometry.end();) {
      if (mFrame - it->second.lastUsed > kGeometryIdleFrames) {
        DeleteGeometry(it->second);
        it = mGeometry.erase(it);
      } else {
        ++it;
      }
    }
  }

  // A buffer written front to back by the draws of the moment.
  struct SStream {
    GLenum target = GL_ARRAY_BUFFER;
    GLuint buffer = 0;
    GLsizeiptr used = 0, capacity = 0;
  };

  // Writes bytes into a stream buffer past what earlier draws use; answers
  // where they start. A full buffer is orphaned: the driver gives fresh
  // storage while queued draws keep the old. The element buffer is the one
  // of the bound vertex array.
  static GLintptr Write(SStream& stream, const void* data, GLsizeiptr bytes) {
    if (stream.target == GL_ARRAY_BUFFER) glBindBuffer(GL_ARRAY_BUFFER, stream.buffer);
    GLbitfield access = GL_MAP_WRITE_BIT | GL_MAP_UNSYNCHRONIZED_BIT | GL_MAP_INVALIDATE_RANGE_BIT;
    if (stream.used + bytes > stream.capacity) {
      if (bytes > stream.capacity) {
        stream.capacity = bytes * 2;
        glBufferData(stream.target, stream.capacity, nullptr, GL_STREAM_DRAW);
      }
      access = GL_MAP_WRITE_BIT | GL_MAP_INVALIDATE_BUFFER_BIT;
      stream.used = 0;
    }
    const GLintptr at = stream.used;
    if (void* dst = glMapBufferRange(stream.target, at, bytes, access)) {
      std::memcpy(dst, data, static_cast<size_t>(bytes));
      glUnmapBuffer(stream.target);
    }
    stream.used += bytes;
    return at;
  }

  // The first vertex of vertices written to the stream.
  GLint Stream(const SVertex* vertices, int count) {
    const GLsizeiptr bytes = static_cast<GLsizeiptr>(count) * static_cast<GLsizeiptr>(sizeof(SVertex));
    return static_cast<GLint>(Write(mStreamVertices, vertices, bytes) / static_cast<GLintptr>(sizeof(SVertex)));
  }

  const void* StreamIndices(const uint32_t* indices, int count) {
    const GLsizeiptr bytes = static_cast<GLsizeiptr>(count) * static_cast<GLsizeiptr>(sizeof(uint32_t));
    return reinterpret_cast<const void*>(Write(mStreamIndices, indices, bytes));
  }

  void UseProgram(const SProgram& p) {
    if (mCache.program == p.id) return;
    mCache.program = p.id;
    glUseProgram(p.id);
  }

  void BindVao(GLuint vao) {
    if (mCache.vao == vao) return;
    mCache.vao = vao;
    glBindVertexArray(vao);
  }

  void BindTexture(int unit, GLuint texture) {
    if (mCache.texture[unit] == texture && mCache.activeUnit >= 0) return;
    if (mCache.activeUnit != unit) {
      mCache.activeUnit = unit;
      glActiveTexture(GL_TEXTURE0 + unit);
    }
    mCache.texture[unit] = texture;
    glBindTexture(GL_TEXTURE_2D, texture);
  }

  void BindSampler(int unit, ESampler sampler) {
    if (mCache.sampler[unit] == mSamplers[sampler]) return;
    mCache.sampler[unit] = mSamplers[sampler];
    glBindSampler(static_cast<GLuint>(unit), mSamplers[sampler]);
  }

  void SetBlend(EBlend blend, bool premultiplied) {
    const int key = premultiplied ? 3 : static_cast<int>(blend);
    if (mCache.blend == key) return;
    mCache.blend = key;
    if (premultiplied) {
      glEnable(GL_BLEND);
      glBlendFuncSeparate(GL_ONE, GL_ONE_MINUS_SRC_ALPHA, GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
      return;
    }
    switch (blend) {
      case EBlend::None: glDisable(GL_BLEND); break;
      case EBlend::Alpha:
        glEnable(GL_BLEND);
        glBlendFuncSeparate(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
        break;
      case EBlend::Add:
        glEnable(GL_BLEND);
        glBlendFuncSeparate(GL_SRC_ALPHA, GL_ONE, GL_ZERO, GL_ONE);
        break;
    }
  }

  void SetDepthMask(bool on) {
    if (mCache.depthMask == static_cast<int>(on)) return;
    mCache.depthMask = on;
    glDepthMask(on ? GL_TRUE : GL_FALSE);
  }

  // `bounds`: the pixels a draw that tests depth may touch.
  void SetDepth(bool test, bool write, const SRect& bounds) {
    if (test) MoveToDepthTarget(bounds);
    else LeaveDepthTarget(true);
    if (mCache.depthTest != static_cast<int>(test)) {
      mCache.depthTest = test;
      if (test) {
        glEnable(GL_DEPTH_TEST);
        glDepthFunc(GL_LEQUAL);
      } else {
        glDisable(GL_DEPTH_TEST);
      }
    }
    SetDepthMask(test && write);
  }

  void SetCull(ECull cull) {
    if (mCache.cull == static_cast<int>(cull)) return;
    mCache.cull = static_cast<int>(cull);
    if (cull == ECull::None) {
      glDisable(GL_CULL_FACE);
    } else {
      glEnable(GL_CULL_FACE);
      glCullFace(GL_BACK);
      glFrontFace(cull == ECull::Clockwise ? GL_CCW : GL_CW);
    }
  }

  // The window has no depth buffer (a software rasteriser keeps its fast
  // paths only without one). Draws that test depth go to a buffer of ours
  // of the same size that has one, and only the pixels they may touch make
  // the trip: their rectangle of the frame so far is copied in before they
  // draw and back out when a draw that does not test depth follows, a Clear
  // or Present comes, or the back buffer is read. The depth buffer is
  // cleared to far by the frame's first draw that tests depth and lasts to
  // the end of the frame.
  void MoveToDepthTarget(const SRect& bounds) {
    if (!mOnDepthTarget) {
      if (!MakeDepthTarget()) return;
      SetScissor(false);
      glBindFramebuffer(GL_FRAMEBUFFER, mDepthFbo);
      mOnDepthTarget = true;
      mDepthValid = mDepthDirty = SRect{};
      if (!mDepthClearedThisFrame) {
        mDepthClearedThisFrame = true;
        SetDepthMask(true);
        glClearDepth(1.0);
        glClear(GL_DEPTH_BUFFER_BIT);
      }
    }
    if (!mDepthValid.Contains(bounds)) {
      // What is drawn here so far goes out first, so the window holds the
      // whole frame and the new rectangle comes in from it.
      CopyDepthTarget(mDepthDirty, false);
      mDepthDirty = SRect{};
      mDepthValid = bounds;
      CopyDepthTarget(mDepthValid, true);
    }
    mDepthDirty = mDepthDirty.Union(bounds);
  }

  // Back to the window; with `keep` what was drawn on the depth target
  // goes along.
  void LeaveDepthTarget(bool keep) {
    if (!mOnDepthTarget) return;
    mOnDepthTarget = false;
    if (keep) CopyDepthTarget(mDepthDirty, false);
    mDepthValid = mDepthDirty = SRect{};
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
  }

  // Copies a rectangle of colour from the window into the depth target
  // (`in`) or back out; the depth target stays bound for drawing.
  void CopyDepthTarget(const SRect& r, bool in) {
    if (r.Empty()) return;
    SetScissor(false);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, in ? 0 : mDepthFbo);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, in ? mDepthFbo : 0);
    glBlitFramebuffer(r.x0, r.y0, r.x1, r.y1, r.x0, r.y0, r.x1, r.y1, GL_COLOR_BUFFER_BIT, GL_NEAREST);
    glBindFramebuffer(GL_FRAMEBUFFER, mDepthFbo);
  }

  // The depth target at the back buffer's size, made when missing or when
  // the size changed. False when GL cannot make it.
  bool MakeDepthTarget() {
    int w = 0, h = 0;
    GetBackBufferSize(w, h);
    if (w <= 0 || h <= 0) return false;
    if (mDepthFbo && mDepthWidth == w && mDepthHeight == h) return true;
    DeleteDepthTarget();
    glGenFramebuffers(1, &mDepthFbo);
    glGenRenderbuffers(1, &mDepthColor);
    glGenRenderbuffers(1, &mDepthBuffer);
    glBindRenderbuffer(GL_RENDERBUFFER, mDepthColor);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, w, h);
    glBindRenderbuffer(GL_RENDERBUFFER, mDepthBuffer);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, w, h);
    glBindFramebuffer(GL_FRAMEBUFFER, mDepthFbo);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, mDepthColor);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, mDepthBuffer);
    const bool complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    if (!complete) {
      LogMessage(ELogLevel::Error, L"Engine/zuzorev/DeviceGL", __LINE__, L"GL depth buffer could not be made.");
      DeleteDepthTarget();
      return false;
    }
    mDepthWidth = w;
    mDepthHeight = h;
    return true;
  }

  // The rectangle of back-buffer pixels (GL's bottom-left origin) a draw's
  // vertices may cover, a pixel wider each side; the whole viewport when a
  // vertex lies at or behind the eye or there are too many to look at.
  SRect DrawBounds(const zormath::Mat4f& m, const SVertex* v, int n) const {
    int w = 0, h = 0;
    GetBackBufferSize(w, h);
    const SViewport& vp = mViewport;
    const SRect view{vp.x, h - vp.y - vp.height, vp.x + vp.width, h - vp.y};
    if (!mHaveViewport || n > 4096) return view;
    float x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    for (int i = 0; i < n; ++i) {
      const float x = v[i].x, y = v[i].y, z = v[i].z;
      const float cw = x * m(0, 3) + y * m(1, 3) + z * m(2, 3) + m(3, 3);
      if (!(cw > 1e-6f)) return view;
      const float cx = (x * m(0, 0) + y * m(1, 0) + z * m(2, 0) + m(3, 0)) / cw;
      const float cy = (x * m(0, 1) + y * m(1, 1) + z * m(2, 1) + m(3, 1)) / cw;
      if (!std::isfinite(cx) || !std::isfinite(cy)) return view;
      x0 = i == 0 ? cx : std::min(x0, cx);
      x1 = i == 0 ? cx : std::max(x1, cx);
      y0 = i == 0 ? cy : std::min(y0, cy);
      y1 = i == 0 ? cy : std::max(y1, cy);
    }
    // Clip space to pixels, clamped first so no float overflows an int.
    auto px = [&](float c) { return view.x0 + (std::clamp(c, -2.0f, 2.0f) * 0.5f + 0.5f) * vp.width; };
    auto py = [&](float c) { return view.y0 + (std::clamp(c, -2.0f, 2.0f) * 0.5f + 0.5f) * vp.height; };
    const SRect r{static_cast<int>(std::floor(px(x0))) - 1, static_cast<int>(std::floor(py(y0))) - 1,
                  static_cast<int>(std::ceil(px(x1))) + 1, static_cast<int>(std::ceil(py(y1))) + 1};
    return r.Intersect(view);
  }

  void DeleteDepthTarget() {
    if (mDepthFbo) glDeleteFramebuffers(1, &mDepthFbo);
    if (mDepthColor) glDeleteRenderbuffers(1, &mDepthColor);
    if (mDepthBuffer) glDeleteRenderbuffers(1, &mDepthBuffer);
    mDepthFbo = mDepthColor = mDepthBuffer = 0;
    mDepthWidth = mDepthHeight = 0;
  }

  void SetScissor(bool on) {
    if (mCache.scissor == static_cast<int>(on)) return;
    mCache.scissor = on;
    if (on) glEnable(GL_SCISSOR_TEST);
    else glDisable(GL_SCISSOR_TEST);
  }

  void SetClearColor(uint32_t color) {
    if (mCache.clearColorSet && mCache.clearColor == color) return;
    mCache.clearColorSet = true;
    mCache.clearColor = color;
    glClearColor(((color >> 16) & 255) / 255.0f, ((color >> 8) & 255) / 255.0f, (color & 255) / 255.0f, 1.0f);
  }

  SDL_Window* mWindow = nullptr;
  SDL_GLContext mContext = nullptr;
  ESurfaceQuery mSurfaceQuery = ESurfaceQuery::Sdl;
  std::vector<SProgram> mPrograms;
  GLuint mSamplers[kSamplerCount] = {};
  GLuint mStreamVao = 0, mStreamVbo = 0, mStreamEbo = 0, mWhite = 0;
  SStream mStreamVertices, mStreamIndices;
  std::unordered_map<uint32_t, STextureInfo> mTextures;
  std::vector<uint32_t> mStripIndices;
  std::unordered_map<uint64_t, SGeometry> mGeometry;
  SCache mCache;
  SViewport mViewport;
  bool mHaveViewport = false;
  GLuint mDepthFbo = 0, mDepthColor = 0, mDepthBuffer = 0;
  int mDepthWidth = 0, mDepthHeight = 0;
  bool mOnDepthTarget = false;
  bool mDepthClearedThisFrame = false;
  SRect mDepthValid;  // where the depth target's colour is the window's
  SRect mDepthDirty;  // what was drawn there and is not yet on the window
  uint64_t mFrame = 0;
  GLuint mLayer = 0;  // the kept picture of the back buffer
  int mLayerWidth = 0, mLayerHeight = 0;
};

}  // namespace

std::unique_ptr<IDevice> CreateGLDevice() { return std::make_unique<CDeviceGL>(); }

}  // namespace zuzorev

namespace zuzorev {

void PrepareGLWindowAttributes() {
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  // No depth buffer on the window: a software rasteriser draws faster
  // without one; a frame with a pass that tests depth draws into a buffer
  // of the device's own that has one.
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 0);
  // Mesa's software rasteriser starts a thread per CPU. For frames of this
  // size waking them and handing out tiles costs more CPU than it saves:
  // one rasteriser thread beside the game's own keeps a frame well inside
  // its time at about half the CPU. The driver reads this when it loads,
  // with the first GL window; a value the user set stays, and other
  // drivers ignore it.
  setenv("LP_NUM_THREADS", "1", 0);
}

}  // namespace zuzorev

// Xlib's headers, which GLX, EGL and SDL's window-manager information bring
// in, define macros such as None and Status that clash with names above:
// they come last.
#include <SDL2/SDL_syswm.h>
#include <epoxy/egl.h>
#include <epoxy/glx.h>

namespace zuzorev {
namespace {

ESurfaceQuery ChooseSurfaceQuery(SDL_Window* window, SDL_GLContext context) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (window && SDL_GetWindowWMInfo(window, &info) == SDL_TRUE) {
#if defined(SDL_VIDEO_DRIVER_X11)
    if (info.subsystem == SDL_SYSWM_X11 && epoxy_has_glx(info.info.x11.display) &&
        glXGetCurrentContext() == static_cast<GLXContext>(context))
      return ESurfaceQuery::Glx;
#endif
    // The client sizes its own buffers there, so SDL's size is theirs.
    if (info.subsystem == SDL_SYSWM_WAYLAND) return ESurfaceQuery::Sdl;
  }
  // EGL on X11, or SDL's offscreen driver, whose surfaces never resize.
  if (epoxy_has_egl() && eglGetCurrentContext() == static_cast<EGLContext>(context)) return ESurfaceQuery::Egl;
  return ESurfaceQuery::Sdl;
}

bool QueryCurrentSurface(ESurfaceQuery query, int& width, int& height) {
  if (query == ESurfaceQuery::Glx) {
    Display* display = glXGetCurrentDisplay();
    const GLXDrawable drawable = glXGetCurrentDrawable();
    if (!display || !drawable) return false;
    unsigned int w = 0, h = 0;
    glXQueryDrawable(display, drawable, GLX_WIDTH, &w);
    glXQueryDrawable(display, drawable, GLX_HEIGHT, &h);
    if (w == 0 || h == 0) return false;
    width = static_cast<int>(w);
    height = static_cast<int>(h);
    return true;
  }
  if (query == ESurfaceQuery::Egl) {
    const EGLDisplay display = eglGetCurrentDisplay();
    const EGLSurface surface = eglGetCurrentSurface(EGL_DRAW);
    if (display == EGL_NO_DISPLAY || surface == EGL_NO_SURFACE) return false;
    EGLint w = 0, h = 0;
    if (!eglQuerySurface(display, surface, EGL_WIDTH, &w) || !eglQuerySurface(display, surface, EGL_HEIGHT, &h) ||
        w <= 0 || h <= 0)
      return false;
    width = w;
    height = h;
    return true;
  }
  return false;
}

}  // namespace
}  // namespace zuzorev
