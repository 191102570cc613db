#include "Platform/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace Platform {

namespace {

std::atomic<int> gFailpoint{kAtomicWriteNoFailure};

std::string Describe(const char* what, const std::filesystem::path& path, int err) {
  std::string text = std::string(what) + " " + path.string();
  if (err) text += std::string(": ") + std::strerror(err);
  return text;
}

// Makes the rename itself durable; a failure here loses nothing already
// written, so it is not reported.
void SyncFolder(const std::filesystem::path& folder) {
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

void SetAtomicWriteFailpointForTests(int stage) { gFailpoint = stage; }

bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes, std::string* error) {
  auto fail = [&](const char* what, int err) {
    if (error) *error = Describe(what, path, err);
    return false;
  };
  if (!path.has_filename()) return fail("cannot write", EISDIR);

  std::string temp = path.native() + std::string(kAtomicTempMarker) + std::string(kAtomicTempRandomChars, 'X');
  const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
  if (fd < 0) return fail("cannot create a temporary file for", errno);
  auto discard = [&](const char* what, int err) {
    ::unlink(temp.c_str());
    return fail(what, err);
  };

  // Keep the permissions the player's file already had (mkstemp makes 0600).
  struct stat old {};
  if (::stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode)) ::fchmod(fd, old.st_mode & 07777);

  std::FILE* file = ::fdopen(fd, "wb");
  if (!file) {
    const int err = errno;
    ::close(fd);
    return discard("cannot write", err);
  }
  bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  ok = ok && std::fflush(file) == 0 && ::fsync(::fileno(file)) == 0;
  int err = ok ? 0 : errno;
  if (std::fclose(file) != 0 && ok) {
    ok = false;
    err = errno;
  }
  if (!ok) return discard("cannot write", err);
  if (gFailpoint == kAtomicWriteFailBeforeRename) return discard("interrupted while writing", 0);
  if (gFailpoint == kAtomicWriteKilledBeforeRename) return fail("killed while writing", 0);
  if (std::rename(temp.c_str(), path.c_str()) != 0) return discard("cannot replace", errno);
  SyncFolder(path.parent_path());
  return true;
}

bool IsAtomicWriteLeftover(const std::filesystem::path& fileName) {
  const std::string& name = fileName.native();
  const size_t tail = kAtomicTempMarker.size() + kAtomicTempRandomChars;
  if (name.size() <= tail || name.find('/') != std::string::npos) return false;
  const size_t marker = name.size() - tail;
  if (name.compare(marker, kAtomicTempMarker.size(), kAtomicTempMarker) != 0) return false;
  for (size_t i = marker + kAtomicTempMarker.size(); i < name.size(); ++i) {
    const char c = name[i];
    if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))) return false;
  }
  return true;
}

std::vector<std::filesystem::path> RemoveAtomicWriteLeftovers(const std::filesystem::path& folder,
                                                              std::vector<std::filesystem::path>* failed) {
  std::vector<std::filesystem::path> removed;
  std::error_code ec;
  std::filesystem::directory_iterator it(folder, ec), end;
  for (; !ec && it != end; it.increment(ec)) {
    const std::filesystem::path& path = it->path();
    std::error_code typeError;
    // A symbolic link or a folder of that name was not made by a write.
    if (!IsAtomicWriteLeftover(path.filename()) || !it->is_regular_file(typeError) ||
        it->is_symlink(typeError))
      continue;
    std::error_code removeError;
    if (std::filesystem::remove(path, removeError))
      removed.push_back(path);
    else if (failed)
      failed->push_back(path);
  }
  return removed;
}

bool ReadWholeFile(const std::filesystem::path& path, std::string& bytes) {
  // Only regular files: a pipe or a device could block or never end
  // (O_NONBLOCK keeps the open itself from waiting on a pipe).
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return false;
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    return false;
  }
  std::string data;
  data.reserve(static_cast<size_t>(info.st_size));
  char buffer[65536];
  bool ok = true;
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n > 0) {
      data.append(buffer, static_cast<size_t>(n));
    } else if (n == 0) {
      break;
    } else if (errno != EINTR) {
      ok = false;
      break;
    }
  }
  ::close(fd);
  if (ok) bytes.swap(data);
  return ok;
}

}  // namespace Platform
