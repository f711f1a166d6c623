#include "views/report_core.h"

#include <QPainter>

#include "program_state.h"
#include "progress.h"
#include "report.h"

// Stand-ins until the import, analysis and chart cores are merged.
namespace quillfen {

bool ConvertStatement(const QString&, const QString&, Progress&) {
  return false;
}
QStringList ReadStatementInto(Report&, const QString&, bool, Progress&) {
  return {};
}
void SortReportByTicket(Report&) {}
void FillReportLists(Report&) {}
void RebuildReportGrids(Report&) {}
void RecomputeReport(Report&) {}
QStringList ReportSummaryLines(const Report&) {
  return {};
}
void SortReportTable(Report&, ProgramState&, int, Progress&) {}
void PaintReportBalance(const Report&, QPainter& painter, QSize size) {
  painter.fillRect(QRect(QPoint(0, 0), size), QColor(255, 255, 213));
}
void PaintReportTimes(const Report&, bool, QPainter& painter, QSize size) {
  painter.fillRect(QRect(QPoint(0, 0), size), QColor(255, 255, 213));
}

}  // namespace quillfen
