#include "gui/app/gui_progress.h"

#include <QCoreApplication>
#include <QProgressBar>
#include <climits>

namespace quillfen {

namespace {
constexpr int kPumpMilliseconds = 15;
}

GuiProgress::GuiProgress(QProgressBar* bar) : bar_(bar) {
  sincePump_.start();
}

void GuiProgress::SetRange(long long maximum) {
  maximum_ = maximum < 0 ? 0 : maximum;
  shift_ = 0;
  while ((maximum_ >> shift_) > INT_MAX) ++shift_;
  if (bar_) bar_->setRange(0, static_cast<int>(maximum_ >> shift_));
  position_ = 0;
  Show();
}

// The bar is brought up to date only when events are processed: setting it on
// every line of a large read would cost more than the read.
void GuiProgress::SetPosition(long long position) {
  position_ = position;
}

void GuiProgress::Advance(long long by) {
  position_ += by;
}

void GuiProgress::Pump() {
  if (sincePump_.elapsed() < kPumpMilliseconds) return;
  Show();
  ProcessPendingMessages();
  sincePump_.restart();
}

void GuiProgress::Show() {
  if (!bar_) return;
  long long shown = position_ < 0 ? 0 : (position_ > maximum_ ? maximum_ : position_);
  bar_->setValue(static_cast<int>(shown >> shift_));
}

void ProcessPendingMessages() {
  QCoreApplication::processEvents();
}

}  // namespace quillfen
