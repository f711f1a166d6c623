#include "import/mt5_history.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "text/number_format.h"
#include "text/text_conversions.h"

namespace quillfen {

namespace {

double Cents(std::string_view amount) {
  return std::round(TextToAmount(amount) * 100);
}

std::string Money(double cents) {
  return FormatFixed(cents / 100, 0, 2);
}

std::string Moment(const std::string& date, const std::string& time) {
  return date + " " + time;
}

// A position read as its Positions row prints it.
Mt5Trade WholePosition(const Mt5Position& position) {
  Mt5Trade trade;
  trade.ticket = position.number;
  trade.type = position.type;
  trade.lots = position.volume;
  trade.symbol = position.symbol;
  trade.openDate = position.date;
  trade.openTime = position.time;
  trade.openPrice = position.price;
  trade.closeDate = position.closeDate;
  trade.closeTime = position.closeTime;
  trade.closePrice = position.closePrice;
  trade.commission = position.commission;
  trade.swap = position.swap;
  trade.profit = position.profit;
  trade.comment = position.comment;
  trade.stopLoss = position.stopLoss;
  trade.takeProfit = position.takeProfit;
  return trade;
}

}  // namespace

void Mt5History::AddPosition(Mt5Position position) {
  volumes_.emplace(OrderNumber(position.number), Mt5VolumeUnits(position.volume));
  (position.closeDate.empty() ? open_ : closed_).push_back(std::move(position));
}

void Mt5History::AddDeal(const Mt5Deal& deal) {
  // An "in out" deal closes one position and opens the one its order names.
  if (deal.direction == "in" || deal.direction == "in out")
    entries_.emplace(OrderNumber(deal.order), deal);
  if (deal.direction == "in") return;
  closes_[deal.symbol + " " + deal.type].push_back(
      {Moment(deal.date, deal.time), Mt5VolumeUnits(deal.volume), deal});
}

// The closing deals of a position: the one at its close time, then earlier
// ones since its entry, the latest first, until its volume is covered. Empty when
// they cannot be found or do not add up to its row: the row then stands whole.
std::vector<Mt5Trade> Mt5History::Parts(const Mt5Position& position) {
  const auto entry = entries_.find(OrderNumber(position.number));
  const auto group =
      closes_.find(position.symbol + " " + (position.type == "buy" ? "sell" : "buy"));
  if (entry == entries_.end() || group == closes_.end()) return {};
  std::vector<Close>& closes = group->second;
  const std::string opened = Moment(entry->second.date, entry->second.time);
  const std::string closed = Moment(position.closeDate, position.closeTime);
  const auto byMoment = [](const Close& close, const std::string& moment) {
    return close.moment < moment;
  };
  const long long volume = Mt5VolumeUnits(position.volume);
  long long wanted = volume;
  // The last close may be an "in out" deal: of its volume it closes what is left.
  auto last = std::lower_bound(closes.begin(), closes.end(), closed, byMoment);
  while (last != closes.end() && last->moment == closed &&
         (last->claimed || (last->volume > wanted && last->deal.direction != "in out")))
    ++last;
  if (last == closes.end() || last->moment != closed) return {};
  std::vector<std::pair<Close*, long long>> picked;  // and the volume it closes
  long long lastVolume = std::min(last->volume, wanted);
  if (last->deal.direction == "in out") {
    const auto opens = volumes_.find(OrderNumber(last->deal.order));
    if (opens != volumes_.end()) lastVolume = last->volume - opens->second;
  }
  if (lastVolume <= 0) return {};
  wanted -= lastVolume;
  picked.emplace_back(&*last, lastVolume);
  // Parts closed nearest before the last first.
  const auto first = std::lower_bound(closes.begin(), last, opened, byMoment);
  for (auto close = last; close != first && wanted > 0;) {
    --close;
    if (close->claimed || close->volume > wanted || close->deal.direction == "in out") continue;
    picked.emplace_back(&*close, close->volume);
    wanted -= close->volume;
  }
  std::reverse(picked.begin(), picked.end());
  double profit = 0;
  double swap = 0;
  for (const auto& [close, closing] : picked) {
    profit += Cents(close->deal.profit);
    swap += Cents(close->deal.swap);
  }
  if (wanted != 0 || profit != Cents(position.profit) || swap != Cents(position.swap)) return {};
  // A deal's commission by its share of the volume.
  auto share = [](const Mt5Deal& deal, long long part) {
    const double cents = Cents(deal.commission);
    const auto whole = static_cast<double>(Mt5VolumeUnits(deal.volume));
    return whole > 0 ? std::round(cents * static_cast<double>(part) / whole) : cents;
  };
  std::vector<Mt5Trade> parts;
  // Each part takes of the entry's commission what is left of it by its share
  // of the volume left, in whole cents towards zero, the last part the rest.
  // The deals' commissions hold their fees, which the row leaves out.
  auto entryLeft = static_cast<long long>(share(entry->second, volume));
  long long volumeLeft = volume;
  for (const auto& [close, closing] : picked) {
    close->claimed = true;
    const Mt5Deal& deal = close->deal;
    const auto entryShare = static_cast<long long>(
        std::trunc(static_cast<double>(entryLeft) * static_cast<double>(closing) /
                   static_cast<double>(volumeLeft)));
    entryLeft -= entryShare;
    volumeLeft -= closing;
    const std::string commission = Money(share(deal, closing) + static_cast<double>(entryShare));
    // A single close leaves the row as printed, but for the fees and the deal's comment.
    Mt5Trade part = WholePosition(position);
    part.commission = commission;
    part.comment = deal.comment;
    if (picked.size() > 1) {
      part.ticket = deal.number;
      part.lots = Mt5VolumeText(closing);
      part.closeDate = deal.date;
      part.closeTime = deal.time;
      part.closePrice = deal.price;
      part.swap = deal.swap;
      part.profit = deal.profit;
    }
    parts.push_back(std::move(part));
  }
  return parts;
}

std::vector<Mt5Trade> Mt5History::TakeTrades() {
  for (auto& [key, closes] : closes_)
    std::stable_sort(closes.begin(), closes.end(),
                     [](const Close& a, const Close& b) { return a.moment < b.moment; });
  // Positions that closed first claim their deals first.
  std::stable_sort(closed_.begin(), closed_.end(), [](const Mt5Position& a, const Mt5Position& b) {
    return Moment(a.closeDate, a.closeTime) < Moment(b.closeDate, b.closeTime);
  });
  std::vector<Mt5Trade> trades;
  for (const Mt5Position& position : closed_) {
    std::vector<Mt5Trade> parts = Parts(position);
    if (parts.empty()) parts.push_back(WholePosition(position));
    for (Mt5Trade& part : parts) trades.push_back(std::move(part));
  }
  std::stable_sort(trades.begin(), trades.end(), [](const Mt5Trade& a, const Mt5Trade& b) {
    return Moment(a.closeDate, a.closeTime) < Moment(b.closeDate, b.closeTime);
  });
  for (const Mt5Position& position : open_) {
    Mt5Trade trade = WholePosition(position);
    const auto entry = entries_.find(OrderNumber(position.number));
    trade.commission = entry == entries_.end() ? "0.00" : entry->second.commission;
    trades.push_back(std::move(trade));
  }
  closed_.clear();
  open_.clear();
  return trades;
}

}  // namespace quillfen
