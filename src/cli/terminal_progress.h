#pragma once

#include <chrono>
#include <cstddef>
#include <ostream>

#include "progress.h"

namespace quillfen::cli {

// Shows how far a long pass is as one line "run N of M" that rewrites itself
// a few times a second; shows nothing when disabled (output not a terminal).
class TerminalProgress final : public Progress {
 public:
  TerminalProgress(std::ostream& out, bool enabled);

  void SetRange(long long maximum) override;
  void SetPosition(long long position) override;
  void Advance(long long by) override;
  void Pump() override;

  // Shows the last position and ends the line, if a pass ever began.
  void Finish();

 private:
  void Show();

  std::ostream& out_;
  bool enabled_;
  bool begun_ = false;
  long long maximum_ = 0;
  long long position_ = 0;
  std::size_t shownWidth_ = 0;
  std::chrono::steady_clock::time_point lastShown_;
};

}  // namespace quillfen::cli
