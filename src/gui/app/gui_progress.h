#pragma once

#include <QElapsedTimer>

#include "progress.h"

class QProgressBar;

namespace quillfen {

// Drives a progress bar from a core routine and lets the window process pending
// events about every 15 ms, so a long read is not dominated by event handling.
class GuiProgress final : public Progress {
 public:
  explicit GuiProgress(QProgressBar* bar);

  void SetRange(long long maximum) override;
  void SetPosition(long long position) override;
  void Advance(long long by) override;
  void Pump() override;

 private:
  void Show();

  QProgressBar* bar_;
  QElapsedTimer sincePump_;
  long long maximum_ = 100;
  long long position_ = 0;
  int shift_ = 0;  // the bar holds int; large ranges are scaled down
};

// Processes pending events now, as the opening road does at its fixed points.
void ProcessPendingMessages();

}  // namespace quillfen
