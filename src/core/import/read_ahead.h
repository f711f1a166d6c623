#pragma once

#include <array>
#include <condition_variable>
#include <cstddef>
#include <exception>
#include <functional>
#include <mutex>
#include <new>
#include <string>
#include <string_view>
#include <system_error>
#include <thread>
#include <vector>

namespace quillfen {

// A line of a page as the reader takes it: its text, the blanks its
// conversion dropped and its number in the page.
struct AheadLine {
  std::string_view text;
  std::string_view blanks;
  long long number = 0;
};

// What can be made of each line on its own is made on a second thread, a batch
// of lines ahead of the reader, which then takes the lines in their order with
// what was made of them. A page of fewer lines than a batch is read on this
// thread alone, each line taken as it comes: a thread would cost more than it
// saves there.
template <class Reading>
class ReadAhead {
 public:
  // read may run on the second thread: it must use nothing that take changes.
  using Read = std::function<void(std::string_view line, Reading& reading)>;
  using Take = std::function<void(const AheadLine& line, Reading& reading)>;

  // Work for the second thread while no batch waits for it: called again and
  // again while it returns true, and once more after every batch.
  using Idle = std::function<bool()>;

  ReadAhead(std::size_t linesPerBatch, Read read, Take take, Idle idle)
      : linesPerBatch_(linesPerBatch),
        read_(std::move(read)),
        take_(std::move(take)),
        idle_(std::move(idle)) {}
  ReadAhead(const ReadAhead&) = delete;
  ReadAhead& operator=(const ReadAhead&) = delete;
  ~ReadAhead() { Stop(); }

  void Add(const AheadLine& line) {
    if (!second_.joinable() && added_ < linesPerBatch_) {
      ++added_;
      read_(line.text, alone_);
      take_(line, alone_);
      return;
    }
    if (!second_.joinable()) Start();
    Batch& batch = batches_[filling_ % kBatches];
    batch.Add(line);
    if (batch.Size() == linesPerBatch_) Hand();
  }

  // Takes the lines still waiting; a failure on the second thread reaches the caller.
  void Finish() {
    if (!second_.joinable()) return;
    if (batches_[filling_ % kBatches].Size() > 0) Hand();
    while (taken_ < filling_) TakeBatch();
    Stop();
  }

 private:
  // Batches in flight: one filled, one taken, the others read or waiting to
  // be, so that neither thread waits for the other at every batch.
  static constexpr std::size_t kBatches = 6;

  struct Batch {
    std::string text;  // the lines and their blanks, one after the other
    struct Place {
      std::size_t at, size, blanksSize;
      long long number;
    };
    std::vector<Place> places;
    std::vector<Reading> readings;

    std::size_t Size() const { return places.size(); }
    void Add(const AheadLine& line) {
      places.push_back({text.size(), line.text.size(), line.blanks.size(), line.number});
      text.append(line.text).append(line.blanks);
    }
    AheadLine Line(std::size_t n) const {
      const Place& p = places[n];
      const std::string_view all(text);
      return {all.substr(p.at, p.size), all.substr(p.at + p.size, p.blanksSize), p.number};
    }
    void Clear() {
      text.clear();
      places.clear();
    }
  };

  void Start() {
    try {
      second_ = std::thread([this] { ReadBatches(); });
    } catch (const std::system_error& e) {
      if (e.code() == std::errc::resource_unavailable_try_again) throw std::bad_alloc();
      throw;
    }
  }

  // Hands the batch being filled to the second thread, then takes those read
  // already; it waits for one only when every batch is in use.
  void Hand() {
    {
      std::lock_guard lock(mutex_);
      handed_ = ++filling_;
    }
    changed_.notify_all();
    while (taken_ < filling_ && (filling_ - taken_ == kBatches || IsRead(taken_))) TakeBatch();
  }

  bool IsRead(std::size_t batch) {
    std::lock_guard lock(mutex_);
    return readUpTo_ > batch || failure_;
  }

  void TakeBatch() {
    {
      std::unique_lock lock(mutex_);
      changed_.wait(lock, [&] { return readUpTo_ > taken_ || failure_; });
      if (failure_) std::rethrow_exception(failure_);
    }
    Batch& batch = batches_[taken_ % kBatches];
    for (std::size_t n = 0; n < batch.Size(); ++n) take_(batch.Line(n), batch.readings[n]);
    batch.Clear();
    ++taken_;
  }

  void ReadBatches() {
    for (std::size_t next = 0;; ++next) {
      try {
        std::unique_lock lock(mutex_);
        for (bool more = true; more && handed_ <= next && !stop_;) {
          lock.unlock();
          more = idle_();
          lock.lock();
        }
        changed_.wait(lock, [&] { return handed_ > next || stop_; });
        if (handed_ <= next) return;
        lock.unlock();
        Batch& batch = batches_[next % kBatches];
        batch.readings.resize(batch.Size());
        for (std::size_t n = 0; n < batch.Size(); ++n) read_(batch.Line(n).text, batch.readings[n]);
      } catch (...) {
        std::lock_guard lock(mutex_);
        failure_ = std::current_exception();
        changed_.notify_all();
        return;
      }
      {
        std::lock_guard lock(mutex_);
        readUpTo_ = next + 1;
      }
      changed_.notify_all();
    }
  }

  void Stop() {
    if (!second_.joinable()) return;
    {
      std::lock_guard lock(mutex_);
      stop_ = true;
    }
    changed_.notify_all();
    second_.join();
  }

  const std::size_t linesPerBatch_;
  const Read read_;
  const Take take_;
  const Idle idle_;
  std::size_t added_ = 0;  // lines taken alone, before the second thread started
  Reading alone_;
  std::array<Batch, kBatches> batches_;
  std::size_t filling_ = 0;  // batches handed over so far; the one filling is next
  std::size_t taken_ = 0;    // batches taken so far
  std::thread second_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::size_t handed_ = 0;      // guarded by mutex_
  std::size_t readUpTo_ = 0;    // guarded by mutex_
  bool stop_ = false;           // guarded by mutex_
  std::exception_ptr failure_;  // guarded by mutex_
};

}  // namespace quillfen
