#include "io/text_pipe.h"

#include <sys/types.h>

#include <algorithm>
#include <cstring>
#include <new>

namespace quillfen {

namespace {

constexpr std::size_t kMostQueued = 1 << 18;
constexpr std::size_t kReadSize = 1 << 16;

}  // namespace

TextPipe::TextPipe() {
  cookie_io_functions_t functions{};
  functions.read = [](void* pipe, char* buffer, std::size_t size) -> ssize_t {
    return static_cast<ssize_t>(static_cast<TextPipe*>(pipe)->Read(buffer, size));
  };
  reader_ = fopencookie(this, "r", functions);
  if (!reader_) throw std::bad_alloc();
  // The stream's own buffer would ask for a few kilobytes at a time, each
  // taking the lock and waking the writer.
  if (std::setvbuf(reader_, nullptr, _IOFBF, kReadSize) != 0) throw std::bad_alloc();
}

TextPipe::~TextPipe() {
  if (reader_) std::fclose(reader_);
}

bool TextPipe::Write(std::string_view text) {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [&] { return readerClosed_ || queued_ < kMostQueued; });
  if (readerClosed_) return false;
  if (text.empty()) return true;
  blocks_.emplace_back(text);
  queued_ += text.size();
  changed_.notify_all();
  return true;
}

void TextPipe::CloseWriter() {
  std::lock_guard lock(mutex_);
  writerClosed_ = true;
  changed_.notify_all();
}

void TextPipe::CloseReader() {
  std::lock_guard lock(mutex_);
  readerClosed_ = true;
  changed_.notify_all();
}

std::size_t TextPipe::Read(char* buffer, std::size_t size) {
  std::unique_lock lock(mutex_);
  for (bool more = true; more && idleWork_ && blocks_.empty() && !writerClosed_;) {
    lock.unlock();
    more = idleWork_();
    lock.lock();
  }
  changed_.wait(lock, [&] { return !blocks_.empty() || writerClosed_; });
  std::size_t copied = 0;
  while (copied < size && !blocks_.empty()) {
    const std::string& block = blocks_.front();
    const std::size_t n = std::min(size - copied, block.size() - offset_);
    std::memcpy(buffer + copied, block.data() + offset_, n);
    copied += n;
    offset_ += n;
    if (offset_ == block.size()) {
      blocks_.pop_front();
      offset_ = 0;
    }
  }
  queued_ -= copied;
  changed_.notify_all();
  return copied;
}

}  // namespace quillfen
