#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace quillfen::synthetic {

// The words of a generated page that a terminal set to another language
// translates: labels, section titles, column heads, the print date's months,
// and the names and comments a trader there would give. The order rows' type
// words, numbers and dates stay as the terminal writes them in every language.
// The texts are in the page's code page.
struct PageLanguage {
  std::string code;     // "en", "fr", ...
  std::string charset;  // the code page the terminal writes it in, ICU's name

  // Both kinds of page.
  std::string symbol, profit, balance, type, price, stopLoss, takeProfit, size;

  // Tester report.
  std::string expertName, symbolDescription;
  std::string period, model, parameters, barsInTest, ticksModelled, modellingQuality,
      mismatchedErrors, periodUnit, modelText;
  std::string initialDeposit, spread, totalNetProfit, grossProfit, grossLoss, profitFactor,
      expectedPayoff, absoluteDrawdown, maximalDrawdown, relativeDrawdown, totalTrades,
      shortPositions, longPositions, profitTrades, lossTrades, largest, profitTrade, lossTrade,
      average, maximum, consecutiveWinsMoney, consecutiveLossesMoney, maximal,
      consecutiveProfitCount, consecutiveLossCount, consecutiveWins, consecutiveLosses;
  std::string number, time, order;

  // Account statement.
  std::string accountName, company, account, name, currency, leverage;
  std::array<std::string, 12> months;
  std::string closedTransactions, openTrades, workingOrders, summary, details;
  std::string ticket, openTime, item, closeTime, commission, taxes, swap, marketPrice,
      noTransactions, closedPl, floatingPl;
  std::string depositWithdrawal, creditFacility, closedTradePl, margin, balanceLabel, equity,
      freeMargin;
  // A trader's words for the generator's comments grid_ea, trend follower,
  // scalper_v2 and hedge.
  std::array<std::string, 4> comments;

  // A comment of the history in this language: the generator's own words
  // translated, "[tp]" and "[sl]" kept; balance and cancel comments as they are.
  std::string Comment(std::string_view english) const;
};

// The languages make-statement writes: en, fr, ru, es, tr, de, ja, zh.
std::vector<std::string> PageLanguageCodes();

// The language with its texts in `charset` (its terminal's code page when
// empty); false when the language or code page is unknown.
bool LoadPageLanguage(std::string_view code, std::string_view charset, PageLanguage& language);

}  // namespace quillfen::synthetic
