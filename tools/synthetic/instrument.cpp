#include "synthetic/instrument.h"

#include <cctype>

namespace quillfen::synthetic {

namespace {

bool Contains(std::string_view text, std::string_view part) {
  return text.find(part) != std::string_view::npos;
}

}  // namespace

Instrument InstrumentFor(std::string_view name) {
  Instrument instrument;
  for (char c : name) {
    instrument.name += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  // A small spread of levels keeps different symbols apart on a chart.
  unsigned spread = 0;
  for (char c : instrument.name) spread = spread * 31 + static_cast<unsigned char>(c);
  const long long shift = spread % 40;

  if (Contains(instrument.name, "jpy")) {
    instrument.digits = 3;
    instrument.price = (120 + shift) * 1000;
    instrument.pointValue = 0.7;
    instrument.hourlyMove = 150;
  } else if (Contains(instrument.name, "xau") || Contains(instrument.name, "gold")) {
    instrument.digits = 2;
    instrument.price = (1800 + 10 * shift) * 100;
    instrument.pointValue = 1.0;
    instrument.hourlyMove = 400;
  } else {
    instrument.digits = 5;
    instrument.price = 90000 + 1000 * shift;
    instrument.pointValue = 1.0;
    instrument.hourlyMove = 120;
  }
  return instrument;
}

int SpreadPoints(const Instrument& instrument) {
  return instrument.digits == 2 ? 30 : 12;
}

}  // namespace quillfen::synthetic
