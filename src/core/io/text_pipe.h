#pragma once

#include <condition_variable>
#include <cstdio>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>

namespace quillfen {

// Hands text from a writing thread to a reading one in blocks, so that a
// statement can be converted and read at the same time. The reading side is a
// stream, as a file would be; it ends once the writer has closed and every
// block is read. At most a few megabytes wait in between.
class TextPipe {
 public:
  TextPipe();
  ~TextPipe();
  TextPipe(const TextPipe&) = delete;
  TextPipe& operator=(const TextPipe&) = delete;

  // False once the reader has gone: the writer may stop.
  bool Write(std::string_view text);
  void CloseWriter();

  std::FILE* Reader() { return reader_; }
  // Work for the reading thread while no text waits for it: called again and
  // again while it returns true; then the reader sleeps until text comes. Set
  // and run on the reading thread only; it must not throw.
  void WhileWaiting(std::function<bool()> work) { idleWork_ = std::move(work); }
  // Unblocks and fails the writer's next Write.
  void CloseReader();

 private:
  std::size_t Read(char* buffer, std::size_t size);

  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<std::string> blocks_;
  std::size_t offset_ = 0;  // read so far of the first block
  std::size_t queued_ = 0;
  bool writerClosed_ = false;
  bool readerClosed_ = false;
  std::FILE* reader_ = nullptr;
  std::function<bool()> idleWork_;
};

}  // namespace quillfen
