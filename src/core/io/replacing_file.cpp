#include "io/replacing_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <random>
#include <vector>

namespace quillfen {

namespace {

std::string Folder(const std::string& path) {
  std::filesystem::path parent = std::filesystem::path(path).parent_path();
  return parent.empty() ? std::string(".") : parent.string();
}

// A hidden name beside the path that `take` manages to claim, trying other
// random names while the one tried exists; empty (errno set) when none is taken.
std::string ClaimSiblingName(const std::string& path, const char* kind,
                             const std::function<bool(const std::string&)>& take) {
  std::random_device seed;
  std::mt19937 random(seed());
  const std::string stem =
      Folder(path) + "/." + std::filesystem::path(path).filename().string() + kind;
  for (int attempt = 0; attempt < 16; ++attempt) {
    std::string name = stem + std::to_string(random() % 1000000);
    if (take(name)) return name;
    if (errno != EEXIST) break;
  }
  return {};
}

// A second name for a target's old content while a group of files goes in.
struct KeptOld {
  std::string path;    // empty when there was no old file
  bool moved = false;  // renamed away, not linked: the target's name is free meanwhile
};

bool KeepOld(const std::string& target, KeptOld& kept) {
  struct stat existing;
  if (::lstat(target.c_str(), &existing) != 0) return errno == ENOENT;
  // What took the target's name since Open (a folder) is no old content to put back.
  if (!S_ISREG(existing.st_mode)) {
    errno = S_ISDIR(existing.st_mode) ? EISDIR : EINVAL;
    return false;
  }
  kept.path = ClaimSiblingName(target, ".old", [&](const std::string& name) {
    return ::link(target.c_str(), name.c_str()) == 0;
  });
  if (!kept.path.empty()) return true;
  // Some file systems (FAT on a memory stick) have no hard links.
  if (errno != EPERM && errno != EOPNOTSUPP) return false;
  kept.moved = true;
  kept.path = ClaimSiblingName(target, ".old", [&](const std::string& name) {
    struct stat taken;
    if (::lstat(name.c_str(), &taken) == 0) {
      errno = EEXIST;
      return false;
    }
    return ::rename(target.c_str(), name.c_str()) == 0;
  });
  return !kept.path.empty();
}

void PutBack(const std::string& target, const KeptOld& kept, bool installed) {
  if (kept.path.empty()) {
    if (installed) ::unlink(target.c_str());
  } else if (installed || kept.moved) {
    ::rename(kept.path.c_str(), target.c_str());
  } else {
    ::unlink(kept.path.c_str());
  }
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
  temporaryPath_ = ClaimSiblingName(path_, ".tmp", [this](const std::string& name) {
    fd_ = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    return fd_ >= 0;
  });
  if (fd_ < 0) return Fail(std::strerror(errno));
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

bool ReplacingFile::Finish() {
  if (fd_ < 0) return false;
  if (keepMode_) ::fchmod(fd_, mode_);
  int closed = ::close(fd_);
  fd_ = -1;
  if (closed != 0) return Fail(std::strerror(errno));
  return true;
}

bool ReplacingFile::Commit() {
  if (!Finish()) return false;
  if (std::rename(temporaryPath_.c_str(), path_.c_str()) != 0) return Fail(std::strerror(errno));
  temporaryPath_.clear();
  return true;
}

bool CommitTogether(std::initializer_list<ReplacingFile*> files) {
  const std::vector<ReplacingFile*> list(files);
  auto abandon = [&](std::size_t installed, const std::vector<KeptOld>& kept) {
    for (std::size_t i = 0; i < kept.size(); ++i) PutBack(list[i]->path_, kept[i], i < installed);
    for (ReplacingFile* file : list) file->Discard();
    return false;
  };
  for (ReplacingFile* file : list) {
    if (!file->Finish()) return abandon(0, {});
  }
  // Every old file keeps a second name until all new ones are in place.
  std::vector<KeptOld> kept;
  for (ReplacingFile* file : list) {
    kept.emplace_back();
    if (!KeepOld(file->path_, kept.back())) {
      file->error_ = std::strerror(errno);
      kept.pop_back();
      return abandon(0, kept);
    }
  }
  for (std::size_t i = 0; i < list.size(); ++i) {
    ReplacingFile& file = *list[i];
    if (std::rename(file.temporaryPath_.c_str(), file.path_.c_str()) != 0) {
      file.error_ = std::strerror(errno);
      return abandon(i, kept);
    }
    file.temporaryPath_.clear();
  }
  for (const KeptOld& old : kept) {
    if (!old.path.empty()) ::unlink(old.path.c_str());
  }
  return true;
}

bool WriteWholeFile(const std::string& path, std::string_view bytes, std::string* error) {
  ReplacingFile file(path);
  bool written = file.Open() && file.Write(bytes) && file.Commit();
  if (!written && error) *error = file.Error();
  return written;
}

}  // namespace quillfen
