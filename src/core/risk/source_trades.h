#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace quillfen {

// A closed trade as the statistics walk booked it.
struct DrawnTrade {
  double result = 0;         // what it changed the balance by
  double balanceBefore = 0;  // the walk's balance just before it
  std::string_view closeDate;
};

// What the history modes draw from: the results in walk order, and the same
// results grouped by the date the trades closed, days in date order.
struct SourceTrades {
  std::vector<double> results;
  // Each result over the balance just before it; empty when a balance before
  // a trade was not above 0, which leaves no share to replay.
  std::vector<double> shares;
  std::vector<double> dayResults;       // day after day, each day in walk order
  std::vector<std::int32_t> dayStarts;  // where each day begins in dayResults, then its end

  std::int32_t DayCount() const {
    return dayStarts.empty() ? 0 : static_cast<std::int32_t>(dayStarts.size()) - 1;
  }
  std::span<const double> Day(std::int32_t day) const {
    const auto from = static_cast<std::size_t>(dayStarts[static_cast<std::size_t>(day)]);
    const auto to = static_cast<std::size_t>(dayStarts[static_cast<std::size_t>(day) + 1]);
    return std::span(dayResults).subspan(from, to - from);
  }
  // The most trades of one day: what a challenge day can draw at most.
  std::int32_t LongestDay() const;
};

// Trades without a close date have no day; they stay out of the days only.
SourceTrades MakeSourceTrades(std::span<const DrawnTrade> trades);

}  // namespace quillfen
