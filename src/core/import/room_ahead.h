#pragma once

#include <mutex>
#include <optional>
#include <utility>
#include <vector>

#include "text/text_grid.h"

namespace quillfen {

// Room for a grid's rows, made on a second thread that has time to spare
// while the grid's own thread fills the grid, and given to the grid there.
class RoomAhead {
 public:
  // rows: the rows the grid will hold before any of those the room is for.
  RoomAhead(const TextGrid& grid, int rows) : grid_(grid), rows_(rows - grid.RowsWithRoom()) {}

  // On the second thread: makes or backs a part of the room while `more`
  // rows than the grid holds want it. False when there is nothing to do.
  bool MakeSome(int more) {
    if (making_ && making_->BackSome()) return true;
    if (making_) {
      std::lock_guard lock(mutex_);
      made_.push_back(std::move(*making_));
      making_.reset();
    }
    if (roomsMade_ * grid_.RowsPerRoom() >= rows_ + more) return false;
    making_.emplace(grid_.MakeRoom());
    ++roomsMade_;
    return true;
  }

  // On the grid's thread: gives it the room made so far.
  void GiveTo(TextGrid& grid) {
    std::vector<TextGrid::Room> made;
    {
      std::lock_guard lock(mutex_);
      made.swap(made_);
    }
    for (TextGrid::Room& room : made) grid.AddRoom(std::move(room));
  }

 private:
  const TextGrid& grid_;  // only its room's size is read on the second thread
  const int rows_;        // past the room the grid has already
  // Of the second thread.
  int roomsMade_ = 0;
  std::optional<TextGrid::Room> making_;  // being backed
  std::mutex mutex_;
  std::vector<TextGrid::Room> made_;  // made, not yet given
};

}  // namespace quillfen
