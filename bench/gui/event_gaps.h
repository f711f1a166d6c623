#pragma once

#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>

// The longest time the window went without processing events while watched:
// a timer ticks every 10 ms, and every tick notes how long it has been since the last.
class EventGaps {
 public:
  explicit EventGaps(const QElapsedTimer& clock) : clock_(clock) {
    QObject::connect(&heartbeat_, &QTimer::timeout, [this] {
      const qint64 now = clock_.elapsed();
      if (watching_ && now - lastBeat_ > longest_) {
        longest_ = now - lastBeat_;
        longestEnd_ = now;
      }
      lastBeat_ = now;
    });
    heartbeat_.start(10);
  }
  void Watch(bool watching) {
    if (watching) lastBeat_ = clock_.elapsed();
    watching_ = watching;
  }
  qint64 Longest() const { return longest_; }
  // When the longest gap ended, on the clock given.
  qint64 LongestEnd() const { return longestEnd_; }

 private:
  const QElapsedTimer& clock_;
  QTimer heartbeat_;
  qint64 lastBeat_ = 0;
  qint64 longest_ = 0;
  qint64 longestEnd_ = 0;
  bool watching_ = false;
};
