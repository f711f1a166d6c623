#include "views/report_core.h"

#include <QFile>
#include <QPainter>

#include "import/statement_converter.h"
#include "import/statement_reader.h"
#include "import/ticket_sort.h"
#include "program_state.h"
#include "progress.h"
#include "report.h"

namespace quillfen {

bool ConvertStatement(const QString& statement, const QString& workingFile, Progress& progress) {
  return StatementToText(statement.toStdString(), workingFile.toStdString(), progress) &&
         QFile::exists(workingFile);
}

void ReadStatementInto(Report& report, const QString& workingFile, bool adding, Progress& progress,
                       Messages& messages) {
  ReadStatement(report, workingFile.toStdString(), adding, progress, messages);
}

void SortReportByTicket(Report& report) {
  SortByTicket(report);
}

// Stand-ins until the analysis and chart cores are merged.
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
