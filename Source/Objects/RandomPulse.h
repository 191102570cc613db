#pragma once
// A value that flickers: it glides in a straight line from where it stands
// to a random target over a random time, then picks the next target and
// time, for ever. Scenes step it with the frame time and read it as an
// alpha or a brightness.
class RandomPulse {
 public:
  // Back to the first glide: from 0 towards 1 over one second.
  void Init();
  // Targets in valueMin .. valueMin + valueRange, glide times in
  // timeMin .. timeMin + timeRange.
  void SetRanges(float valueMin, float valueRange, float timeMin, float timeRange);
  void Update(float dt);
  float GetValue() const { return mValue; }

  float GetTarget() const { return mTo; }
  float GetDuration() const { return mDuration; }
  float GetProgress() const { return mT; }

 private:
  float mT = 0.0f;
  float mDuration = 1.0f;
  float mValue = 0.0f;
  float mFrom = 0.0f;
  float mTo = 1.0f;
  float mValueMin = 0.2f;
  float mTimeMin = 0.05f;
  float mValueRange = 0.5f;
  float mTimeRange = 0.13f;
};
