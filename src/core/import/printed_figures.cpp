#include "import/printed_figures.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <utility>

#include "text/text_conversions.h"

namespace quillfen {

namespace {

// The tester's Results block, three figures a row, in the terminal's order.
constexpr std::array<std::string_view, 46> kTesterLabels = {
    "History Quality",
    "Bars",
    "Ticks",
    "Symbols",
    "Total Net Profit",
    "Balance Drawdown Absolute",
    "Equity Drawdown Absolute",
    "Gross Profit",
    "Balance Drawdown Maximal",
    "Equity Drawdown Maximal",
    "Gross Loss",
    "Balance Drawdown Relative",
    "Equity Drawdown Relative",
    "Profit Factor",
    "Expected Payoff",
    "Margin Level",
    "Recovery Factor",
    "Sharpe Ratio",
    "Z-Score",
    "AHPR",
    "LR Correlation",
    "OnTester result",
    "GHPR",
    "LR Standard Error",
    "Total Trades",
    "Short Trades (won %)",
    "Long Trades (won %)",
    "Total Deals",
    "Profit Trades (% of total)",
    "Loss Trades (% of total)",
    "Largest profit trade",
    "Largest loss trade",
    "Average profit trade",
    "Average loss trade",
    "Maximum consecutive wins ($)",
    "Maximum consecutive losses ($)",
    "Maximal consecutive profit (count)",
    "Maximal consecutive loss (count)",
    "Average consecutive wins",
    "Average consecutive losses",
    "Correlation (Profits,MFE)",
    "Correlation (Profits,MAE)",
    "Correlation (MFE,MAE)",
    "Minimal position holding time",
    "Maximal position holding time",
    "Average position holding time",
};

// The account history's Results block; the empty label is the line that
// heads the three balance drawdowns and prints no figure.
constexpr std::array<std::string_view, 26> kHistoryLabels = {
    "Total Net Profit",
    "Gross Profit",
    "Gross Loss",
    "Profit Factor",
    "Expected Payoff",
    "Recovery Factor",
    "Sharpe Ratio",
    "",
    "Balance Drawdown Absolute",
    "Balance Drawdown Maximal",
    "Balance Drawdown Relative",
    "Total Trades",
    "Short Trades (won %)",
    "Long Trades (won %)",
    "Profit Trades (% of total)",
    "Loss Trades (% of total)",
    "Largest profit trade",
    "Largest loss trade",
    "Average profit trade",
    "Average loss trade",
    "Maximum consecutive wins ($)",
    "Maximum consecutive losses ($)",
    "Maximal consecutive profit (count)",
    "Maximal consecutive loss (count)",
    "Average consecutive wins",
    "Average consecutive losses",
};

// Longer groups, and groups with longer texts, are no figures block and are
// not kept.
constexpr std::size_t kLongestGroup = kTesterLabels.size();
constexpr std::size_t kLongestText = 1024;

struct Word {
  std::size_t from = 0;
  std::size_t to = 0;
};

std::vector<Word> WordsOf(std::string_view line) {
  std::vector<Word> words;
  std::size_t at = 0;
  while ((at = line.find_first_not_of(" \t", at)) != std::string_view::npos) {
    const std::size_t end = std::min(line.find_first_of(" \t", at), line.size());
    words.push_back({at, end});
    at = end;
  }
  return words;
}

// The blanks line of a part of its line that starts at `from`.
std::string ShiftedBlanks(std::string_view blanks, std::size_t from) {
  if (blanks.empty() || from == 0) return std::string(blanks);
  std::string shifted(1, blanks[0]);
  std::size_t at = 1;
  while (at < blanks.size()) {
    std::size_t end = blanks.find(' ', at);
    if (end == std::string_view::npos) end = blanks.size();
    const auto place = static_cast<std::size_t>(TextToWhole(blanks.substr(at, end - at)));
    at = end + 1;
    if (place <= from) continue;
    if (shifted.size() > 1) shifted.push_back(' ');
    shifted += std::to_string(place - from);
  }
  return shifted;
}

// A value next to a label on one line starts as a number does: a label
// after an empty value starts with a letter.
bool StartsAsValue(std::string_view word) {
  const std::size_t digit = word[0] == '-' || word[0] == '+' || word[0] == '(' ? 1 : 0;
  return digit < word.size() && IsDigit(word[digit]);
}

}  // namespace

std::string PrintedLine(std::string_view line, std::string_view blanks) {
  if (blanks.empty()) return std::string(line);
  std::string printed;
  std::size_t copied = 0;
  std::size_t at = 1;  // past the mark
  while (at < blanks.size()) {
    std::size_t end = blanks.find(' ', at);
    if (end == std::string_view::npos) end = blanks.size();
    const auto place = static_cast<std::size_t>(TextToWhole(blanks.substr(at, end - at)));
    at = end + 1;
    if (place <= copied || place >= line.size()) continue;
    printed.append(line.substr(copied, place - copied)).push_back(' ');
    copied = place;
  }
  printed.append(line.substr(copied));
  return printed;
}

// A label is the words up to one that ends with ":". A value is the rest of
// its line when no label follows on it, else one word and a word in brackets
// after it ("152.73 (5.06%)"). Words are told apart in the line as converted,
// so that "1 812.67" is one.
void PrintedBlock::Take(std::string_view line, std::string_view blanks) {
  // A line far longer than a row of figures is none, and is not taken apart.
  if (line.size() > 4 * kLongestText) {
    if (statement_)
      groupTooLong_ = true;
    else
      EndGroup();
    return;
  }
  const std::vector<Word> words = WordsOf(line);
  auto isLabelEnd = [&](std::size_t k) { return line[words[k].to - 1] == ':'; };
  auto span = [&](std::size_t first, std::size_t last) {
    const std::size_t from = words[first].from;
    return PrintedLine(line.substr(from, words[last].to - from), ShiftedBlanks(blanks, from));
  };
  std::size_t k = 0;
  while (k < words.size()) {
    std::size_t labelEnd = k;
    while (labelEnd < words.size() && !isLabelEnd(labelEnd)) ++labelEnd;
    if (label_) {
      const bool emptyValue =
          labelEnd == k ||
          (labelEnd < words.size() &&
           !StartsAsValue(line.substr(words[k].from, words[k].to - words[k].from)));
      if (emptyValue) {
        Add(*std::exchange(label_, std::nullopt), "");
        continue;
      }
      if (labelEnd == words.size()) {
        Add(*std::exchange(label_, std::nullopt), span(k, words.size() - 1));
        return;
      }
      std::size_t valueEnd = k;
      if (valueEnd + 1 < labelEnd && line[words[valueEnd + 1].from] == '(') ++valueEnd;
      Add(*std::exchange(label_, std::nullopt), span(k, valueEnd));
      k = valueEnd + 1;
      continue;
    }
    if (labelEnd == words.size()) {
      Plain(span(k, words.size() - 1));
      return;
    }
    std::string label = span(k, labelEnd);
    label.pop_back();
    if (statement_) {
      if (!prefix_.empty()) label = std::exchange(prefix_, {}) + " " + label;
      const bool lower = label[0] >= 'a' && label[0] <= 'z';
      if (lower && !lastLabel_.empty())
        label = lastLabel_.substr(0, lastLabel_.find(' ')) + " " + label;
      lastLabel_ = label;
    }
    label_ = std::move(label);
    k = labelEnd + 1;
  }
}

void PrintedBlock::Plain(std::string_view text) {
  if (!statement_) {
    EndGroup();  // a heading, or text that is no figure
    return;
  }
  prefix_ = text;
}

void PrintedBlock::Add(std::string label, std::string text) {
  if (statement_ && text.empty()) return;  // "Summary:", "Details:"
  if (group_.size() >= kLongestGroup || label.size() > kLongestText || text.size() > kLongestText) {
    groupTooLong_ = true;
    return;
  }
  group_.push_back({std::move(label), std::move(text)});
}

void PrintedBlock::EndGroup() {
  if (label_) Add(*std::exchange(label_, std::nullopt), "");
  if (!groupTooLong_ &&
      (group_.size() == kTesterLabels.size() || group_.size() == kHistoryLabels.size()))
    results_ = std::move(group_);
  group_.clear();
  groupTooLong_ = false;
}

std::vector<PrintedFigure> PrintedBlock::Mt5Results() {
  EndGroup();
  std::vector<PrintedFigure> figures;
  auto byPlace = [&](const auto& labels) {
    for (std::size_t i = 0; i < labels.size(); ++i)
      if (!labels[i].empty()) figures.push_back({std::string(labels[i]), results_[i].text});
  };
  // Only a history's drawdown heading prints no figure.
  if (results_.size() == kTesterLabels.size())
    byPlace(kTesterLabels);
  else if (results_.size() == kHistoryLabels.size() && results_[7].text.empty())
    byPlace(kHistoryLabels);
  return figures;
}

std::vector<PrintedFigure> PrintedBlock::Mt4StatementFigures() {
  if (label_) Add(*std::exchange(label_, std::nullopt), "");
  return groupTooLong_ ? std::vector<PrintedFigure>{} : group_;
}

namespace {

// The tester's settings rows, then its summary rows with their numbers of
// cells (a row of five starts with a word that heads its two labels).
constexpr std::array<std::string_view, 4> kMt4Settings = {"Symbol", "Period", "Model",
                                                          "Parameters"};
constexpr std::array<int, 13> kMt4RowCells = {6, 2, 4, 6, 4, 6, 6, 4, 5, 5, 5, 5, 5};
constexpr std::array<std::string_view, 29> kMt4Summary = {
    "Bars in test",
    "Ticks modelled",
    "Modelling quality",
    "Mismatched charts errors",
    "Initial deposit",
    "Spread",
    "Total net profit",
    "Gross profit",
    "Gross loss",
    "Profit factor",
    "Expected payoff",
    "Absolute drawdown",
    "Maximal drawdown",
    "Relative drawdown",
    "Total trades",
    "Short positions (won %)",
    "Long positions (won %)",
    "Profit trades (% of total)",
    "Loss trades (% of total)",
    "Largest profit trade",
    "Largest loss trade",
    "Average profit trade",
    "Average loss trade",
    "Maximum consecutive wins (profit in money)",
    "Maximum consecutive losses (loss in money)",
    "Maximal consecutive profit (count of wins)",
    "Maximal consecutive loss (count of losses)",
    "Average consecutive wins",
    "Average consecutive losses",
};

// The cells of a converted row: runs of two blanks or more part them; a
// blank inside a cell is one, as a browser shows it.
std::vector<std::string> Mt4Cells(std::string_view line) {
  std::vector<std::string> cells;
  std::size_t at = line.find_first_not_of(' ');
  while (at != std::string_view::npos) {
    std::size_t end = line.find("  ", at);
    if (end == std::string_view::npos) end = line.size();
    cells.emplace_back(line.substr(at, end - at));
    at = line.find_first_not_of(' ', end);
  }
  return cells;
}

bool IsWholeNumber(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), IsDigit);
}

}  // namespace

std::vector<PrintedFigure> Mt4TesterFigures(const std::vector<std::string>& lines) {
  std::vector<std::vector<std::string>> rows;
  for (const std::string& line : lines) rows.push_back(Mt4Cells(line));
  // The bars row starts the summary: the bars and the ticks are whole numbers.
  std::size_t bars = 0;
  while (bars < rows.size() &&
         !(rows[bars].size() == 6 && IsWholeNumber(rows[bars][1]) && IsWholeNumber(rows[bars][3])))
    ++bars;
  if (bars == rows.size()) return {};
  // The settings above it, a row each; a value may go on over lines of one
  // cell ("Parameters").
  std::vector<std::vector<std::string>> settings;
  std::vector<std::string> goesOn;
  for (std::size_t r = bars; r-- > 0 && settings.size() < kMt4Settings.size();) {
    if (rows[r].size() < 2) {
      goesOn.insert(goesOn.begin(), rows[r].begin(), rows[r].end());
      continue;
    }
    settings.insert(settings.begin(), rows[r]);
    settings.front().insert(settings.front().end(), goesOn.begin(), goesOn.end());
    goesOn.clear();
    if (rows[r][0] == kMt4Settings[0]) break;
  }
  const bool byPlace =
      settings.size() >= 3 && bars + kMt4RowCells.size() <= rows.size() &&
      std::equal(kMt4RowCells.begin(), kMt4RowCells.end(), rows.begin() + bars,
                 [](int cells, const auto& row) { return static_cast<int>(row.size()) == cells; });
  // A row of another shape keeps the labels the report prints.
  const bool english = !settings.empty() && settings[0][0] == kMt4Settings[0];
  std::vector<PrintedFigure> figures;
  std::size_t place = 0;
  auto add = [&](std::string label, std::string text) {
    if (byPlace && !english) label = place < kMt4Summary.size() ? kMt4Summary[place] : label;
    ++place;
    figures.push_back({std::move(label), std::move(text)});
  };
  for (std::size_t r = 0; r < settings.size(); ++r) {
    std::string value;
    for (std::size_t c = 1; c < settings[r].size(); ++c)
      value += (c > 1 ? " " : "") + settings[r][c];
    figures.push_back({byPlace && !english ? std::string(kMt4Settings[r]) : settings[r][0], value});
  }
  const std::size_t end = byPlace ? bars + kMt4RowCells.size() : rows.size();
  for (std::size_t r = bars; r < end; ++r) {
    const std::vector<std::string>& cells = rows[r];
    if (cells.size() < 2) break;
    const std::size_t odd = cells.size() % 2;
    for (std::size_t c = odd; c + 1 < cells.size(); c += 2)
      add(odd ? cells[0] + " " + cells[c] : cells[c], cells[c + 1]);
  }
  return figures;
}

}  // namespace quillfen
