#pragma once

namespace quillfen {

// Columns of the visible trade lists Grid1 and Grid2; row 0 holds the headers.
namespace g1 {
constexpr int ticket = 0;
constexpr int type = 1;
constexpr int lots = 2;
constexpr int symbol = 3;
constexpr int openDate = 4;
constexpr int openTime = 5;
constexpr int openPrice = 6;
constexpr int closeDate = 7;
constexpr int closeTime = 8;
constexpr int closePrice = 9;
constexpr int duration = 10;
constexpr int pips = 11;
constexpr int profit = 12;
constexpr int balance = 13;
constexpr int marker = 14;
}  // namespace g1

namespace g2 {
constexpr int stopLoss = 5;
constexpr int takeProfit = 6;
constexpr int commission = 8;
constexpr int swap = 9;
constexpr int profit = 10;
constexpr int comment = 11;
constexpr int magic = 12;
}  // namespace g2

}  // namespace quillfen
