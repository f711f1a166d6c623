#include "synthetic/mt5_markup.h"

namespace quillfen::synthetic {

namespace {

// The Japanese terminal's words; the ones a history report alone prints are
// ours, as no such report was at hand.
constexpr std::pair<std::string_view, std::string_view> kJapanese[] = {
    {"Strategy Tester Report", "ストラテジーテスターレポート"},
    {"Trade History Report", "取引履歴レポート"},
    {"Settings", "設定"},
    {"Expert", "エキスパート"},
    {"Symbol", "銘柄"},
    {"Period", "期間"},
    {"Inputs", "パラメータ"},
    {"Company", "会社"},
    {"Currency", "通貨"},
    {"Initial Deposit", "初期証拠金"},
    {"Leverage", "レバレッジ"},
    {"Results", "結果"},
    {"History Quality", "ヒストリー品質"},
    {"100% real ticks", "100% リアルティック"},
    {"Bars", "バー"},
    {"Ticks", "ティック"},
    {"Symbols", "銘柄"},
    {"Total Net Profit", "総損益"},
    {"Balance Drawdown Absolute", "残高絶対ドローダウン"},
    {"Equity Drawdown Absolute", "証拠金絶対ドローダウン"},
    {"Gross Profit", "総利益"},
    {"Balance Drawdown Maximal", "残高最大ドローダウン"},
    {"Equity Drawdown Maximal", "証拠金最大ドローダウン"},
    {"Gross Loss", "総損失"},
    {"Balance Drawdown Relative", "残高相対ドローダウン"},
    {"Equity Drawdown Relative", "証拠金相対ドローダウン"},
    {"Profit Factor", "プロフィットファクター"},
    {"Expected Payoff", "期待利得"},
    {"Margin Level", "証拠金維持率"},
    {"Recovery Factor", "リカバリファクター"},
    {"Sharpe Ratio", "シャープレシオ"},
    {"OnTester result", "OnTester 結果"},
    {"Total Trades", "取引数"},
    {"Short Trades (won %)", "ショート (勝率 %)"},
    {"Long Trades (won %)", "ロング (勝率 %)"},
    {"Total Deals", "約定数"},
    {"Profit Trades (% of total)", "勝ちトレード (勝率 %)"},
    {"Loss Trades (% of total)", "負けトレード (負率 %)"},
    {"Largest profit trade", "最大 勝ちトレード"},
    {"Largest loss trade", "最大 負けトレード"},
    {"Average profit trade", "平均 勝ちトレード"},
    {"Average loss trade", "平均 負けトレード"},
    {"Maximum consecutive wins ($)", "最大 連勝数 (金額)"},
    {"Maximum consecutive losses ($)", "最大 連敗数 (金額)"},
    {"Maximal consecutive profit (count)", "最大 連勝利益額 (数)"},
    {"Maximal consecutive loss (count)", "最大 連敗損失額 (数)"},
    {"Average consecutive wins", "平均 連勝利益額 (数)"},
    {"Average consecutive losses", "平均 連敗数"},
    {"Minimal position holding time", "ポジション最短保持時間"},
    {"Maximal position holding time", "ポジション最長保持時間"},
    {"Average position holding time", "ポジション平均保持時間"},
    {"Orders", "注文"},
    {"Open Time", "約定時刻"},
    {"Order", "注文"},
    {"Type", "タイプ"},
    {"Volume", "数量"},
    {"Price", "価格"},
    {"S / L", "決済逆指値(S/L)"},
    {"T / P", "決済指値(T/P)"},
    {"Time", "時間"},
    {"State", "状況"},
    {"Comment", "コメント"},
    {"Deals", "約定"},
    {"Deal", "約定"},
    {"Direction", "新規・決済"},
    {"Commission", "手数料"},
    {"Swap", "スワップ"},
    {"Profit", "損益"},
    {"Balance", "残高"},
    {"Fee", "料金"},
    {"Cost", "コスト"},
    {"Positions", "ポジション"},
    {"Position", "ポジション"},
    {"Open Positions", "保有ポジション"},
    {"Working Orders", "待機注文"},
    {"Market Price", "市場価格"},
    {"Name", "名前"},
    {"Account", "口座"},
    {"Date", "日付"},
    {"Credit Facility", "クレジット"},
    {"Floating P/L", "評価損益"},
    {"Equity", "有効証拠金"},
    {"Free Margin", "余剰証拠金"},
    {"Margin", "証拠金"},
    {"Balance Drawdown", "残高ドローダウン"},
    {"Broker", "ブローカー"},
};

}  // namespace

std::string_view Mt5Markup::Word(std::string_view english) const {
  if (!japanese_) return english;
  for (const auto& [from, to] : kJapanese)
    if (from == english) return to;
  return english;
}

void Mt5Markup::Line(std::string_view text) {
  out_ << text;
  out_.EndLine();
}

void Mt5Markup::Head(std::string_view title, std::string_view generator) {
  Line(
      R"(<!DOCTYPE html PUBLIC "-//W3C//DTD HTML 4.01 Transitional//EN" "http://www.w3.org/TR/html4/loose.dtd">)");
  Line("<html>");
  Line("  <head>");
  out_ << "    <title>" << title << "</title>";
  out_.EndLine();
  out_ << "    <meta name=\"generator\" content=\"" << generator << "\">";
  out_.EndLine();
  Line("    <style type=\"text/css\">");
  Line("    <!--");
  Line("    @media screen {");
  Line("      td { font: 8pt  Tahoma,Arial; }");
  Line("      th { font: 10pt Tahoma,Arial; }");
  Line("    }");
  Line("    .msdate { mso-number-format:\"General Date\"; }");
  Line("    .mspt   { mso-number-format:\\#\\,\\#\\#0\\.00;  }");
  Line("    body {margin:1px;}");
  Line("    //-->");
  Line("    </style>");
  Line("  </head>");
  Line("<body>");
  Line("<div align=\"center\">");
  Line("<table cellspacing=\"1\" cellpadding=\"3\" border=\"0\">");
}

void Mt5Markup::End() {
  Line("</table>");
  Line("</div>");
  Line("</body>");
  Line("</html>");
}

void Mt5Markup::Heading(std::string_view english, bool list) {
  Line(list ? "   <tr align=\"center\">" : "   <tr>");
  out_ << (list ? "      <th colspan=\"13\" style=\"height: 25px\">"
                : "      <td colspan=\"13\" align=\"center\">")
       << "<div style=\"font: 10pt Tahoma\"><b>" << Word(english) << "</b></div>"
       << (list ? "</th>" : "</td>");
  out_.EndLine();
  Line("   </tr>");
  rows_ = 0;
}

void Mt5Markup::Gap() {
  Line("   <tr>");
  Line("      <td nowrap style=\"height: 10px\"></td>");
  Line("    </tr>");
}

void Mt5Markup::Setting(std::string_view englishLabel, std::string_view value) {
  Line("   <tr align=\"right\">");
  out_ << "      <td nowrap colspan=\"3\">";
  if (!englishLabel.empty()) out_ << Word(englishLabel) << ":";
  out_ << "</td>";
  out_.EndLine();
  out_ << "      <td nowrap colspan=\"10\" align=\"left\"><b>" << value << "</b></td>";
  out_.EndLine();
  Line("   </tr>");
}

void Mt5Markup::Pairs(std::initializer_list<Pair> pairs, bool indent) {
  Line("   <tr align=\"right\">");
  if (indent) Line("      <td nowrap colspan=\"4\"></td>");
  std::size_t n = 0;
  for (const auto& [label, value] : pairs) {
    ++n;
    out_ << "      <td nowrap colspan=\"3\">";
    if (!label.empty()) out_ << Word(label) << ":";
    out_ << "</td>";
    out_.EndLine();
    // The third pair's value closes the row's thirteen columns.
    out_ << (n == 3 || (indent && n == 2) ? "      <td nowrap colspan=\"2\"><b>"
                                          : "      <td nowrap><b>")
         << value << "</b></td>";
    out_.EndLine();
  }
  Line("   </tr>");
}

void Mt5Markup::Columns(std::initializer_list<std::string_view> englishHeads) {
  Line("   <tr align=\"center\" bgcolor=\"#E5F0FC\">");
  bool first = true;
  for (std::string_view head : englishHeads) {
    const bool wide = head.ends_with("|2");
    if (wide) head.remove_suffix(2);
    out_ << "      <td nowrap" << (first ? " style=\"height: 30px\"" : "")
         << (wide ? " colspan=\"2\"" : "") << "><b>" << Word(head) << "</b></td>";
    out_.EndLine();
    first = false;
  }
  Line("   </tr>");
}

void Mt5Markup::StartRow() {
  out_ << (rows_++ % 2 == 0 ? "   <tr bgcolor=\"#FFFFFF\" align=right>"
                            : "   <tr bgcolor=\"#F7F7F7\" align=right>");
}

void Mt5Markup::Cell(std::string_view text) {
  out_ << "<td>" << text << "</td>";
}

void Mt5Markup::WideCell(std::string_view text) {
  out_ << "<td colspan=\"2\">" << text << "</td>";
}

void Mt5Markup::MoneyCell(long long cents) {
  out_ << "<td>";
  out_.Money(cents, true);
  out_ << "</td>";
}

void Mt5Markup::PriceCell(long long points, int digits) {
  out_ << "<td>";
  if (points != 0) out_.Price(points, digits);
  out_ << "</td>";
}

void Mt5Markup::VolumeCell(int hundredths) {
  out_ << "<td>";
  out_.Hundredths(hundredths);
  out_ << "</td>";
}

void Mt5Markup::OrderVolumeCell(int volume, int filled, bool placed) {
  out_ << "<td colspan=\"2\">";
  out_.Hundredths(volume);
  out_ << " / ";
  if (filled == 0 && !placed)
    out_ << "0";
  else
    out_.Hundredths(filled);
  out_ << "</td>";
}

void Mt5Markup::TimeCell(Moment moment) {
  out_ << "<td>";
  out_.DateTime(moment, true);
  out_ << "</td>";
}

void Mt5Markup::FinishRow() {
  out_ << "</tr>";
  out_.EndLine();
}

void Mt5Markup::Orders(const std::vector<Mt5Order>& orders,
                       const std::vector<Instrument>& instruments, bool working) {
  Heading(working ? "Working Orders" : "Orders", true);
  Columns({"Open Time", "Order", "Symbol", "Type", "Volume|2", "Price", "S / L", "T / P",
           working ? "Market Price|2" : "Time|2", "State", "Comment"});
  for (const Mt5Order& order : orders) {
    const Instrument& instrument = instruments[static_cast<std::size_t>(order.symbol)];
    StartRow();
    TimeCell(order.openTime);
    Cell(std::to_string(order.number));
    Cell(instrument.name);
    Cell(order.type);
    OrderVolumeCell(order.volume, order.filled, working);
    PriceCell(order.price, instrument.digits);
    PriceCell(order.stopLoss, instrument.digits);
    PriceCell(order.takeProfit, instrument.digits);
    out_ << "<td colspan=\"2\">";
    if (working)
      out_.Price(instrument.price, instrument.digits);
    else
      out_.DateTime(order.doneTime, true);
    out_ << "</td>";
    Cell(order.state);
    Cell(order.comment);
    FinishRow();
  }
}

void Mt5Markup::DealLead(const Mt5DealRow& deal, const std::vector<Instrument>& instruments) {
  StartRow();
  TimeCell(deal.time);
  Cell(std::to_string(deal.number));
  if (deal.type == Mt5DealType::balance) {
    for (std::string_view cell : {"", "balance", "", "", "", ""}) Cell(cell);
    return;
  }
  const Instrument& instrument = instruments[static_cast<std::size_t>(deal.symbol)];
  Cell(instrument.name);
  Cell(deal.type == Mt5DealType::buy ? "buy" : "sell");
  Cell(DirectionText(deal.direction));
  VolumeCell(deal.volume);
  PriceCell(deal.price, instrument.digits);
  Cell(std::to_string(deal.order));
}

void Mt5Markup::DealsFooter(const std::vector<long long>& totals, bool costColumn) {
  out_ << "   <tr align=\"right\">";
  out_.EndLine();
  out_ << "      <td nowrap colspan=\"8\" style=\"height: 30px\"></td>";
  out_.EndLine();
  if (costColumn) {
    out_ << "      <td nowrap></td>";
    out_.EndLine();
  }
  for (long long cents : totals) {
    out_ << "      <td nowrap><b>";
    out_.Money(cents, true);
    out_ << "</b></td>";
    out_.EndLine();
  }
  out_ << "      <td nowrap></td>";
  out_.EndLine();
  out_ << "   </tr>";
  out_.EndLine();
}

}  // namespace quillfen::synthetic
