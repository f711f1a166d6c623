#include "synthetic/history.h"

#include <algorithm>
#include <cmath>

namespace quillfen::synthetic {

namespace {

constexpr int kLotChoices[] = {1, 2, 5, 10, 10, 20, 30, 50, 100, 150, 200};

Moment DrawDuration(Random& random) {
  const double r = random.Unit();
  if (r < 0.70) return random.Between(1, 300) * kMinute;
  if (r < 0.95) return random.Between(5 * 60, 3 * 24 * 60) * kMinute;
  return random.Between(3 * 24 * 60, 20 * 24 * 60) * kMinute;
}

long long Clamp(long long price, long long floor) {
  return std::max(price, floor);
}

}  // namespace

Moment NextOpening(Random& random, Moment previous) {
  return SkipWeekend(previous + random.Between(1, 240) * kMinute + random.Below(60));
}

TradeDraft DraftTrade(Random& random, Instrument& instrument, Moment openTime) {
  TradeDraft draft;
  draft.sell = random.Chance(0.5);
  draft.lots = kLotChoices[random.Below(std::size(kLotChoices))];
  draft.openTime = openTime;
  draft.closeTime = openTime + DrawDuration(random);
  draft.openPrice = instrument.price;

  const double hours = std::max(0.1, static_cast<double>(draft.closeTime - openTime) / kHour);
  const long long scale =
      std::max<long long>(5, std::llround(instrument.hourlyMove * std::sqrt(hours)));
  const long long floor = std::max<long long>(1, instrument.price / 10);
  const long long toStop = scale * random.Between(8, 20) / 10;
  const long long toTarget = scale * random.Between(8, 20) / 10;
  const int direction = draft.sell ? -1 : 1;
  if (!random.Chance(0.2)) draft.stopLoss = Clamp(draft.openPrice - direction * toStop, floor);
  if (!random.Chance(0.3)) draft.takeProfit = Clamp(draft.openPrice + direction * toTarget, floor);

  const double r = random.Unit();
  if (r < 0.40 && draft.takeProfit != 0) {
    draft.exit = TradeDraft::Exit::TakeProfit;
    draft.closePrice = draft.takeProfit;
  } else if (r < 0.75 && draft.stopLoss != 0) {
    draft.exit = TradeDraft::Exit::StopLoss;
    draft.closePrice = draft.stopLoss;
  } else {
    const long long move = std::llround(random.Normal() * static_cast<double>(scale) * 0.6);
    draft.closePrice = Clamp(draft.openPrice + move, floor);
  }
  instrument.price =
      Clamp(draft.closePrice + std::llround(random.Normal() * instrument.hourlyMove), floor);
  return draft;
}

long long ProfitCents(const Instrument& instrument, bool sell, int lots, long long openPrice,
                      long long closePrice, bool wholeMoney) {
  const long long points = sell ? openPrice - closePrice : closePrice - openPrice;
  // lots are hundredths and money is cents, so the two factors of 100 cancel.
  const long long cents = std::llround(static_cast<double>(points) * lots * instrument.pointValue);
  return wholeMoney ? cents / 100 * 100 : cents;
}

long long PriceAt(const TradeDraft& draft, Moment moment) {
  if (draft.closeTime <= draft.openTime) return draft.closePrice;
  const double part =
      static_cast<double>(moment - draft.openTime) / (draft.closeTime - draft.openTime);
  return draft.openPrice + std::llround((draft.closePrice - draft.openPrice) * part);
}

int ShareOf(int total, int index, int slots) {
  if (slots <= 0) return 0;
  const long long upTo = static_cast<long long>(total) * (index + 1) / slots;
  const long long before = static_cast<long long>(total) * index / slots;
  return static_cast<int>(upTo - before);
}

}  // namespace quillfen::synthetic
