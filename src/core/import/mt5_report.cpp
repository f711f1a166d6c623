#include "import/mt5_report.h"

#include <algorithm>
#include <cmath>

#include "import/printed_totals.h"
#include "import/report_shape.h"
#include "import/statement_words.h"
#include "text/number_format.h"
#include "text/text_conversions.h"

namespace quillfen {

namespace {

constexpr double kVolumeUnits = 1e8;

using Word = LineWord;

bool AllNumbers(const std::vector<Word>& words, std::size_t first, std::size_t count) {
  for (std::size_t n = first; n < first + count; ++n)
    if (!IsNumber(words[n].text)) return false;
  return true;
}

// What follows the word, trimmed: a comment of any number of words.
std::string RestAfter(std::string_view line, const Word& word) {
  return std::string(TrimmedView(line.substr(word.end)));
}

int DecimalsOf(std::string_view number) {
  const std::size_t point = number.find('.');
  return point == std::string_view::npos ? 0 : static_cast<int>(number.size() - point - 1);
}

std::string Opposite(std::string_view type) {
  return type == "buy" ? "sell" : "buy";
}

}  // namespace

long long Mt5VolumeUnits(std::string_view volume) {
  return std::llround(TextToAmount(volume) * kVolumeUnits);
}

std::string Mt5VolumeText(long long units) {
  int decimals = 2;
  for (long long step = 1000000; decimals < 8 && units % step != 0; step /= 10) ++decimals;
  return FormatFixed(static_cast<double>(units) / kVolumeUnits, 0, decimals);
}

bool IsMt5RowShape(std::string_view line) {
  return IsMt5RowShape(LineWords(line));
}

bool IsMt5RowShape(const std::vector<LineWord>& words) {
  if (words.size() < 3) return false;
  const std::string_view time = TrimmedView(words[1].text);
  const std::string_view number = TrimmedView(words[2].text);
  return IsDate(TrimmedView(words[0].text)) && time.size() == 8 && IsTime(time) &&
         !number.empty() && std::all_of(number.begin(), number.end(), IsDigit);
}

std::optional<Mt5DealColumns> Mt5DealColumnsOf(std::string_view header) {
  switch (LineWords(header).size()) {
    case 13:
      return Mt5DealColumns::plain;
    case 14:
      return Mt5DealColumns::fee;
    case 15:
      return Mt5DealColumns::costAndFee;
    default:
      return std::nullopt;
  }
}

Mt5Row ReadMt5Row(std::string_view line, const std::vector<Word>& words, Mt5DealColumns columns,
                  Mt5Deal& deal) {
  auto text = [&](std::size_t n) { return n < words.size() ? words[n].text : std::string_view(); };
  if (text(6) == "/") return Mt5Row::order;
  const bool fee = columns != Mt5DealColumns::plain;
  // The fee is booked with the commission; the cost is no money booked.
  auto money = [&](std::size_t n, bool cost) -> std::size_t {
    const std::size_t count = 4 + (cost ? 1 : 0) + (fee ? 1 : 0);
    if (words.size() < n + count || !AllNumbers(words, n, count)) return 0;
    if (cost) ++n;
    deal.commission = text(n++);
    if (fee)
      deal.commission = FormatFixed(TextToAmount(deal.commission) + TextToAmount(text(n++)), 0, 2);
    deal.swap = text(n++);
    deal.profit = text(n++);
    deal.balance = text(n);
    deal.commissionAmount = TextToAmount(deal.commission);
    deal.cents = AmountCents(deal.commissionAmount) + AmountCents(TextToAmount(deal.swap)) +
                 AmountCents(TextToAmount(deal.profit));
    return n;
  };
  deal = Mt5Deal{};
  deal.date = text(0);
  deal.time = text(1);
  deal.number = text(2);
  // A balance deal has no symbol, direction, volume, price, order or cost:
  // its cells are the money, then its comment.
  if (text(3) == "balance") {
    const std::size_t last = money(4, false);
    if (last == 0) return Mt5Row::cut;
    deal.type = "balance";
    deal.comment = RestAfter(line, words[last]);
    return Mt5Row::balance;
  }
  const bool tradeType = text(4) == "buy" || text(4) == "sell";
  if (tradeType && IsNumber(text(5))) return Mt5Row::position;
  if (!tradeType) return Mt5Row::unknownType;
  std::size_t n = 5;
  std::string direction(text(n++));
  if ((direction == "in" && text(n) == "out") || (direction == "out" && text(n) == "by"))
    direction.append(" ").append(text(n++));
  if (direction != "in" && direction != "out" && direction != "in out" && direction != "out by")
    return Mt5Row::cut;
  // Volume, price and order, then the money.
  constexpr std::size_t kLeading = 3;
  if (words.size() < n + kLeading || !AllNumbers(words, n, kLeading)) return Mt5Row::cut;
  const std::size_t last = money(n + kLeading, columns == Mt5DealColumns::costAndFee);
  if (last == 0) return Mt5Row::cut;
  deal.symbol = text(3);
  deal.type = text(4);
  deal.direction = std::move(direction);
  deal.volume = text(n);
  deal.volumeUnits = Mt5VolumeUnits(deal.volume);
  deal.price = text(n + 1);
  deal.order = text(n + 2);
  deal.comment = RestAfter(line, words[last]);
  return Mt5Row::deal;
}

namespace {

// A lone stop is told by its side of the open price: at or below a buy's
// (at or above a sell's) it limits the loss.
void SetStops(Mt5Position& position, const std::vector<Word>& words, std::size_t first,
              std::size_t count) {
  position.stopLoss = position.takeProfit = "0.00";
  if (count == 2) {
    position.stopLoss = words[first].text;
    position.takeProfit = words[first + 1].text;
  } else if (count == 1) {
    const double stop = TextToAmount(words[first].text);
    const double price = TextToAmount(position.price);
    const bool loss = position.type == "buy" ? stop <= price : stop >= price;
    (loss ? position.stopLoss : position.takeProfit) = words[first].text;
  }
}

}  // namespace

bool ReadMt5Position(std::string_view line, const std::vector<Word>& words, Mt5Position& position) {
  constexpr std::size_t kStops = 7;  // past time, number, symbol, type, volume and price
  if (words.size() < kStops || !AllNumbers(words, kStops - 2, 2)) return false;
  position = Mt5Position{};
  position.date = words[0].text;
  position.time = words[1].text;
  position.number = words[2].text;
  position.symbol = words[3].text;
  position.type = words[4].text;
  position.volume = words[5].text;
  position.price = words[6].text;
  std::size_t close = kStops;
  while (close < words.size() && !IsDate(words[close].text)) ++close;
  if (close < words.size()) {
    // Closed: S/L and T/P when set, close time, close price, commission, swap, profit.
    const std::size_t stops = close - kStops;
    constexpr std::size_t kCloseCells = 6;
    if (stops > 2 || !AllNumbers(words, kStops, stops) || words.size() != close + kCloseCells ||
        !IsTime(words[close + 1].text) || !AllNumbers(words, close + 2, kCloseCells - 2))
      return false;
    SetStops(position, words, kStops, stops);
    position.closeDate = words[close].text;
    position.closeTime = words[close + 1].text;
    position.closePrice = words[close + 2].text;
    position.commission = words[close + 3].text;
    position.swap = words[close + 4].text;
    position.profit = words[close + 5].text;
    return true;
  }
  // Open: S/L and T/P when set, market price, swap, profit, then the comment.
  constexpr std::size_t kOpenNumbers = 3;
  std::size_t numbers = 0;
  while (kStops + numbers < words.size() && numbers < kOpenNumbers + 2 &&
         IsNumber(words[kStops + numbers].text))
    ++numbers;
  if (numbers < kOpenNumbers) return false;
  const std::size_t stops = numbers - kOpenNumbers;
  SetStops(position, words, kStops, stops);
  position.swap = words[kStops + stops + 1].text;
  position.profit = words[kStops + stops + 2].text;
  position.comment = RestAfter(line, words[kStops + numbers - 1]);
  return true;
}

bool ReadMt5Numbers(std::string_view line, std::vector<double>& numbers) {
  const std::vector<Word> words = LineWords(line);
  if (!AllNumbers(words, 0, words.size())) return false;
  for (const Word& word : words) numbers.push_back(TextToAmount(word.text));
  return true;
}

void Mt5Positions::Enter(const Mt5Deal& deal) {
  Enter(deal, deal.volumeUnits, deal.commissionAmount);
}

void Mt5Positions::Enter(const Mt5Deal& deal, long long volume, double commission) {
  if (volume <= 0) return;
  open_[deal.symbol + " " + deal.type].push_back({OrderNumber(deal.number), deal.date, deal.time,
                                                  deal.price, volume, commission, deal.comment});
}

Mt5Trade Mt5Positions::Close(const Mt5Deal& deal) {
  Mt5Trade trade;
  trade.ticket = deal.number;
  trade.type = Opposite(deal.type);
  trade.symbol = deal.symbol;
  trade.closeDate = deal.date;
  trade.closeTime = deal.time;
  trade.closePrice = deal.price;
  trade.swap = deal.swap;
  trade.profit = deal.profit;
  trade.comment = deal.comment;
  const long long volume = deal.volumeUnits;
  std::deque<Entry>& entries = open_[deal.symbol + " " + trade.type];
  long long wanted = volume;
  long long taken = 0;
  double entryCommission = 0;
  double priceSum = 0;  // volume-weighted
  int decimals = 0;
  bool several = false;
  while (wanted > 0 && !entries.empty()) {
    Entry& entry = entries.front();
    const long long take = std::min(wanted, entry.volume);
    const double share =
        entry.commission * static_cast<double>(take) / static_cast<double>(entry.volume);
    if (taken == 0) {
      trade.openDate = entry.date;
      trade.openTime = entry.time;
      trade.openPrice = entry.price;
    } else if (!several) {
      // Most closes take one entry: its price is read only when a second follows.
      several = true;
      priceSum = TextToAmount(trade.openPrice) * static_cast<double>(taken);
      decimals = DecimalsOf(trade.openPrice);
    }
    entryCommission += share;
    if (several) {
      priceSum += TextToAmount(entry.price) * static_cast<double>(take);
      decimals = std::max(decimals, DecimalsOf(entry.price));
    }
    taken += take;
    wanted -= take;
    entry.volume -= take;
    entry.commission -= share;
    if (entry.volume == 0) entries.pop_front();
  }
  trade.orphan = taken == 0;
  // One close of several entries opened at their mean price.
  if (several)
    trade.openPrice = FormatFixed(priceSum / static_cast<double>(taken), 0, decimals + 1);
  double commission = deal.commissionAmount;
  long long closed = volume;
  if (deal.direction == "in out" && taken > 0 && taken < volume) {
    // The volume past the closed positions opens the next one, with its share
    // of the deal's commission.
    closed = taken;
    const double closingShare =
        commission * static_cast<double>(taken) / static_cast<double>(volume);
    Enter(deal, volume - taken, commission - closingShare);
    commission = closingShare;
  }
  trade.lots = closed == volume ? deal.volume : Mt5VolumeText(closed);
  trade.commission = FormatFixed(commission + entryCommission, 0, 2);
  return trade;
}

std::vector<Mt5Trade> Mt5Positions::StillOpen() const {
  std::vector<std::pair<long long, Mt5Trade>> open;
  for (const auto& [key, entries] : open_) {
    const std::size_t blank = key.rfind(' ');
    for (const Entry& entry : entries) {
      Mt5Trade trade;
      trade.ticket = std::to_string(entry.order);
      trade.symbol = key.substr(0, blank);
      trade.type = key.substr(blank + 1);
      trade.lots = Mt5VolumeText(entry.volume);
      trade.openDate = entry.date;
      trade.openTime = entry.time;
      trade.openPrice = entry.price;
      trade.commission = FormatFixed(entry.commission, 0, 2);
      trade.comment = entry.comment;
      open.emplace_back(entry.order, std::move(trade));
    }
  }
  std::sort(open.begin(), open.end(),
            [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<Mt5Trade> trades;
  for (auto& [order, trade] : open) trades.push_back(std::move(trade));
  return trades;
}

}  // namespace quillfen
