#include "import/statement_reader.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "import/computed_columns.h"
#include "import/mt5_history.h"
#include "import/mt5_report.h"
#include "import/order_index.h"
#include "import/printed_figures.h"
#include "import/printed_totals.h"
#include "import/read_ahead.h"
#include "import/report_shape.h"
#include "import/room_ahead.h"
#include "import/statement_converter.h"
#include "import/statement_words.h"
#include "io/run_beside.h"
#include "text/line_reader.h"
#include "text/number_format.h"
#include "text/text_conversions.h"

namespace quillfen {

namespace {

// The words "at stop" after the type of a tester's closing of all positions.
constexpr int kAtStopWords = 2;

constexpr std::string_view kTicketWarning = "Please use ascending ticket numbers";

// No report prints money beyond this: an amount past it would make figures
// that are not finite, or lose their cents. It has one digit more than
// kLongestAmountDigits, for which the converter numbers the line.
constexpr double kLargestAmount = 1e15;
// Digits past what any amount or price holds; TextToAmount reads a number too
// long for a double as 0.
constexpr std::size_t kMostDigits = 30;

// A word of no more digits than kLongestAmountDigits is below 10^15: only a
// longer one is read, so that rows do not cost a conversion per word.
bool IsAmountInRange(std::string_view word) {
  if (word.size() <= kLongestAmountDigits) return true;  // most words: no digit to count
  const auto digits = static_cast<std::size_t>(std::count_if(word.begin(), word.end(), IsDigit));
  if (digits <= kLongestAmountDigits) return true;
  return digits <= kMostDigits && std::fabs(TextToAmount(word)) <= kLargestAmount;
}

// Whether every word of the row that reads as a number is in range.
bool AmountsInRange(const StatementWords& words) {
  for (int word = 0; words.Has(word); ++word)
    if (!IsAmountInRange(words[word])) return false;
  return true;
}

// What a line of a MetaTrader 5 report says on its own, before the lines
// above it are weighed: made for many lines on a second thread.
struct Mt5LineReading {
  bool row = false;      // shaped as an order or deal row
  bool inRange = false;  // none of its first words is a number beyond an amount
  // The row's sort under the Deals table's columns, when they were settled,
  // or when it needs none.
  std::optional<Mt5Row> kind;
  Mt5Deal deal;
};

// Reads the line into reading, words being room for its words.
void ReadMt5Line(std::string_view line, std::optional<Mt5DealColumns> columns,
                 std::vector<LineWord>& words, Mt5LineReading& reading) {
  LineWords(line, words);
  reading.row = IsMt5RowShape(words);
  reading.kind.reset();
  if (!reading.row) return;
  // As StatementWords keeps them: the first words, trimmed; a word too short
  // for an amount out of range is so before trimming.
  reading.inRange = true;
  for (std::size_t n = 0; n < std::min<std::size_t>(words.size(), StatementWords::kKept); ++n)
    if (words[n].text.size() > kLongestAmountDigits &&
        !IsAmountInRange(TrimmedView(words[n].text))) {
      reading.inRange = false;
      return;
    }
  const Mt5Row kind =
      ReadMt5Row(line, words, columns.value_or(Mt5DealColumns::plain), reading.deal);
  // Orders and positions are told apart from deals under any columns.
  if (columns || kind == Mt5Row::order || kind == Mt5Row::position) reading.kind = kind;
}

// The leading number of a word as strtod reads it, without locale: optional
// sign, digits, decimal point, exponent. nullopt when it does not begin with one.
bool LeadingNumber(std::string_view word, double& value) {
  std::size_t i = word.size() > 0 && (word[0] == '-' || word[0] == '+') ? 1 : 0;
  bool digitFirst =
      i < word.size() &&
      (IsDigit(word[i]) || (word[i] == '.' && i + 1 < word.size() && IsDigit(word[i + 1])));
  if (!digitFirst) return false;
  if (word[0] == '+') word.remove_prefix(1);
  value = 0;
  std::from_chars(word.data(), word.data() + word.size(), value);
  return true;
}

// The word holding the line's last digit, trimmed like any word.
std::string_view WordOfLastDigit(std::string_view line) {
  std::size_t digit = line.find_last_of("0123456789");
  if (digit == std::string_view::npos) return {};
  std::size_t start = line.find_last_of(" \t", digit);
  start = start == std::string_view::npos ? 0 : start + 1;
  std::size_t end = std::min(line.find_first_of(" \t", digit), line.size());
  return TrimmedView(line.substr(start, end - start));
}

// What follows the line's last blank: a balance row's amount.
std::string_view LastWord(std::string_view line) {
  const std::size_t space = line.rfind(' ');
  return space == std::string_view::npos ? line : line.substr(space + 1);
}

// Calls visit(word) for every word of the line until it returns true.
template <class Visit>
bool AnyWord(std::string_view line, Visit visit) {
  std::size_t i = 0;
  while (i < line.size()) {
    std::size_t start = line.find_first_not_of(" \t", i);
    if (start == std::string_view::npos) break;
    std::size_t end = std::min(line.find_first_of(" \t", start), line.size());
    if (visit(TrimmedView(line.substr(start, end - start)))) return true;
    i = end;
  }
  return false;
}

// The column header ends the header phase: English "Type", German "Typ".
bool IsColumnHeader(std::string_view line) {
  return AnyWord(line, [](std::string_view word) { return word == "Type" || word == "Typ"; });
}

class StatementReader {
 public:
  StatementReader(TradeTable& table, ReportStatistics& stats, bool adding, Progress& progress,
                  Messages& messages, std::size_t linesPerBatch)
      : table_(table),
        stats_(stats),
        adding_(adding),
        progress_(progress),
        messages_(messages),
        linesPerBatch_(linesPerBatch) {
    if (!adding) {
      stats_.statementDeposit = stats_.depositTotal = stats_.withdrawalTotal = 0;
      stats_.interestTotal = stats_.rebateTotal = stats_.feeTotal = 0;
      stats_.testerReport = stats_.taxesListed = false;
      stats_.openingBalance = stats_.testerFinalBalance = 0;
      stats_.balanceRows.clear();
      stats_.testerCloses.Clear();
      stats_.origin = ReportOrigin::mt4;
      stats_.mt5TradeDeals = stats_.mt5Closes = 0;
      stats_.mt5History = false;
    }
    // Figures printed for one report do not describe a window of several.
    stats_.printedFigures.clear();
    nextRow_ = adding ? std::max(table_.RowCount() - 1, 0) : 0;
    finishedUpTo_ = nextRow_;  // the stored rows were finished when they were read
    if (table_.RowCount() < nextRow_ + 1) table_.SetRowCount(nextRow_ + 1);
  }

  void Read(LineReader& lines);
  bool FinishSomeRows();
  void FinishRows();

 private:
  // How a header line ends the header: not at all, as the English column
  // header, or as the first order row of a report whose labels are translated.
  enum class HeaderEnd { none, columns, firstRow };
  HeaderEnd HeaderLine(std::string_view line);
  void EndHeader();
  // A tester report without the English deposit label is read by shape.
  bool ShapeTester() const { return testerReport_ && !depositLabel_; }
  void CheckShapeDeposit(const StatementWords& words);
  void ApplyTooltip();
  void ReadDeposit(std::string_view line);
  void PrepareTesterRows();
  bool TesterLine(std::string& line);
  void OpenTesterTrade(const StatementWords& words, bool swapOpen);
  void CloseTesterTrade(const StatementWords& words);
  void KeepTesterClose(const StatementWords& words, int row, bool atStop);
  bool StatementLine(std::string_view line);
  void Continue(const StatementWords& words);
  void BalanceOperation(std::string_view line);
  void KeepBalanceRow(const StatementWords& words, std::string_view line);
  void SummaryLine(std::string_view line);
  void KeepHeaderLine(std::string_view line);
  void KeepSummary(int label, std::string_view amount);
  void TesterTotalsLine(std::string_view line);
  void EndTotals();
  void StoreStatementTrade(const StatementWords& words);
  void SetTaxes(const StatementWords& words, int word);
  void MarkForColumns(int row, bool statementTrade);
  void FinishRow(int row);
  void StoreRow();
  void Step();
  bool RowInRange(const StatementWords& words);
  bool AmountInRange(std::string_view amount);
  void LeaveOut();
  void ShowLeftOut();
  // A MetaTrader 5 tester report (mt5_report.h).
  void StartMt5();
  void ReadMt5(const std::function<bool()>& next, std::string& line);
  void Mt5Line(std::string_view line, Mt5LineReading& reading);
  void Mt5OtherLine(std::string_view line);
  Mt5Row ReadMt5Deal(std::string_view line, Mt5Deal& deal);
  void Mt5PositionRow(std::string_view line);
  void StoreMt5Trade(Mt5Trade& trade);
  void EndMt5();

  TradeTable& table_;
  ReportStatistics& stats_;
  bool adding_;
  Progress& progress_;
  Messages& messages_;

  bool testerReport_ = false;
  bool ownReport_ = false;
  bool hasTaxes_ = false;
  std::string testerSymbol_;
  long long ticketBase_ = 0;
  int nextRow_ = 0;
  bool continuation_ = false;
  bool swapSell_ = false;
  bool warned_ = false;
  OrderIndex orders_;
  // Reports in other languages (report_shape.h).
  bool translated_ = false;    // the header ended at an order row: no English column header
  bool depositLabel_ = false;  // a header line named the deposit in English
  bool taxesKnown_ = false;    // the first trade row was looked at for a taxes column
  bool depositChecked_ = false;
  TesterHeaderShape testerShape_;
  // The tooltip line (its mark in front) of the current line's ticket cell,
  // and one of a stored trade that a magic line under it would overrule.
  std::string tooltip_;
  std::string pendingTooltip_;
  // The kDroppedBlankMark line of the current line, mark in front; empty when none.
  std::string blanks_;
  // The label and value lines of a MetaTrader 5 report's settings and results.
  PrintedBlock printed_;
  // A MetaTrader 4 tester's first lines as printed, and a statement's
  // figures from its "Summary:" line on.
  std::vector<std::string> headerLines_;
  std::size_t headerBytes_ = 0;
  PrintedBlock statementBlock_ = PrintedBlock::Mt4Statement();
  bool inSummary_ = false;
  int tooltipRow_ = -1;
  // Per row: the computed columns are still to fill (kTesterTrade,
  // kStatementTrade), or the row is finished until it is marked again (kDone).
  enum Columns : unsigned char { kNone, kTesterTrade, kStatementTrade, kDone };
  // Two bits a row: a backtest has a million rows. Rows past the end are kNone.
  class RowColumns {
   public:
    Columns operator[](std::size_t row) const {
      const std::size_t word = row / 32;
      return word < words_.size() ? static_cast<Columns>((words_[word] >> (row % 32 * 2)) & 3)
                                  : kNone;
    }
    void Set(std::size_t row, Columns state) {
      const std::size_t word = row / 32;
      if (word >= words_.size()) words_.resize(std::max(word + 1, words_.size() * 2), 0);
      const unsigned shift = row % 32 * 2;
      words_[word] =
          (words_[word] & ~(std::uint64_t{3} << shift)) | (std::uint64_t{state} << shift);
    }

   private:
    std::vector<std::uint64_t> words_;
  };
  RowColumns pending_;
  int finishedUpTo_ = 0;  // rows before it were finished while reading
  // The statement's summary block: Balance, Closed Trade P/L, Deposit/Withdrawal.
  std::array<double, 3> summary_{};
  int summaryFound_ = 0;
  int summaryLabel_ = -1;  // a label whose amount is on the next line
  bool wholeMoney_ = false;
  // The report's own totals and what the rows read add up to.
  PrintedTotals totals_;
  // The line being read: the page's own when the converter numbered it, else the text's.
  long long lineNumber_ = 0;
  // The lines of rows left out for an amount out of range.
  std::vector<long long> outOfRange_;
  long long outOfRangeCount_ = 0;
  // The balance printed on the tester's last closing row, read once at the end.
  std::string lastCloseBalance_;
  // A MetaTrader 5 report: its open entries and what could not be read.
  Mt5Positions mt5Positions_;
  std::vector<LineWord> mt5Words_;  // of the line being read
  // The Deals table's columns once settled, as the reading thread sees them; -1 before.
  std::atomic<int> mt5SettledColumns_{-1};
  std::size_t linesPerBatch_;
  bool mt5DealsSeen_ = false;
  bool mt5DepositSeen_ = false;
  int mt5Unknown_ = 0;
  int mt5Orphans_ = 0;
  int mt5Cut_ = 0;
  int mt5CutPositions_ = 0;
  // The numbers after the last deal (its footer), and what the buy and sell deals read add up to.
  std::vector<double> mt5Tail_;
  std::vector<double> mt5Footer_;  // the tail, once a line of words followed it
  double mt5DealCents_ = 0;
  // The Deals table's layout: the one its header row counts, until a row's
  // balance (the one before it plus its money) confirms it or another one.
  std::optional<Mt5DealColumns> mt5HeaderColumns_;
  Mt5DealColumns mt5Columns_ = Mt5DealColumns::plain;
  bool mt5ColumnsSettled_ = false;
  double mt5BalanceCents_ = 0;
  // An account history: its Positions table gives the trades.
  bool mt5History_ = false;
  Mt5History mt5HistoryTrades_;
};

void StatementReader::Step() {
  progress_.Advance(1);
  progress_.Pump();
}

void StatementReader::Read(LineReader& lines) {
  std::string line;
  long long count = 0;
  // A tooltip line goes with the line after it.
  auto next = [&] {
    tooltip_.clear();
    blanks_.clear();
    long long sourceLine = 0;
    bool more = lines.ReadLine(line);
    count += more;
    while (
        more && !line.empty() &&
        (line[0] == kTooltipMark || line[0] == kSourceLineMark || line[0] == kDroppedBlankMark)) {
      if (line[0] == kTooltipMark)
        tooltip_.swap(line);  // the mark stays in front
      else if (line[0] == kDroppedBlankMark)
        blanks_.swap(line);
      else
        sourceLine = TextToWhole(std::string_view(line).substr(1));
      more = lines.ReadLine(line);
      count += more;
    }
    lineNumber_ = sourceLine > 0 ? sourceLine : count;
    return more;
  };
  bool more = false;
  HeaderEnd end = HeaderEnd::none;
  while ((more = next()) && !IsMt5RowShape(line) && (end = HeaderLine(line)) == HeaderEnd::none) {
  }
  // Skip to the first row line.
  while (end == HeaderEnd::columns && more && (more = next()) &&
         !(!line.empty() && IsDigit(line[0]))) {
    if (Contains(line, "Taxes")) hasTaxes_ = true;
    Step();
  }
  // A MetaTrader 5 report's rows begin with their time, not a ticket.
  if (more && IsMt5RowShape(line)) {
    ReadMt5(next, line);
    progress_.SetPosition(count);
    return;
  }
  EndHeader();
  if (more) {
    if (testerReport_) PrepareTesterRows();
    do {
      if (Contains(line, "Working")) break;
      SummaryLine(line);
      bool handled = testerReport_ ? TesterLine(line) : StatementLine(line);
      if (handled) Step();
    } while (next());
  }
  ApplyTooltip();
  while (next()) {
    progress_.Advance(1);
    SummaryLine(line);
  }
  if (!adding_ && !lastCloseBalance_.empty())
    stats_.testerFinalBalance = TextToAmount(lastCloseBalance_);
  EndTotals();
  progress_.SetPosition(count);
}

// A statement of a period without a deposit starts from its opening balance,
// as the terminal walks it; the totals the report prints hold the rows read.
void StatementReader::EndTotals() {
  if (summaryFound_ == 7 && !adding_) {
    const double opening = summary_[0] - summary_[1] - summary_[2];
    stats_.openingBalance = opening;
    if (stats_.statementDeposit < 0.01 && opening >= 0.01) stats_.statementDeposit = opening;
  }
  if (!adding_)
    stats_.printedFigures =
        testerReport_ ? Mt4TesterFigures(headerLines_) : statementBlock_.Mt4StatementFigures();
  totals_.tester = testerReport_;
  totals_.decimals = wholeMoney_ ? 0 : 2;
  if (summaryFound_ & 2) totals_.closedProfit = summary_[1];
  if (summaryFound_ & 4) totals_.depositWithdrawal = summary_[2];
  ShowLeftOut();
  for (const std::string& message : totals_.Differences()) messages_.Show(message);
}

void StatementReader::ShowLeftOut() {
  if (outOfRange_.empty()) return;
  const bool one = outOfRangeCount_ == 1;
  std::string lines = one ? "Line " : "Lines ";
  for (std::size_t i = 0; i < outOfRange_.size(); ++i)
    lines += (i == 0 ? "" : ", ") + std::to_string(outOfRange_[i]);
  const long long more = outOfRangeCount_ - static_cast<long long>(outOfRange_.size());
  if (more > 0) lines += " and " + std::to_string(more) + " more";
  messages_.Show(lines +
                 (one ? " holds an amount beyond 10^15, which is no money amount: its row is"
                      : " hold amounts beyond 10^15, which are no money amounts: their rows are") +
                 " left out.");
}

// A row with a number out of range is left out, and its line named.
bool StatementReader::RowInRange(const StatementWords& words) {
  if (AmountsInRange(words)) return true;
  LeaveOut();
  return false;
}

bool StatementReader::AmountInRange(std::string_view amount) {
  if (IsAmountInRange(amount)) return true;
  LeaveOut();
  return false;
}

void StatementReader::LeaveOut() {
  constexpr std::size_t kNamed = 5;
  if (outOfRange_.size() < kNamed) outOfRange_.push_back(lineNumber_);
  ++outOfRangeCount_;
}

// Whether and how the line ends the header phase. The English column header
// comes before any order row; a report without one ends its header at the
// first line shaped as an order row, which is that row.
StatementReader::HeaderEnd StatementReader::HeaderLine(std::string_view line) {
  if (IsOrderRowShape(StatementWords(line))) {
    translated_ = true;
    return HeaderEnd::firstRow;
  }
  if (Contains(line, "Taxes")) hasTaxes_ = true;
  Step();
  printed_.Take(line, blanks_);
  if (Contains(line, "Strategy Tester")) testerReport_ = true;
  if (testerReport_ && !adding_) stats_.testerReport = true;
  if (Contains(line, "Quillfen") || Contains(line, "Marbelline")) ownReport_ = true;
  if (testerReport_ && Contains(line, "Symbol ")) {
    testerSymbol_ = StatementWords(line)[1];
    for (char& c : testerSymbol_)
      c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  if (testerReport_) {
    testerShape_.Watch(line);
    TesterTotalsLine(line);
  }
  if (IsColumnHeader(line)) return HeaderEnd::columns;
  KeepHeaderLine(line);
  const bool depositLabel = Contains(line, "Deposit") || Contains(line, "deposit");
  if (!adding_ && stats_.statementDeposit == 0 && depositLabel) ReadDeposit(line);
  // The English label is a word of its own; "MaxDeposit=100;" is a parameter.
  depositLabel_ = depositLabel_ || (depositLabel && AnyWord(line, [](std::string_view word) {
                                      return word == "deposit" || word == "Deposit";
                                    }));
  return HeaderEnd::none;
}

// What the English labels did not give, a tester report's settings and
// results give by their place.
void StatementReader::EndHeader() {
  if (!testerReport_) return;
  if (testerSymbol_.empty()) {
    testerSymbol_ = testerShape_.Symbol();
    for (char& c : testerSymbol_)
      c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  if (ShapeTester() && !adding_ && testerShape_.HasDeposit())
    stats_.statementDeposit = stats_.initialDeposit = testerShape_.Deposit();
}

// The first closing row's balance less its profit is the initial deposit,
// which a deposit read by shape must equal.
void StatementReader::CheckShapeDeposit(const StatementWords& words) {
  if (depositChecked_ || adding_ || !ShapeTester()) return;
  depositChecked_ = true;
  double deposit = 0;
  if (DepositBeforeClosingRow(words, deposit) &&
      std::fabs(deposit - stats_.statementDeposit) >= 0.005)
    stats_.statementDeposit = stats_.initialDeposit = deposit;
}

// The magic number and comment of a trade's tooltip, once no magic line came
// under the trade.
void StatementReader::ApplyTooltip() {
  if (tooltipRow_ < 0) return;
  const TicketTitle title = SplitTicketTitle(std::string_view(pendingTooltip_).substr(1));
  if (!title.magic.empty()) table_.SetCell(col::magic, tooltipRow_, title.magic);
  if (!title.comment.empty()) table_.SetCell(col::comment, tooltipRow_, title.comment);
  tooltipRow_ = -1;
}

// A tester report prints "Initial deposit 10000.00 ... Spread Current (13)" on
// one line: the amount is the first number after the deposit label.
void StatementReader::ReadDeposit(std::string_view line) {
  bool afterLabel = false;
  bool found = false;
  double amount = 0;
  AnyWord(line, [&](std::string_view word) {
    if (Contains(word, "Deposit") || Contains(word, "deposit")) {
      afterLabel = true;
      found = false;
    } else if (afterLabel && !found) {
      found = LeadingNumber(word, amount);
    }
    return false;
  });
  if (!found && !LeadingNumber(WordOfLastDigit(line), amount)) amount = 0;
  if (!(std::fabs(amount) <= kLargestAmount)) {
    messages_.Show(
        "The initial deposit is beyond 10^15, which is no money amount: it is left out.");
    amount = 0;
  }
  stats_.statementDeposit = amount;
  stats_.initialDeposit = amount;
}

// Tester order numbers of an added report start above every stored ticket, at
// the next multiple of 10000.
void StatementReader::PrepareTesterRows() {
  if (adding_) {
    long long largest = 0;
    for (int row = 0; row < table_.RowCount(); ++row)
      largest = std::max<long long>(largest, TextToWhole(table_.Cell(col::ticket, row)));
    ticketBase_ = (largest + 9999) / 10000 * 10000;
  }
  for (int row = 0; row < nextRow_; ++row)
    orders_.Store(TextToWhole(table_.Cell(col::ticket, row)) - ticketBase_, row);
}

void StatementReader::StoreRow() {
  table_.SetRowCount(nextRow_ + 2);
  ++nextRow_;
}

bool StatementReader::TesterLine(std::string& line) {
  const bool swapLine = Contains(line, "swap ");
  std::size_t at = swapLine ? line.find("swap open") : std::string::npos;
  if (at != std::string::npos) line[at + 4] = '-';
  at = swapLine ? line.find("swap close") : std::string::npos;
  if (at != std::string::npos) {
    // Blanked, the line reads as a close; the reopening that follows takes the
    // direction of the trade it closes.
    line.replace(at, 4, "    ");
    int row = orders_.Find(OrderNumber(StatementWords(line)[4]));
    swapSell_ = row >= 0 && table_.Cell(col::type, row) == "sell";
  }
  // A report read by shape keeps the terminal's figures: its trades closed
  // "at stop" at the end of the test count, as closes.
  if (ShapeTester()) {
    at = line.find("close at stop");
    if (at != std::string::npos) line.replace(at + 6, 7, 7, ' ');
  }
  StatementWords words(line);
  if (words.Contains(3, "stop") || words.Contains(3, "limit") || words.Contains(3, "modify"))
    return false;
  if (words.Contains(0, ".") || TextToWhole(words[0]) == 0) return false;
  if (!RowInRange(words)) return false;
  std::string type(words[3]);
  if (Contains(type, "swap")) type.append(words[4]);
  if (Contains(type, "buy") || Contains(type, "sell") || Contains(type, "swap-open"))
    OpenTesterTrade(words, Contains(type, "swap-open"));
  if (Contains(type, "close") || Contains(type, "s/l") || Contains(type, "t/p")) {
    if (!Contains(line, "at stop")) {
      CheckShapeDeposit(words);
      CloseTesterTrade(words);
    } else if (int row = orders_.Find(OrderNumber(words[4 + kAtStopWords])); row >= 0) {
      totals_.testerCents += AmountCents(TextToAmount(words[9 + kAtStopWords]));
      ++totals_.testerCloses;
      KeepTesterClose(words, row, true);
    }
  }
  return true;
}

void StatementReader::OpenTesterTrade(const StatementWords& words, bool swapOpen) {
  const int row = nextRow_;
  std::string type(words[3]);
  if (swapOpen) type = swapSell_ ? "sell" : "buy";
  table_.SetCell(col::type, row, type);
  table_.SetCell(col::symbol, row, testerSymbol_);
  table_.SetCell(col::openDate, row, words[1]);
  table_.SetCell(col::openTime, row, words[2]);
  table_.SetCell(col::ticket, row, std::to_string(TextToWhole(words[4]) + ticketBase_));
  table_.SetCell(col::lots, row, words[5]);
  std::string price(words[6]);
  NormalisePrice(price);
  table_.SetCell(col::openPrice, row, price);
  table_.SetCell(col::stopLoss, row, words[7]);
  table_.SetCell(col::takeProfit, row, words[8]);
  orders_.Store(TextToWhole(table_.Cell(col::ticket, row)) - ticketBase_, row);
  StoreRow();
}

void StatementReader::CloseTesterTrade(const StatementWords& words) {
  const int row = orders_.Find(OrderNumber(words[4]));
  if (row < 0) {
    if (!warned_) messages_.Show(kTicketWarning);
    warned_ = true;
    return;
  }
  table_.SetCell(col::closeDate, row, words[1]);
  table_.SetCell(col::closeTime, row, words[2]);
  std::string price(words[6]);
  NormalisePrice(price);
  table_.SetCell(col::closePrice, row, price);
  table_.SetCell(col::profit, row, words[9]);
  totals_.testerCents += AmountCents(TextToAmount(words[9]));
  ++totals_.testerCloses;
  KeepTesterClose(words, row, false);
  MarkForColumns(row, false);
}

// "close at stop" takes two words more than any other closing type.
void StatementReader::KeepTesterClose(const StatementWords& words, int row, bool atStop) {
  if (adding_) return;
  const int shift = atStop ? kAtStopWords : 0;
  // A normal close's profit is in the table; only the closing at the end of
  // the test, which the table keeps open, needs its own.
  // The row carries its closing row's place wherever sorts and deletions move it.
  const bool newTrade = table_.RowTag(row) == TextGrid::kNoTag;
  if (stats_.testerCloses.Count() < TextGrid::kNoTag)
    table_.SetRowTag(row, stats_.testerCloses.Add(newTrade, atStop,
                                                  atStop ? TextToAmount(words[9 + shift]) : 0));
  lastCloseBalance_.assign(words[10 + shift]);
}

// The header's labels were read as a MetaTrader 4 tester's: the deposit of a
// MetaTrader 5 report comes from its first balance deal instead.
void StatementReader::StartMt5() {
  testerReport_ = false;
  if (adding_) return;
  stats_.testerReport = false;
  stats_.origin = ReportOrigin::mt5;
  stats_.statementDeposit = stats_.initialDeposit = 0;
}

void StatementReader::Mt5OtherLine(std::string_view line) {
  if (TrimmedView(line).empty()) return;
  if (!mt5DealsSeen_) {
    // The line before the first deal is the Deals table's header row.
    mt5HeaderColumns_ = Mt5DealColumnsOf(line);
    return;
  }
  if (!mt5History_) {
    if (!ReadMt5Numbers(line, mt5Tail_)) mt5Tail_.clear();
    return;
  }
  if (!mt5Footer_.empty() || ReadMt5Numbers(line, mt5Tail_)) return;
  // Open positions, account lines and figures follow the footer in a history.
  mt5Footer_.swap(mt5Tail_);
  mt5Tail_.clear();
}

Mt5Row StatementReader::ReadMt5Deal(std::string_view line, Mt5Deal& deal) {
  if (mt5ColumnsSettled_) return ReadMt5Row(line, mt5Words_, mt5Columns_, deal);
  const Mt5DealColumns guess = mt5HeaderColumns_.value_or(Mt5DealColumns::plain);
  const Mt5Row row = ReadMt5Row(line, mt5Words_, guess, deal);
  if (row != Mt5Row::deal && row != Mt5Row::balance && row != Mt5Row::cut) return row;
  // The layouts under which the row's balance is the one before it plus its money.
  std::vector<std::pair<Mt5DealColumns, Mt5Deal>> fits;
  Mt5Row fitting = row;
  for (Mt5DealColumns columns :
       {Mt5DealColumns::plain, Mt5DealColumns::fee, Mt5DealColumns::costAndFee}) {
    Mt5Deal read;
    const Mt5Row kind = ReadMt5Row(line, mt5Words_, columns, read);
    if ((kind == Mt5Row::deal || kind == Mt5Row::balance) &&
        AmountCents(TextToAmount(read.balance)) == mt5BalanceCents_ + read.cents) {
      fitting = kind;
      fits.emplace_back(columns, std::move(read));
    }
  }
  if (fits.empty()) return row;
  const auto counted =
      std::find_if(fits.begin(), fits.end(), [&](const auto& fit) { return fit.first == guess; });
  // A balance deal has no cost cell: it may fit both layouts with a fee.
  const auto& chosen = counted != fits.end() ? *counted : fits.front();
  mt5ColumnsSettled_ = (mt5HeaderColumns_ && counted != fits.end()) || fits.size() == 1;
  mt5Columns_ = chosen.first;
  deal = chosen.second;
  return fitting;
}

// A row of an account history's Positions table, or after the deals of its
// Open Positions table.
void StatementReader::Mt5PositionRow(std::string_view line) {
  Mt5Position position;
  const bool read = ReadMt5Position(line, mt5Words_, position);
  if (!mt5DealsSeen_) {
    mt5History_ = true;
    if (!adding_) stats_.mt5History = true;
    if (read && !position.closeDate.empty())
      mt5HistoryTrades_.AddPosition(std::move(position));
    else
      ++mt5CutPositions_;
  } else if (mt5History_ && read && position.closeDate.empty()) {
    mt5HistoryTrades_.AddPosition(std::move(position));
  } else {
    ++mt5Cut_;
  }
}

// The rows' words are split and read on a second thread, as far as they can
// be before the columns of the Deals table are settled.
void StatementReader::ReadMt5(const std::function<bool()>& next, std::string& line) {
  StartMt5();
  // While no batch waits for it, the second thread also makes the table's
  // room ahead of its rows: a trade for every two orders it has read, one
  // opening a position and one closing it. This thread takes the room in
  // between lines.
  RoomAhead room(table_, nextRow_ + 1);
  int ordersRead = 0;           // of the second thread
  std::vector<LineWord> words;  // of the second thread
  ReadAhead<Mt5LineReading> ahead(
      linesPerBatch_,
      [&](std::string_view text, Mt5LineReading& reading) {
        const int settled = mt5SettledColumns_.load();
        ReadMt5Line(text, settled < 0 ? std::nullopt : std::optional(Mt5DealColumns(settled)),
                    words, reading);
        ordersRead += reading.kind == Mt5Row::order;
      },
      [&](const AheadLine& taken, Mt5LineReading& reading) {
        blanks_.assign(taken.blanks);
        lineNumber_ = taken.number;
        Mt5Line(taken.text, reading);
        Step();
      },
      [&] { return room.MakeSome(ordersRead / 2); });
  std::size_t lines = 0;
  do {
    ahead.Add({line, blanks_, lineNumber_});
    if (++lines % linesPerBatch_ == 0) room.GiveTo(table_);
  } while (next());
  ahead.Finish();
  EndMt5();
}

void StatementReader::Mt5Line(std::string_view line, Mt5LineReading& reading) {
  if (!reading.row) {
    Mt5OtherLine(line);
    printed_.Take(line, blanks_);  // an account history prints its Results last
    return;
  }
  mt5Tail_.clear();
  if (!reading.inRange) {
    LeaveOut();
    return;
  }
  Mt5Deal& deal = reading.deal;
  Mt5Row row = reading.kind.value_or(Mt5Row::cut);
  // A deal read before the columns were settled is read again here, in its turn.
  const bool again =
      !reading.kind || (!mt5ColumnsSettled_ && row != Mt5Row::order && row != Mt5Row::position);
  if (again || row == Mt5Row::position) LineWords(line, mt5Words_);
  if (again) {
    row = ReadMt5Deal(line, deal);
    if (mt5ColumnsSettled_) mt5SettledColumns_.store(static_cast<int>(mt5Columns_));
  }
  if (row == Mt5Row::order) return;
  if (row == Mt5Row::position) {
    Mt5PositionRow(line);
    return;
  }
  // Before the Deals table only orders and positions stand: what else is shaped as a row there is
  // no deal.
  if (row == Mt5Row::balance || row == Mt5Row::deal) mt5DealsSeen_ = true;
  if (!mt5DealsSeen_) return;
  // The balance is followed only until the Deals table's columns are settled.
  if ((row == Mt5Row::balance || row == Mt5Row::deal) && !mt5ColumnsSettled_)
    mt5BalanceCents_ = AmountCents(TextToAmount(deal.balance));
  if (row == Mt5Row::cut) {
    ++mt5Cut_;
  } else if (row == Mt5Row::unknownType) {
    ++mt5Unknown_;
  } else if (row == Mt5Row::balance && !mt5DepositSeen_) {
    // The first balance deal is the tester's initial deposit, as an MT4
    // tester's settings give it: no balance operation.
    mt5DepositSeen_ = true;
    if (!adding_) stats_.statementDeposit = stats_.initialDeposit = TextToAmount(deal.profit);
  } else if (row == Mt5Row::balance) {
    // As a statement's balance line: ticket, time, type, comment, amount last.
    const std::string balanceLine = deal.number + " " + deal.date + " " + deal.time + " balance " +
                                    deal.comment + " " + deal.profit;
    KeepBalanceRow(StatementWords(balanceLine), balanceLine);
    BalanceOperation(balanceLine);
  } else {
    ++stats_.mt5TradeDeals;
    mt5DealCents_ += deal.cents;
    if (mt5History_) mt5HistoryTrades_.AddDeal(deal);
    if (deal.direction == "in") {
      mt5Positions_.Enter(deal);
      return;
    }
    ++stats_.mt5Closes;
    // A history's trades are its positions; its deals are only paired to count the orphans.
    Mt5Trade trade = mt5Positions_.Close(deal);
    mt5Orphans_ += trade.orphan;
    if (!mt5History_) StoreMt5Trade(trade);
  }
}

void StatementReader::StoreMt5Trade(Mt5Trade& trade) {
  const int row = nextRow_;
  auto set = [&](int column, const std::string& text) { table_.SetCell(column, row, text); };
  set(col::ticket, trade.ticket);
  set(col::type, trade.type);
  set(col::lots, trade.lots);
  set(col::symbol, trade.symbol);
  set(col::openDate, trade.openDate);
  set(col::openTime, trade.openTime);
  set(col::closeDate, trade.closeDate);
  set(col::closeTime, trade.closeTime);
  // The Deals table names no stops: none, written as the terminal writes none
  // (Mt5Trade's default), so that every later step finds the cells it expects.
  set(col::stopLoss, trade.stopLoss);
  set(col::takeProfit, trade.takeProfit);
  NormalisePrice(trade.openPrice);
  set(col::openPrice, trade.openPrice);
  NormalisePrice(trade.closePrice);
  set(col::closePrice, trade.closePrice);
  set(col::commission, trade.commission);
  set(col::swap, trade.swap);
  set(col::profit, trade.profit);
  set(col::comment, trade.comment);
  MarkForColumns(row, true);
  StoreRow();
}

// Entries still open at the end are open trades; what could not be read is told.
void StatementReader::EndMt5() {
  std::vector<Mt5Trade> trades =
      mt5History_ ? mt5HistoryTrades_.TakeTrades() : mt5Positions_.StillOpen();
  for (Mt5Trade& trade : trades) StoreMt5Trade(trade);
  auto tell = [&](int count, std::string_view what) {
    if (count > 0) messages_.Show(std::string(what) + ": " + std::to_string(count));
  };
  tell(mt5Unknown_, "Deals of a type this program does not read, skipped");
  if (mt5History_)
    tell(mt5Orphans_,
         "Closing deals without an entry deal; their positions are read as the Positions table "
         "prints them");
  else
    tell(mt5Orphans_,
         "Closing deals without an entry deal, kept as trades without an opening "
         "(only the original sizing counts their profit)");
  tell(mt5CutPositions_, "Rows of the Positions table that lack cells, not read");
  tell(mt5Cut_, "Rows of the Deals table that lack cells, not read");
  if (!adding_) {
    stats_.printedFigures = printed_.Mt5Results();
    if (stats_.printedFigures.empty()) messages_.Show(kNoResultsBlock);
  }
  ShowLeftOut();
  // The footer: commission, [fee,] swap, profit and balance.
  const std::vector<double>& footer = mt5Footer_.empty() ? mt5Tail_ : mt5Footer_;
  const std::size_t money = mt5Columns_ == Mt5DealColumns::plain ? 4 : 5;
  // Deals already told of as not read would only be told again.
  if (footer.size() == money && mt5Unknown_ == 0 && mt5Cut_ == 0 && outOfRangeCount_ == 0) {
    double profit = 0;
    for (std::size_t n = 0; n + 1 < money; ++n) profit += footer[n];
    totals_.closedProfit = profit;
    totals_.closedCents = mt5DealCents_;
    for (const std::string& message : totals_.Differences()) messages_.Show(message);
  }
}

// True when the line was handled to its end.
bool StatementReader::StatementLine(std::string_view line) {
  StatementWords words(line);
  if (words.Contains(3, "stop") || words.Contains(3, "limit")) return false;
  // Credit (a broker's bonus) is neither a trade nor the account's own money.
  if (words[3] == "credit") {
    if (words.Has(4) && AmountInRange(LastWord(line))) KeepBalanceRow(words, line);
    return false;
  }
  if (Contains(line, "cancel") || Contains(line, "Cancel")) return false;
  if (Contains(line, "Closed P/L") || Contains(line, "Floating P/L")) {
    continuation_ = false;
    return false;
  }
  // Translated, the totals under a section are told by their numbers alone.
  if (translated_ && IsNumbersLine(words, 3)) {
    continuation_ = false;
    return false;
  }
  if (continuation_ && !HasDateAfterFirstWord(line) && !words.Contains(0, ".")) {
    Continue(words);
    return false;
  }
  continuation_ = HasDateAfterFirstWord(line);
  if (words.Contains(0, ".") || TextToWhole(words[0]) == 0) return false;
  // A balance line without a comment has its amount as word 4.
  const bool balance = words.Contains(3, "balance");
  if (!words.Has(balance ? 4 : 5)) return false;
  // A balance row's comment may hold any number; its amount is its last word.
  if (balance ? !AmountInRange(LastWord(line)) : !RowInRange(words)) return false;
  table_.SetCell(col::ticket, nextRow_, words[0]);
  table_.SetCell(col::type, nextRow_, words[3]);
  if (balance) {
    KeepBalanceRow(words, line);
    totals_.balanceCents += AmountCents(stats_.balanceRows.back().amount);
    BalanceOperation(line);
    return false;
  }
  // A header without the English "Taxes" leaves the row to tell its columns.
  if (!taxesKnown_) {
    taxesKnown_ = true;
    if (!hasTaxes_ && !ownReport_) hasTaxes_ = HasTaxesColumn(words);
  }
  StoreStatementTrade(words);
  return true;
}

// The magic number and comment line under a trade. Before the first trade it
// fills row 0, which then counts as stored and is never shown.
void StatementReader::Continue(const StatementWords& words) {
  if (nextRow_ == 0) {
    nextRow_ = 1;
    if (table_.RowCount() < 2) table_.SetRowCount(2);
  }
  const int row = nextRow_ - 1;
  if (tooltipRow_ == row) tooltipRow_ = -1;  // the magic line overrules the tooltip
  if (!words[0].empty() && IsDigit(words[0][0])) {
    table_.SetCell(col::magic, row, words[0]);
    if (words.Has(1)) table_.SetCell(col::comment, row, words[1]);
  } else {
    table_.SetCell(col::comment, row, words[0]);
  }
}

void StatementReader::BalanceOperation(std::string_view line) {
  double amount = TextToAmount(LastWord(line));
  if (Contains(line, "Interest") || Contains(line, "Balance update")) {
    stats_.interestTotal += amount;
  } else if (Contains(line, " rb ") || Contains(line, "Rebate") || Contains(line, "rebate")) {
    stats_.rebateTotal += amount;
  } else if (Contains(line, " Fee ")) {
    stats_.feeTotal -= amount;
  } else if (Contains(line, "Withdrawal") || Contains(line, "withdrawal") || amount < 0) {
    // Money taken out under any other comment ("Withdraw:...", "Transfer out")
    // is a withdrawal too; only money put in counts as a deposit.
    stats_.withdrawalTotal -= amount;
  } else {
    stats_.depositTotal += amount;
    if (stats_.statementDeposit < 0.01) stats_.statementDeposit = stats_.depositTotal;
  }
}

// Amount as the last word, as BalanceOperation reads it.
void StatementReader::KeepBalanceRow(const StatementWords& words, std::string_view line) {
  double amount = TextToAmount(LastWord(line));
  stats_.balanceRows.push_back({std::string(words[1]), std::string(words[2]), amount});
}

// What a tester report prints above its rows is a few dozen lines.
void StatementReader::KeepHeaderLine(std::string_view line) {
  constexpr std::size_t kHeaderBytes = 1 << 20;
  if (headerBytes_ + line.size() > kHeaderBytes) return;
  headerBytes_ += line.size();
  headerLines_.push_back(PrintedLine(line, blanks_));
}

// "Deposit/Withdrawal: -255000.00 Credit Facility: 0.00" and its two sister
// lines. The terminal writes each cell on a line of its own: the amount then
// comes on the line after its label.
void StatementReader::SummaryLine(std::string_view line) {
  if (inSummary_ || line == "Summary:") {
    inSummary_ = true;
    statementBlock_.Take(line, blanks_);
  }
  static constexpr std::array<std::string_view, 3> kLabels = {
      "Balance:", "Closed Trade P/L:", "Deposit/Withdrawal:"};
  if (summaryLabel_ >= 0) {
    KeepSummary(std::exchange(summaryLabel_, -1), StatementWords(line)[0]);
    return;
  }
  for (std::size_t i = 0; i < kLabels.size(); ++i) {
    if (!line.starts_with(kLabels[i])) continue;
    const std::string_view amount = StatementWords(line.substr(kLabels[i].size()))[0];
    if (amount.empty())
      summaryLabel_ = static_cast<int>(i);
    else
      KeepSummary(static_cast<int>(i), amount);
  }
}

void StatementReader::KeepSummary(int label, std::string_view amount) {
  double value = 0;
  if (!LeadingNumber(amount, value) || !IsAmountInRange(amount)) return;
  summary_[static_cast<std::size_t>(label)] = TextToAmount(amount);
  summaryFound_ |= 1 << label;
  // A JPY account prints whole amounts.
  if (label == 0) wholeMoney_ = amount.find_first_of(".,") == std::string_view::npos;
}

// "Total net profit 71002.00 Gross profit ..." and "Total trades 1967 Short ...".
void StatementReader::TesterTotalsLine(std::string_view line) {
  auto amountAfter = [&](std::string_view label, double& value) {
    if (!line.starts_with(label)) return false;
    const std::string_view word = StatementWords(line.substr(label.size()))[0];
    return LeadingNumber(word, value) && IsAmountInRange(word);
  };
  if (double value = 0; amountAfter("Total net profit", value)) totals_.netProfit = value;
  if (double value = 0; amountAfter("Total trades", value))
    totals_.trades = static_cast<long long>(value);
}

void StatementReader::SetTaxes(const StatementWords& words, int word) {
  table_.SetCell(col::taxes, nextRow_, words[word]);
  if (TextToAmount(words[word]) != 0) stats_.taxesListed = true;
}

void StatementReader::StoreStatementTrade(const StatementWords& words) {
  ApplyTooltip();
  const int row = nextRow_;
  if (!tooltip_.empty()) {
    pendingTooltip_.swap(tooltip_);
    tooltipRow_ = row;
  }
  auto set = [&](int column, int word) { table_.SetCell(column, row, words[word]); };
  set(col::symbol, 5);
  set(col::lots, 4);
  set(col::openDate, 1);
  set(col::openTime, 2);
  set(col::openPrice, 6);
  set(col::stopLoss, 7);
  set(col::takeProfit, 8);
  const int t = hasTaxes_ ? 1 : 0;
  if (words.Has(14) && ownReport_ && !IsDate(words[9])) {
    // An open trade in an exported report: word 9 is a price, not a date; a
    // trade of which no price is known was written with 0.
    if (TextToAmount(words[9]) != 0) set(col::closePrice, 9);
    set(col::commission, 10);
    set(col::swap, 11);
    set(col::profit, 12);
  } else if (words.Has(14)) {
    set(col::closeDate, 9);
    set(col::closeTime, 10);
    set(col::closePrice, 11);
    set(col::commission, 12);
    if (t) SetTaxes(words, 13);
    set(col::swap, 13 + t);
    set(col::profit, 14 + t);
    for (int word = 12; word <= 14 + t; ++word)
      totals_.closedCents += AmountCents(TextToAmount(words[word]));
  } else {
    set(col::closePrice, 9);
    set(col::commission, 10);
    if (t) SetTaxes(words, 11);
    set(col::swap, 11 + t);
    set(col::profit, 12 + t);
  }
  MarkForColumns(row, true);
  StoreRow();
}

// The columns computed from a row's cells are filled once its cells are read:
// no later line changes them.
void StatementReader::MarkForColumns(int row, bool statementTrade) {
  const auto index = static_cast<std::size_t>(row);
  // Room grows by doubling, but only the rows read are written.
  pending_.Set(index, statementTrade ? kStatementTrade : kTesterTrade);
}

// A batch of the rows read so far, while the text is still coming. A tester
// row closed again later is marked again and finished once more at the end.
bool StatementReader::FinishSomeRows() {
  constexpr int kBatch = 256;
  const int last = std::min(finishedUpTo_ + kBatch, nextRow_);
  for (; finishedUpTo_ < last; ++finishedUpTo_) {
    FinishRow(finishedUpTo_);
    pending_.Set(static_cast<std::size_t>(finishedUpTo_), kDone);
  }
  return finishedUpTo_ < nextRow_;
}

// Dates are kept as yyyy/mm/dd whatever separator the statement printed; the
// durations are taken before.
void StatementReader::FinishRow(int row) {
  const auto index = static_cast<std::size_t>(row);
  if (pending_[index] == kTesterTrade || pending_[index] == kStatementTrade)
    FillComputedColumns(table_, row, pending_[index] == kStatementTrade);
  for (int column : {col::openDate, col::closeDate})
    for (char& c : table_.CellCharacters(column, row))
      if (!IsDigit(c) && c != ' ') c = '/';
}

// Rows are independent here, so many rows left are finished on two threads,
// each taking half of those not finished while reading.
void StatementReader::FinishRows() {
  const int rows = table_.RowCount();
  auto finish = [&](int first, int last) {
    for (int row = first; row < last; ++row)
      if (pending_[static_cast<std::size_t>(row)] != kDone) FinishRow(row);
  };
  constexpr int kWorthASecondThread = 4096;
  if (rows - finishedUpTo_ < kWorthASecondThread) return finish(0, rows);
  const int half = finishedUpTo_ + (rows - finishedUpTo_) / 2;
  RunBeside([&] { finish(0, half); }, [&] { finish(half, rows); }, [] {});
}

}  // namespace

void ReadStatement(TradeTable& table, ReportStatistics& stats, TextPipe& pipe, bool adding,
                   Progress& progress, Messages& messages, std::size_t linesPerBatch) {
  StatementReader reader(table, stats, adding, progress, messages, linesPerBatch);
  std::exception_ptr failure;
  pipe.WhileWaiting([&] {
    try {
      return !failure && reader.FinishSomeRows();
    } catch (...) {
      failure = std::current_exception();  // not through the stream's C code
      return false;
    }
  });
  LineReader lines(pipe.Reader(), false);
  try {
    reader.Read(lines);
  } catch (...) {
    pipe.WhileWaiting({});  // the work refers to this reader
    throw;
  }
  pipe.WhileWaiting({});
  if (failure) std::rethrow_exception(failure);
  reader.FinishRows();
}

}  // namespace quillfen
