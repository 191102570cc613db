#pragma once
// A video shown as a rectangle: a cut-scene clip, or a scene object
// ("VIDEO_OBJ") whose Properties name its file. Pictures are decoded by
// zorvideo; the object is a render object like any other (position, scale,
// orientation, world matrix, alpha, visibility, 2D or scene space) and
// draws the current picture as one textured quad through the render system
// of its core.
//
// The rectangle lies in the object's x-z plane, centred on its position:
// x across from -width/2 to width/2, z up from -height/2 to height/2, the
// picture's top row at the top. In 2D mode a rectangle at the origin with
// 1024 x 768 units covers the virtual screen.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "Engine/rovovoz/BaseGeometryObject.h"

class TiXmlElement;

namespace zorvideo {
class CVideoClip;
class CVideoPlayer;
}  // namespace zorvideo

namespace zuzorev {
class CTexture;
}

namespace rovovoz {

class CMouseCursor;

class CVideoObject3D : public CBaseGeometryObject {
 public:
  // Plays through the core's video player and draws through its render
  // system. A null core plays through the current player and draws nothing.
  explicit CVideoObject3D(CGameCore* core);
  // Plays through the given player, or the current one when null; without
  // a core nothing is drawn.
  explicit CVideoObject3D(zorvideo::CVideoPlayer* player = nullptr);
  // Neither (keeps a literal null from being ambiguous): the current player.
  explicit CVideoObject3D(std::nullptr_t) : CVideoObject3D(static_cast<zorvideo::CVideoPlayer*>(nullptr)) {}
  ~CVideoObject3D() override;
  CVideoObject3D(const CVideoObject3D&) = delete;
  CVideoObject3D& operator=(const CVideoObject3D&) = delete;

  // Opens videoFile (resolved by the file system among the videos) as a
  // rectangle of width x height units. 1, or 0 with an error in the log
  // when the file is missing or holds no video that can be decoded.
  int32_t CreateClip(int32_t width, int32_t height, const std::wstring& clipName, const std::wstring& videoFile,
                     int32_t flags);
  // A scene object: Properties gives File, and optionally Name, Width and
  // Height (the picture's size when absent). 0, or E_FAIL when no clip was made.
  int32_t Load(const TiXmlElement* properties, const std::wstring& renderFile, uint32_t flags) override;
  using CBaseGeometryObject::Load;

  void Play(float fadeIn);
  void PlayLoop(float fadeIn);
  // Fades the sound out over fade seconds, then stops on the picture reached.
  void Stop(float fade);
  // Stop(0.0) must not be ambiguous between the fade and the engine's Stop(mode).
  void Stop(double fade) { Stop(static_cast<float>(fade)); }
  // The engine's stop of a render object (a scene resetting its objects):
  // the clip stops at once on the picture reached. 1.
  int32_t Stop(int mode) override;
  void UnPause();
  void SetVolume(float volume);
  // Moves the clip's time on by dt; the cursor is not used.
  int32_t Update(float dt, CMouseCursor* cursor) override;
  // Draws the current picture while visible; the texture takes a picture
  // only when the clip has moved on to a new one. 0.
  int32_t Render() override;
  // Gives the picture's texture back (made again by the next Render). 1.
  int32_t UnLoad(uint32_t flags) override;
  // Gives the texture and the clip back. 0.
  int32_t Release(uint32_t flags = 0) override;

  bool IsPlaying() const;
  // True once a clip played once has shown its last picture.
  bool IsFinished() const;
  const std::wstring& GetClipName() const { return mClipName; }
  int32_t GetClipWidth() const { return mWidth; }
  int32_t GetClipHeight() const { return mHeight; }
  // The current picture: GetFrameWidth() x GetFrameHeight() texels
  // 0xAARRGGBB, row 0 at the top; null before a clip is made.
  const uint32_t* GetFrame() const;
  int GetFrameWidth() const;
  int GetFrameHeight() const;
  zorvideo::CVideoClip* GetClip() const { return mClip.get(); }

 private:
  // Brings the texture up to the clip's current picture. False when there
  // is nothing to draw with.
  bool UpdateTexture();

  zorvideo::CVideoPlayer* mPlayer;
  std::unique_ptr<zorvideo::CVideoClip> mClip;
  std::wstring mClipName;
  int32_t mWidth = 0;
  int32_t mHeight = 0;

  std::unique_ptr<zuzorev::CTexture> mTexture;
  // Which picture the texture holds: the clip it came from (each CreateClip
  // makes a new one) and the picture's index in it; -1 none.
  uint32_t mClipSerial = 0;
  uint32_t mShownSerial = 0;
  int mShownFrame = -1;
};

}  // namespace rovovoz
