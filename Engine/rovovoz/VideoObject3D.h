#pragma once
// A video shown as a rectangle: a cut-scene clip, or a scene object
// ("VIDEO_OBJ") whose Properties name its file. Pictures are decoded by
// zorvideo; the object keeps the rectangle's size, its alpha and whether it
// is drawn in 2D (interface) or scene space, and hands the current picture
// to the drawing side through GetFrame.
#include <cstdint>
#include <memory>
#include <string>

class TiXmlElement;

namespace zorvideo {
class CVideoClip;
class CVideoPlayer;
}  // namespace zorvideo

namespace rovovoz {

class CMouseCursor;

class CVideoObject3D {
 public:
  // Plays through the given player, or the current one when null.
  explicit CVideoObject3D(zorvideo::CVideoPlayer* player = nullptr);
  virtual ~CVideoObject3D();
  CVideoObject3D(const CVideoObject3D&) = delete;
  CVideoObject3D& operator=(const CVideoObject3D&) = delete;

  // Opens videoFile (resolved by the file system among the videos) as a
  // rectangle of width x height units. 1, or 0 with an error in the log
  // when the file is missing or holds no video that can be decoded.
  int32_t CreateClip(int32_t width, int32_t height, const std::wstring& clipName, const std::wstring& videoFile,
                     int32_t flags);
  // A scene object: Properties gives File, and optionally Name, Width and
  // Height (the picture's size when absent). 0, or E_FAIL when no clip was made.
  virtual int32_t Load(const TiXmlElement* properties, const std::wstring& renderFile, uint32_t flags);

  void Play(float fadeIn);
  void PlayLoop(float fadeIn);
  // Fades the sound out over fade seconds, then stops on the picture reached.
  void Stop(float fade);
  void UnPause();
  void SetVolume(float volume);
  // Moves the clip's time on by dt; the cursor is not used.
  virtual int32_t Update(float dt, CMouseCursor* cursor);
  // The drawing of the picture belongs to the render system's streaming
  // textures; until they take it, nothing is drawn here.
  virtual int32_t Render();
  virtual void SetAlpha(float alpha);
  float GetAlpha() const { return mAlpha; }
  void SetRender2D(int32_t render2D) { mRender2D = render2D != 0; }
  bool GetRender2D() const { return mRender2D; }

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
  zorvideo::CVideoPlayer* mPlayer;
  std::unique_ptr<zorvideo::CVideoClip> mClip;
  std::wstring mClipName;
  int32_t mWidth = 0;
  int32_t mHeight = 0;
  float mAlpha = 1.0f;
  bool mRender2D = false;
};

}  // namespace rovovoz
