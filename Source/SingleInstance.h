#pragma once
// One running game per player folder. The first start takes a lock file in
// the per-user data folder and listens on a local socket named after that
// folder; a second start finds the lock taken, pokes the first through the
// socket (which then raises its window) and ends.
#include <filesystem>
#include <string>

class SingleInstance {
 public:
  SingleInstance() = default;
  ~SingleInstance();
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;

  // Takes the lock of the folder and starts listening for pokes. False when
  // another running game holds it. A folder whose lock file cannot be made
  // at all does not stop the game (true, logged as a warning).
  bool Acquire(const std::filesystem::path& folder);
  // True when another running game holds the folder's lock (the lock is
  // not kept).
  static bool IsHeldElsewhere(const std::filesystem::path& folder);
  // Asks the game holding the folder's lock to raise its window. False when
  // nobody listens.
  static bool Poke(const std::filesystem::path& folder);
  // True when pokes arrived since the last call (each is answered once).
  bool TakeRaiseRequest();
  // Gives the lock and the socket back.
  void Release();

  bool IsHeld() const { return mLockFd >= 0; }

 private:
  int mLockFd = -1;
  int mListenFd = -1;
};
