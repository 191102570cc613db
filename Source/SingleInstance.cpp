#include "SingleInstance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstdio>
#include <cstring>

#include "GameLog.h"
#include "Platform/Paths.h"

namespace {

const wchar_t* const kSource = L"Source/SingleInstance";
const char* const kLockFileName = "instance.lock";

// The socket lives in the abstract namespace (no file, no length limit from
// the folder's path): its name is a hash of the folder.
sockaddr_un SocketAddress(const std::filesystem::path& folder, socklen_t& length) {
  uint64_t hash = 14695981039346656037ull;  // FNV-1a: the same in every process
  for (unsigned char c : folder.lexically_normal().string()) {
    hash ^= c;
    hash *= 1099511628211ull;
  }
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const int n = std::snprintf(address.sun_path + 1, sizeof(address.sun_path) - 1, "LanternHallTale-%016llx",
                              static_cast<unsigned long long>(hash));
  length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + n);
  return address;
}

}  // namespace

SingleInstance::~SingleInstance() { Release(); }

bool SingleInstance::Acquire(const std::filesystem::path& folder) {
  Release();
  const std::filesystem::path lockPath = folder / kLockFileName;
  const int fd = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) {
    gamelog::Warning(kSource, __LINE__, L"Instance lock %s cannot be made: %hs", Platform::FromPath(lockPath).c_str(),
                     std::strerror(errno));
    return true;
  }
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    ::close(fd);
    return false;
  }
  mLockFd = fd;

  socklen_t length = 0;
  const sockaddr_un address = SocketAddress(folder, length);
  mListenFd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (mListenFd >= 0 && (::bind(mListenFd, reinterpret_cast<const sockaddr*>(&address), length) != 0 ||
                         ::listen(mListenFd, 4) != 0)) {
    ::close(mListenFd);
    mListenFd = -1;
  }
  if (mListenFd < 0)
    gamelog::Warning(kSource, __LINE__, L"A second start cannot raise this window: %hs", std::strerror(errno));
  return true;
}

bool SingleInstance::IsHeldElsewhere(const std::filesystem::path& folder) {
  const int fd = ::open((folder / kLockFileName).c_str(), O_RDWR | O_CLOEXEC);
  if (fd < 0) return false;  // no lock file: nobody ever ran here
  const bool held = ::flock(fd, LOCK_EX | LOCK_NB) != 0;
  ::close(fd);
  return held;
}

bool SingleInstance::Poke(const std::filesystem::path& folder) {
  socklen_t length = 0;
  const sockaddr_un address = SocketAddress(folder, length);
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  bool sent = false;
  if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), length) == 0) {
    const char raise = 'R';
    sent = ::send(fd, &raise, 1, MSG_NOSIGNAL) == 1;
  }
  ::close(fd);
  return sent;
}

bool SingleInstance::TakeRaiseRequest() {
  if (mListenFd < 0) return false;
  bool poked = false;
  for (;;) {
    const int fd = ::accept4(mListenFd, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd < 0) break;
    poked = true;
    ::close(fd);
  }
  return poked;
}

void SingleInstance::Release() {
  if (mListenFd >= 0) ::close(mListenFd);
  mListenFd = -1;
  if (mLockFd >= 0) ::close(mLockFd);  // closing gives the lock back
  mLockFd = -1;
}
