#include "import/mt5_report.h"

#include <algorithm>
#include <cmath>

#include "import/report_shape.h"
#include "text/number_format.h"
#include "text/text_conversions.h"

namespace quillfen {

namespace {

constexpr double kVolumeUnits = 1e8;

struct Word {
  std::string_view text;
  std::size_t end = 0;  // where it ends in the line
};

std::vector<Word> WordsOf(std::string_view line) {
  std::vector<Word> words;
  std::size_t i = 0;
  while (i < line.size()) {
    const std::size_t start = line.find_first_not_of(" \t", i);
    if (start == std::string_view::npos) break;
    const std::size_t end = std::min(line.find_first_of(" \t", start), line.size());
    words.push_back({line.substr(start, end - start), end});
    i = end;
  }
  return words;
}

bool AllNumbers(const std::vector<Word>& words, std::size_t first, std::size_t count) {
  for (std::size_t n = first; n < first + count; ++n)
    if (!IsNumber(words[n].text)) return false;
  return true;
}

// What follows the word, trimmed: a comment of any number of words.
std::string RestAfter(std::string_view line, const Word& word) {
  return std::string(TrimmedView(line.substr(word.end)));
}

long long VolumeUnits(std::string_view volume) {
  return std::llround(TextToAmount(volume) * kVolumeUnits);
}

// Lots as the terminal prints them: two decimals, more only when needed.
std::string FormatVolume(long long units) {
  int decimals = 2;
  for (long long step = 1000000; decimals < 8 && units % step != 0; step /= 10) ++decimals;
  return FormatFixed(static_cast<double>(units) / kVolumeUnits, 0, decimals);
}

int DecimalsOf(std::string_view number) {
  const std::size_t point = number.find('.');
  return point == std::string_view::npos ? 0 : static_cast<int>(number.size() - point - 1);
}

std::string Opposite(std::string_view type) {
  return type == "buy" ? "sell" : "buy";
}

}  // namespace

bool IsMt5RowShape(std::string_view line) {
  std::string_view word;
  return WordAt(line, 0, word) && IsDate(word) && WordAt(line, 1, word) && word.size() == 8 &&
         IsTime(word) && WordAt(line, 2, word) && !word.empty() &&
         std::all_of(word.begin(), word.end(), IsDigit);
}

Mt5Row ReadMt5Row(std::string_view line, Mt5Deal& deal) {
  const std::vector<Word> words = WordsOf(line);
  auto text = [&](std::size_t n) { return n < words.size() ? words[n].text : std::string_view(); };
  if (text(6) == "/") return Mt5Row::order;
  deal = Mt5Deal{};
  deal.date = text(0);
  deal.time = text(1);
  deal.number = text(2);
  // A balance deal has no symbol, direction, volume, price or order: its
  // cells are commission, swap, profit and balance, then its comment.
  if (text(3) == "balance") {
    if (words.size() < 8 || !AllNumbers(words, 4, 4)) return Mt5Row::cut;
    deal.type = "balance";
    deal.commission = text(4);
    deal.swap = text(5);
    deal.profit = text(6);
    deal.comment = RestAfter(line, words[7]);
    return Mt5Row::balance;
  }
  if (text(4) != "buy" && text(4) != "sell") return Mt5Row::unknownType;
  std::size_t n = 5;
  std::string direction(text(n++));
  if ((direction == "in" && text(n) == "out") || (direction == "out" && text(n) == "by"))
    direction.append(" ").append(text(n++));
  if (direction != "in" && direction != "out" && direction != "in out" && direction != "out by")
    return Mt5Row::cut;
  // Volume, price, order, commission, swap, profit, balance.
  constexpr std::size_t kNumbers = 7;
  if (words.size() < n + kNumbers || !AllNumbers(words, n, kNumbers)) return Mt5Row::cut;
  deal.symbol = text(3);
  deal.type = text(4);
  deal.direction = std::move(direction);
  deal.volume = text(n);
  deal.price = text(n + 1);
  deal.commission = text(n + 3);
  deal.swap = text(n + 4);
  deal.profit = text(n + 5);
  deal.comment = RestAfter(line, words[n + 6]);
  return Mt5Row::deal;
}

bool ReadMt5Numbers(std::string_view line, std::vector<double>& numbers) {
  const std::vector<Word> words = WordsOf(line);
  if (!AllNumbers(words, 0, words.size())) return false;
  for (const Word& word : words) numbers.push_back(TextToAmount(word.text));
  return true;
}

void Mt5Positions::Enter(const Mt5Deal& deal) {
  Enter(deal, VolumeUnits(deal.volume), TextToAmount(deal.commission));
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
  const long long volume = VolumeUnits(deal.volume);
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
    } else {
      several = true;
    }
    entryCommission += share;
    priceSum += TextToAmount(entry.price) * static_cast<double>(take);
    decimals = std::max(decimals, DecimalsOf(entry.price));
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
  double commission = TextToAmount(deal.commission);
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
  trade.lots = closed == volume ? deal.volume : FormatVolume(closed);
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
      trade.lots = FormatVolume(entry.volume);
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
