#pragma once

#include <string>
#include <string_view>

namespace quillfen::synthetic {

// A traded symbol with prices held as whole points, so that printing never
// goes through floating point.
struct Instrument {
  std::string name;  // lower case, as a statement prints it
  int digits = 5;
  long long price = 0;         // the current market price in points
  double pointValue = 1.0;     // account money per point per lot
  long long hourlyMove = 100;  // typical price change over an hour, in points
};

// Digits and price level follow the name: JPY crosses three digits, gold two,
// everything else five.
Instrument InstrumentFor(std::string_view name);

// Spread in points that a tester report states for the instrument.
int SpreadPoints(const Instrument& instrument);

}  // namespace quillfen::synthetic
