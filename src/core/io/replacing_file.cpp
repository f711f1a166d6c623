#include "io/replacing_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>

namespace quillfen {

namespace {

std::string Folder(const std::string& path) {
  std::filesystem::path parent = std::filesystem::path(path).parent_path();
  return parent.empty() ? std::string(".") : parent.string();
}

}  // namespace

ReplacingFile::ReplacingFile(std::string path) : path_(std::move(path)) {}

ReplacingFile::~ReplacingFile() {
  Discard();
}

bool ReplacingFile::Fail(const std::string& what) {
  error_ = what;
  Discard();
  return false;
}

void ReplacingFile::Discard() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  if (!temporaryPath_.empty()) ::unlink(temporaryPath_.c_str());
  temporaryPath_.clear();
}

bool ReplacingFile::Open() {
  if (path_.empty()) return Fail("no file name");
  // Write through a symbolic link to the file it names, keeping the link.
  std::error_code ec;
  if (std::filesystem::is_symlink(path_, ec)) {
    auto target = std::filesystem::canonical(path_, ec);
    if (!ec) path_ = target.string();
  }
  struct stat existing;
  if (::stat(path_.c_str(), &existing) == 0) {
    if (S_ISDIR(existing.st_mode)) return Fail(std::strerror(EISDIR));
    if (!S_ISREG(existing.st_mode)) return Fail("not a regular file");
    // A file without write permission stays untouched, even for a superuser.
    if ((existing.st_mode & 0222) == 0 || ::access(path_.c_str(), W_OK) != 0)
      return Fail(std::strerror(EACCES));
    mode_ = existing.st_mode & 07777;
    keepMode_ = true;
  }
  std::random_device seed;
  std::mt19937 random(seed());
  const std::string stem = Folder(path_) + "/." + std::filesystem::path(path_).filename().string();
  for (int attempt = 0; attempt < 16 && fd_ < 0; ++attempt) {
    temporaryPath_ = stem + ".tmp" + std::to_string(random() % 1000000);
    fd_ = ::open(temporaryPath_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd_ < 0 && errno != EEXIST) break;
  }
  if (fd_ < 0) {
    temporaryPath_.clear();
    return Fail(std::strerror(errno));
  }
  return true;
}

bool ReplacingFile::Write(std::string_view bytes) {
  if (fd_ < 0) return false;
  while (!bytes.empty()) {
    ssize_t written = ::write(fd_, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return Fail(std::strerror(errno));
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

bool ReplacingFile::Commit() {
  if (fd_ < 0) return false;
  if (keepMode_) ::fchmod(fd_, mode_);
  int closed = ::close(fd_);
  fd_ = -1;
  if (closed != 0) return Fail(std::strerror(errno));
  if (std::rename(temporaryPath_.c_str(), path_.c_str()) != 0) return Fail(std::strerror(errno));
  temporaryPath_.clear();
  return true;
}

bool WriteWholeFile(const std::string& path, std::string_view bytes, std::string* error) {
  ReplacingFile file(path);
  bool written = file.Open() && file.Write(bytes) && file.Commit();
  if (!written && error) *error = file.Error();
  return written;
}

}  // namespace quillfen
