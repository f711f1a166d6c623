#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "import/printed_figure.h"

namespace quillfen {

// What the user is told of a MetaTrader 5 report without a whole Results block.
inline constexpr const char* kNoResultsBlock =
    "The report prints no Results block: the figures shown are computed from its trades only.";

// The line as printed: the converted line with the blanks put back that its
// kDroppedBlankMark line (mark in front, or empty) names.
std::string PrintedLine(std::string_view line, std::string_view blanks);

// Gathers the label and value pairs of a MetaTrader 5 report's lines that are
// no rows, a cell a line as the terminal writes them or a row a line, and
// finds its Results block among them by the number of its figures: the labels
// are translated, their places are not.
class PrintedBlock {
 public:
  // A MetaTrader 4 statement's Summary and Details blocks instead: a word on
  // a line of its own ("Largest") heads the label after it, a label in lower
  // case ("loss trade:") takes the first word of the one before, and a label
  // without a value is a heading.
  static PrintedBlock Mt4Statement() { return PrintedBlock(true); }
  PrintedBlock() = default;

  // A converted line and its kDroppedBlankMark line (empty when none).
  void Take(std::string_view line, std::string_view blanks);
  // The Results block under English labels: a tester report's 46 figures or
  // an account history's 25; empty when the report prints no whole block.
  std::vector<PrintedFigure> Mt5Results();
  // A MetaTrader 4 statement's figures as it labels them.
  std::vector<PrintedFigure> Mt4StatementFigures();

 private:
  explicit PrintedBlock(bool statement) : statement_(statement) {}
  void Add(std::string label, std::string text);
  void EndGroup();
  void Plain(std::string_view text);

  bool statement_ = false;
  std::string prefix_;     // a statement's word that heads the next label
  std::string lastLabel_;  // a statement's label before
  // The pairs since the last line that is neither label nor value.
  std::vector<PrintedFigure> group_;
  bool groupTooLong_ = false;
  std::vector<PrintedFigure> results_;  // the last group of a Results block's size
  std::optional<std::string> label_;    // a label whose value is still to come
};

// The MetaTrader 4 tester's settings and summary block, a table row a line
// (cells apart by two blanks or more), from the report's first lines: under
// the English labels by place when the rows have the block's shape, else as
// the report labels them.
std::vector<PrintedFigure> Mt4TesterFigures(const std::vector<std::string>& lines);

}  // namespace quillfen
