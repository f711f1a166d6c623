#include "views/chart_frame.h"

#include <algorithm>
#include <cmath>

namespace quillfen {

int ChartPixel(double value) {
  if (std::isnan(value)) return 0;
  return static_cast<int>(std::clamp(std::trunc(value), -1e6, 1e6));
}

void DrawChartFrame(DisplayList& list, Rgb background) {
  constexpr Rgb kDarkGrey{96, 96, 96};
  constexpr Rgb kSilver{192, 192, 192};
  const int w = list.width;
  const int h = list.height;
  list.Fill(0, 0, w, h, background);
  list.Line(0, 0, w - 1, 0, kDarkGrey);
  list.Line(1, 1, w - 2, 1, kDarkGrey);
  list.Line(0, 0, 0, h - 1, kDarkGrey);
  list.Line(1, 1, 1, h - 1, kDarkGrey);
  list.Line(w - 2, h - 2, 1, h - 2, kSilver);
  list.Line(w - 2, h - 2, w - 2, 1, kSilver);
  list.Fill(2, 2, w - 3, h - 2, background);
}

}  // namespace quillfen
