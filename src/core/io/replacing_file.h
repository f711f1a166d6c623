#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace quillfen {

// Writes a file so that its old content stays whole until the new content is
// complete: the bytes go to a temporary file beside the target, which is
// renamed over it on Commit. A writer destroyed without Commit removes its
// temporary file and leaves the target as it was.
class ReplacingFile {
 public:
  explicit ReplacingFile(std::string path);
  ~ReplacingFile();
  ReplacingFile(const ReplacingFile&) = delete;
  ReplacingFile& operator=(const ReplacingFile&) = delete;

  // False when the target cannot be written: its folder is missing or closed
  // to us, it is a directory, or it is an existing file without write permission.
  bool Open();
  bool Write(std::string_view bytes);
  bool Commit();

  // What went wrong last, for command-line messages.
  const std::string& Error() const { return error_; }

  friend bool CommitTogether(std::initializer_list<ReplacingFile*> files);

 private:
  bool Fail(const std::string& what);
  bool Finish();
  void Discard();

  std::string path_;
  std::string temporaryPath_;
  std::string error_;
  int fd_ = -1;
  unsigned mode_ = 0666;
  bool keepMode_ = false;
};

// Commits opened and written files so that every target takes its new content
// or every target keeps its old one. On failure all temporary files are gone
// and the file that failed holds the reason in Error().
bool CommitTogether(std::initializer_list<ReplacingFile*> files);

// Replaces (or creates) the file with these bytes; the reason of a failure in *error.
bool WriteWholeFile(const std::string& path, std::string_view bytes, std::string* error = nullptr);

}  // namespace quillfen
