#include "input_stream.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

namespace quillfen::cli {

namespace {

// Opens a pipe without waiting for its writer, then reads it as a stream.
int OpenStream(const std::string& path) {
  if (path == "-") return ::dup(STDIN_FILENO);
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd >= 0) ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  return fd;
}

}  // namespace

bool IsStream(const std::string& path) {
  struct stat status {};
  if (path == "-") return true;
  if (::stat(path.c_str(), &status) != 0) return false;
  return S_ISFIFO(status.st_mode) || S_ISSOCK(status.st_mode) || S_ISCHR(status.st_mode);
}

std::string CopyStream(const std::string& path, const std::string& copyPath, long long limit) {
  const int fd = OpenStream(path);
  if (fd < 0) return std::strerror(errno);
  std::FILE* copy = std::fopen(copyPath.c_str(), "wb");
  if (!copy) {
    const int error = errno;
    ::close(fd);
    return "cannot write " + copyPath + ": " + std::strerror(error);
  }
  std::string failure;
  std::vector<char> buffer(1 << 16);
  long long total = 0;
  for (;;) {
    const ssize_t got = ::read(fd, buffer.data(), buffer.size());
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      failure = std::strerror(errno);
      break;
    }
    if (got == 0) break;
    total += got;
    if (total > limit) {
      failure = "larger than " + std::to_string(limit >> 20) + " MB, more than any report";
      break;
    }
    if (std::fwrite(buffer.data(), 1, static_cast<std::size_t>(got), copy) !=
        static_cast<std::size_t>(got)) {
      failure = "cannot write " + copyPath + ": " + std::strerror(errno);
      break;
    }
  }
  ::close(fd);
  if (std::fclose(copy) != 0 && failure.empty())
    failure = "cannot write " + copyPath + ": " + std::strerror(errno);
  if (!failure.empty()) std::remove(copyPath.c_str());
  return failure;
}

}  // namespace quillfen::cli
