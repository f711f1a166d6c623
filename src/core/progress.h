#pragma once

namespace quillfen {

// Long core routines report how far they are and let the caller process pending
// events (the GUI repaints its progress bar and keeps a Stop button alive).
class Progress {
 public:
  virtual ~Progress() = default;
  virtual void SetRange(long long maximum) = 0;
  virtual void SetPosition(long long position) = 0;
  virtual void Advance(long long by) = 0;
  virtual void Pump() = 0;
};

// For callers without a progress display (command line, tests).
class NoProgress final : public Progress {
 public:
  void SetRange(long long) override {}
  void SetPosition(long long) override {}
  void Advance(long long) override {}
  void Pump() override {}
};

}  // namespace quillfen
