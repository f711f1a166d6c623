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

// Lets events in every 16,384 rows of a long walk; without a progress, nothing.
inline void PumpEveryRows(Progress* progress, int row) {
  if (progress && (row & 0x3fff) == 0) progress->Pump();
}

// For callers without a progress display (command line, tests).
class NoProgress final : public Progress {
 public:
  void SetRange(long long) override {}
  void SetPosition(long long) override {}
  void Advance(long long) override {}
  void Pump() override {}
};

}  // namespace quillfen
