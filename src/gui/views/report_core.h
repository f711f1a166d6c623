#pragma once

#include <QSize>
#include <QString>
#include <QStringList>

class QPainter;

namespace quillfen {

class Messages;
class Progress;
struct ProgramState;
struct Report;

// The core calls of the opening road and the refresh, with the Qt types of the
// window on one side and the core's on the other.
bool ConvertStatement(const QString& statement, const QString& workingFile, Progress& progress);
void ReadStatementInto(Report& report, const QString& workingFile, bool adding, Progress& progress,
                       Messages& messages);
void SortReportByTicket(Report& report);
void FillReportLists(Report& report);
void RebuildReportGrids(Report& report);
void RecomputeReport(Report& report);
QStringList ReportSummaryLines(const Report& report);
void SortReportTable(Report& report, ProgramState& state, int column, Progress& progress);
void PaintReportBalance(const Report& report, QPainter& painter, QSize size);
void PaintReportTimes(const Report& report, bool closeTimes, QPainter& painter, QSize size);

}  // namespace quillfen
