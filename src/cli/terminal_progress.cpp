#include "terminal_progress.h"

#include <string>

namespace quillfen::cli {

namespace {

constexpr std::chrono::milliseconds kShowEvery{250};

}  // namespace

TerminalProgress::TerminalProgress(std::ostream& out, bool enabled)
    : out_(out), enabled_(enabled), lastShown_(std::chrono::steady_clock::now()) {}

void TerminalProgress::SetRange(long long maximum) {
  maximum_ = maximum;
  position_ = 0;
  begun_ = true;
}

void TerminalProgress::SetPosition(long long position) {
  position_ = position;
}

void TerminalProgress::Advance(long long by) {
  position_ += by;
}

void TerminalProgress::Pump() {
  if (!enabled_ || !begun_) return;
  const auto now = std::chrono::steady_clock::now();
  if (now - lastShown_ < kShowEvery) return;
  lastShown_ = now;
  Show();
}

void TerminalProgress::Finish() {
  if (!enabled_ || !begun_) return;
  Show();
  out_ << '\n' << std::flush;
  begun_ = false;
  shownWidth_ = 0;
}

void TerminalProgress::Show() {
  const std::string text = "run " + std::to_string(position_) + " of " + std::to_string(maximum_);
  // Blanks cover the rest of a longer line shown before.
  const std::size_t width = text.size();
  out_ << '\r' << text << std::string(shownWidth_ > width ? shownWidth_ - width : 0, ' ')
       << std::flush;
  shownWidth_ = width;
}

}  // namespace quillfen::cli
