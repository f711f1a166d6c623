#include <QRadioButton>

#include "gui/views/mdi_child.h"
#include "gui/views/paint_box.h"
#include "views/chart_lookup.h"

namespace quillfen {

namespace {

QString Cell(const std::string& text) {
  return QString::fromStdString(text).trimmed();
}

QString BalanceTip(const BalanceChartTrade& trade) {
  const QString closed =
      trade.closeDate.empty()
          ? QString("Closed: still open")
          : QString("Closed: %1 %2").arg(Cell(trade.closeDate), Cell(trade.closeTime));
  return QString("Trade %1\nTicket: %2\n%3\nProfit: %4\nBalance: %5")
      .arg(trade.number)
      .arg(Cell(trade.ticket), closed, Cell(trade.profit), Cell(trade.balance));
}

QString TimesTip(const TimesChartSlot& slot) {
  return QString("%1 %2:00\nPips won: %3\nPips lost: %4")
      .arg(kDayNames[static_cast<std::size_t>(slot.weekday)])
      .arg(slot.hour, 2, 10, QChar('0'))
      .arg(slot.winPips)
      .arg(slot.lossPips);
}

}  // namespace

void TMDIChild::ConnectChartHovers() {
  BalancePaintBox->SetHover([this](QPoint at, QSize size) -> std::optional<HoverMark> {
    const auto trade = BalanceTradeAt(report, report.stats.initialDeposit, size.width(),
                                      size.height(), at.x(), at.y());
    if (!trade) return std::nullopt;
    return HoverMark{BalanceTip(*trade), QPoint(trade->point.x, trade->point.y)};
  });
  TimesPaintBox->SetHover([this](QPoint at, QSize size) -> std::optional<HoverMark> {
    const TimesBasis basis =
        CloseTimesRadioButton->isChecked() ? TimesBasis::closeTimes : TimesBasis::openTimes;
    const auto slot = TimesSlotAt(report.grid1, size.width(), size.height(), basis, at.x(), at.y(),
                                  report.options.timeShiftMinutes);
    if (!slot) return std::nullopt;
    return HoverMark{TimesTip(*slot), std::nullopt};
  });
}

}  // namespace quillfen
