#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "synthetic/mt5_deals.h"
#include "synthetic/page_writer.h"

namespace quillfen::synthetic {

// The markup both MetaTrader 5 reports share: one table of rows of <td>
// cells, labels ending in ":" and their values in <b>, section headings in a
// row of their own. A Japanese terminal translates labels, headings and
// column heads; deal and order types, directions, states and comments stay
// English.
class Mt5Markup {
 public:
  Mt5Markup(PageWriter& out, bool japanese) : out_(out), japanese_(japanese) {}

  // The label or heading in the page's language.
  std::string_view Word(std::string_view english) const;

  // The page's head; `generator` as the terminal names itself there (in
  // English in every language).
  void Head(std::string_view title, std::string_view generator);
  void End();
  // A heading row across the table (`th` rows in the lists, as the terminal).
  void Heading(std::string_view english, bool list);
  void Gap();
  // A label and a value across the settings' width.
  void Setting(std::string_view englishLabel, std::string_view value);
  // A row of label/value pairs (labels in English, translated here); a
  // leading blank of four columns when `indent`.
  using Pair = std::pair<std::string_view, std::string>;
  void Pairs(std::initializer_list<Pair> pairs, bool indent = false);
  // The column heads of a list; a head with "|2" after it takes two columns.
  void Columns(std::initializer_list<std::string_view> englishHeads);

  // List rows: Start, cells, Finish.
  void StartRow();
  void Cell(std::string_view text);
  void WideCell(std::string_view text);  // two columns
  void MoneyCell(long long cents);
  void PriceCell(long long points, int digits);  // empty when 0
  void VolumeCell(int hundredths);
  // An order's volume and how much of it filled: "0.10 / 0.10"; a canceled
  // order's "0.10 / 0", a placed one's "0.10 / 0.00".
  void OrderVolumeCell(int volume, int filled, bool placed);
  void TimeCell(Moment moment);
  void FinishRow();

  // A Deals row's cells up to its order number; a balance deal has none
  // but its type.
  void DealLead(const Mt5DealRow& deal, const std::vector<Instrument>& instruments);

  // The row of totals under the Deals list, after an empty cell under the
  // Cost column when there is one (the cost is shown, never booked).
  void DealsFooter(const std::vector<long long>& totals, bool costColumn);

  // The Orders list, or the Working Orders one (their market price in place
  // of the time done).
  void Orders(const std::vector<Mt5Order>& orders, const std::vector<Instrument>& instruments,
              bool working);

  PageWriter& Out() { return out_; }
  bool Japanese() const { return japanese_; }

 private:
  void Line(std::string_view text);

  PageWriter& out_;
  bool japanese_;
  long long rows_ = 0;
};

}  // namespace quillfen::synthetic
