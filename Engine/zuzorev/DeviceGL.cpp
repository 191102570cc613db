// The GL device: OpenGL 3.3 core through SDL2 and libepoxy. One small shader
// pair does everything the game asks of the fixed-function pipeline it was
// written for: texture times vertex colour times material, texture
// transforms on both stages (stage 1 may take camera-space positions), a
// second texture that modulates colour or alpha, alpha-cut masks, flat
// silhouettes; blending, depth and culling are plain GL state.
#include <SDL2/SDL.h>
#include <dlfcn.h>
#include <epoxy/gl.h>
#include <link.h>

#include <algorithm>
#include <cstring>

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

const char* const kVertexShader = R"(#version 330 core
layout(location = 0) in vec3 aPos;
layout(location = 1) in vec4 aColor;
layout(location = 2) in vec2 aUv;
uniform mat4 uWorldViewProj;
uniform mat4 uWorldView;
uniform mat4 uTex0;
uniform mat4 uTex1;
uniform int uTex0On;
uniform int uTex1On;
uniform int uTex1Camera;
out vec4 vColor;
out vec2 vUv0;
out vec2 vUv1;
void main() {
  // Matrices arrive row-major for row vectors; read as GL's column-major
  // they are transposed, so M * v here equals v * M there.
  vec4 p = uWorldViewProj * vec4(aPos, 1.0);
  // Projections map depth to 0..1; GL clips at -1..1.
  p.z = p.z * 2.0 - p.w;
  gl_Position = p;
  vColor = aColor;
  vUv0 = uTex0On != 0 ? (uTex0 * vec4(aUv, 1.0, 0.0)).xy : aUv;
  if (uTex1Camera != 0) {
    vec4 c = vec4((uWorldView * vec4(aPos, 1.0)).xyz, 1.0);
    vUv1 = uTex1On != 0 ? (uTex1 * c).xy : c.xy;
  } else {
    vUv1 = uTex1On != 0 ? (uTex1 * vec4(aUv, 1.0, 0.0)).xy : aUv;
  }
}
)";

const char* const kFragmentShader = R"(#version 330 core
in vec4 vColor;
in vec2 vUv0;
in vec2 vUv1;
uniform sampler2D uTexture0;
uniform sampler2D uTexture1;
uniform int uSecond;
uniform vec4 uColorMul;
uniform int uFlat;
uniform vec4 uFlatColor;
uniform float uAlphaCut;
out vec4 fragColor;
void main() {
  vec4 c = texture(uTexture0, vUv0) * vColor * uColorMul;
  if (uSecond == 1) c *= texture(uTexture1, vUv1);
  else if (uSecond == 2) c.a *= texture(uTexture1, vUv1).a;
  if (uFlat != 0) c = vec4(uFlatColor.rgb, c.a * uFlatColor.a);
  if (c.a < uAlphaCut) discard;
  fragColor = c;
}
)";

GLuint CompileShader(GLenum kind, const char* source) {
  GLuint shader = glCreateShader(kind);
  glShaderSource(shader, 1, &source, nullptr);
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
    for (GLuint t : mTextures) glDeleteTextures(1, &t);
    mTextures.clear();
    if (mWhite) glDeleteTextures(1, &mWhite);
    if (mVbo) glDeleteBuffers(1, &mVbo);
    if (mEbo) glDeleteBuffers(1, &mEbo);
    if (mVao) glDeleteVertexArrays(1, &mVao);
    if (mProgram) glDeleteProgram(mProgram);
    mWhite = mVbo = mEbo = mVao = mProgram = 0;
    SDL_GL_DeleteContext(mContext);
    mContext = nullptr;
    mWindow = nullptr;
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

  uint32_t CreateTexture(int width, int height, const uint32_t* texels) override {
    if (!mContext || width <= 0 || height <= 0) return 0;
    GLuint id = 0;
    glGenTextures(1, &id);
    glBindTexture(GL_TEXTURE_2D, id);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, texels);
    mTextures.push_back(id);
    return id;
  }

  void UpdateTexture(uint32_t id, int width, int height, const uint32_t* texels) override {
    if (!mContext || !id || !texels) return;
    glBindTexture(GL_TEXTURE_2D, id);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, texels);
  }

  void DeleteTexture(uint32_t id) override {
    auto it = std::find(mTextures.begin(), mTextures.end(), id);
    if (it == mTextures.end()) return;
    mTextures.erase(it);
    if (mContext) {
      GLuint t = id;
      glDeleteTextures(1, &t);
    }
  }

  void Clear(uint32_t color, const SViewport& viewport) override {
    if (!mContext) return;
    int w = 0, h = 0;
    GetBackBufferSize(w, h);
    // Everything outside the virtual screen is black; the viewport gets the colour.
    glDisable(GL_SCISSOR_TEST);
    glViewport(0, 0, w, h);
    glDepthMask(GL_TRUE);
    glClearColor(0, 0, 0, 1);
    glClearDepth(1.0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    if ((color & 0xFFFFFFu) != 0) {
      glEnable(GL_SCISSOR_TEST);
      glScissor(viewport.x, h - viewport.y - viewport.height, viewport.width, viewport.height);
      glClearColor(((color >> 16) & 255) / 255.0f, ((color >> 8) & 255) / 255.0f, (color & 255) / 255.0f, 1.0f);
      glClear(GL_COLOR_BUFFER_BIT);
      glDisable(GL_SCISSOR_TEST);
    }
    glViewport(viewport.x, h - viewport.y - viewport.height, viewport.width, viewport.height);
  }

  void Draw(int primitive, const SVertex* vertices, int vertexCount, const uint32_t* indices, int indexCount,
            const SDrawState& s) override {
    if (!mContext || !vertices || vertexCount <= 0) return;
    glUseProgram(mProgram);
    glBindVertexArray(mVao);
    glBindBuffer(GL_ARRAY_BUFFER, mVbo);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(vertexCount * sizeof(SVertex)), vertices,
                 GL_STREAM_DRAW);

    glUniformMatrix4fv(mU.worldViewProj, 1, GL_FALSE, s.worldViewProj.m);
    glUniformMatrix4fv(mU.worldView, 1, GL_FALSE, s.worldView.m);
    glUniformMatrix4fv(mU.tex0, 1, GL_FALSE, s.tex0Matrix.m);
    glUniformMatrix4fv(mU.tex1, 1, GL_FALSE, s.tex1Matrix.m);
    glUniform1i(mU.tex0On, s.tex0Transform ? 1 : 0);
    glUniform1i(mU.tex1On, s.tex1Transform ? 1 : 0);
    glUniform1i(mU.tex1Camera, s.tex1Source == ETexSource::CameraSpace ? 1 : 0);
    glUniform1i(mU.second, static_cast<int>(s.secondTex));
    glUniform4fv(mU.colorMul, 1, s.colorMul);
    glUniform1i(mU.flat, s.flatColor ? 1 : 0);
    glUniform4fv(mU.flatColor, 1, s.flat);
    glUniform1f(mU.alphaCut, s.alphaCut);

    BindStage(1, s.texture1, s.linearFilter);
    BindStage(0, s.texture0, s.linearFilter);

    switch (s.blend) {
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
    if (s.depthTest) {
      glEnable(GL_DEPTH_TEST);
      glDepthFunc(GL_LEQUAL);
      glDepthMask(s.depthWrite ? GL_TRUE : GL_FALSE);
    } else {
      glDisable(GL_DEPTH_TEST);
      glDepthMask(GL_FALSE);
    }
    if (s.cull == ECull::None) {
      glDisable(GL_CULL_FACE);
    } else {
      glEnable(GL_CULL_FACE);
      glCullFace(GL_BACK);
      glFrontFace(s.cull == ECull::Clockwise ? GL_CCW : GL_CW);
    }

    GLenum mode = primitive == kPrimTriangleStrip ? GL_TRIANGLE_STRIP : GL_TRIANGLES;
    if (indices && indexCount > 0) {
      glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, mEbo);
      glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(indexCount * sizeof(uint32_t)), indices,
                   GL_STREAM_DRAW);
      glDrawElements(mode, indexCount, GL_UNSIGNED_INT, nullptr);
    } else {
      glDrawArrays(mode, 0, vertexCount);
    }
  }

  void Present() override {
    if (mWindow && mContext) SDL_GL_SwapWindow(mWindow);
  }

  bool ReadPixels(int x, int y, int width, int height, std::vector<uint32_t>& out) override {
    out.clear();
    if (!mContext || width <= 0 || height <= 0) return false;
    int w = 0, h = 0;
    GetBackBufferSize(w, h);
    if (x < 0 || y < 0 || x + width > w || y + height > h) return false;
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
  struct Uniforms {
    GLint worldViewProj = -1, worldView = -1, tex0 = -1, tex1 = -1, tex0On = -1, tex1On = -1, tex1Camera = -1;
    GLint second = -1, colorMul = -1, flat = -1, flatColor = -1, alphaCut = -1;
  };

  bool BuildPipeline() {
    GLuint vs = CompileShader(GL_VERTEX_SHADER, kVertexShader);
    GLuint fs = CompileShader(GL_FRAGMENT_SHADER, kFragmentShader);
    if (!vs || !fs) {
      if (vs) glDeleteShader(vs);
      if (fs) glDeleteShader(fs);
      return false;
    }
    mProgram = glCreateProgram();
    glAttachShader(mProgram, vs);
    glAttachShader(mProgram, fs);
    glLinkProgram(mProgram);
    glDeleteShader(vs);
    glDeleteShader(fs);
    GLint ok = 0;
    glGetProgramiv(mProgram, GL_LINK_STATUS, &ok);
    if (!ok) {
      LogMessage(ELogLevel::Error, L"Engine/zuzorev/DeviceGL", __LINE__, L"GL shader link failed.");
      return false;
    }
    glUseProgram(mProgram);
    mU.worldViewProj = glGetUniformLocation(mProgram, "uWorldViewProj");
    mU.worldView = glGetUniformLocation(mProgram, "uWorldView");
    mU.tex0 = glGetUniformLocation(mProgram, "uTex0");
    mU.tex1 = glGetUniformLocation(mProgram, "uTex1");
    mU.tex0On = glGetUniformLocation(mProgram, "uTex0On");
    mU.tex1On = glGetUniformLocation(mProgram, "uTex1On");
    mU.tex1Camera = glGetUniformLocation(mProgram, "uTex1Camera");
    mU.second = glGetUniformLocation(mProgram, "uSecond");
    mU.colorMul = glGetUniformLocation(mProgram, "uColorMul");
    mU.flat = glGetUniformLocation(mProgram, "uFlat");
    mU.flatColor = glGetUniformLocation(mProgram, "uFlatColor");
    mU.alphaCut = glGetUniformLocation(mProgram, "uAlphaCut");
    glUniform1i(glGetUniformLocation(mProgram, "uTexture0"), 0);
    glUniform1i(glGetUniformLocation(mProgram, "uTexture1"), 1);

    glGenVertexArrays(1, &mVao);
    glBindVertexArray(mVao);
    glGenBuffers(1, &mVbo);
    glGenBuffers(1, &mEbo);
    glBindBuffer(GL_ARRAY_BUFFER, mVbo);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, sizeof(SVertex), reinterpret_cast<void*>(0));
    // Packed 0xAARRGGBB is B, G, R, A in memory: GL_BGRA reads it as RGBA.
    glEnableVertexAttribArray(1);
    glVertexAttribPointer(1, GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE, sizeof(SVertex), reinterpret_cast<void*>(12));
    glEnableVertexAttribArray(2);
    glVertexAttribPointer(2, 2, GL_FLOAT, GL_FALSE, sizeof(SVertex), reinterpret_cast<void*>(16));

    const uint32_t white = 0xFFFFFFFFu;
    glGenTextures(1, &mWhite);
    glBindTexture(GL_TEXTURE_2D, mWhite);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 1, 1, 0, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, &white);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    return glGetError() == GL_NO_ERROR;
  }

  void BindStage(int stage, uint32_t texture, bool linear) {
    glActiveTexture(GL_TEXTURE0 + stage);
    glBindTexture(GL_TEXTURE_2D, texture ? texture : mWhite);
    if (texture) {
      GLint f = linear ? GL_LINEAR : GL_NEAREST;
      glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, f);
      glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, f);
    }
  }

  SDL_Window* mWindow = nullptr;
  SDL_GLContext mContext = nullptr;
  ESurfaceQuery mSurfaceQuery = ESurfaceQuery::Sdl;
  GLuint mProgram = 0, mVao = 0, mVbo = 0, mEbo = 0, mWhite = 0;
  Uniforms mU;
  std::vector<GLuint> mTextures;
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
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
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
