#pragma once

#include <functional>
#include <optional>
#include <string>

#include "actions/refresh.h"
#include "messages.h"
#include "program_state.h"
#include "progress.h"
#include "report.h"

namespace quillfen {

// refused: the report is being filled or sorted.
enum class OpenOutcome { opened, notStatement, failed, outOfMemory, refused };

struct OpenResult {
  OpenOutcome outcome = OpenOutcome::notStatement;
  std::string reason;   // why it failed, for the user
  std::string warning;  // what the user should know of a statement opened
  // A statement read without a trade or a balance operation in it.
  bool foundNothing = false;
};

// A statement to read, and the name the report's statement list gives it: the
// window lists a downloaded page by its bare name, the command line a copied
// stream by the name it was given. Mostly the two are the same.
struct StatementFile {
  StatementFile(std::string readPath) : path(readPath), listedName(std::move(readPath)) {}
  StatementFile(const char* readPath) : StatementFile(std::string(readPath)) {}
  StatementFile(std::string readPath, std::string name)
      : path(std::move(readPath)), listedName(std::move(name)) {}
  std::string path;
  std::string listedName;
};

// How much of the road a caller needs: the command line that prints only the
// trade table never looks at the lists, grids and figures of one statement.
enum class OpenViews { all, tableOnly };

// Gives the report to fill once the file is known to be a statement: the
// window creates itself here, with its option controls copied into the
// report's options. It lets no events in: the road does, once the report is
// marked busy, so that the new window cannot be closed under the read.
using NewReport = std::function<Report&()>;

// The window's last steps of an open that read its statement, taken while
// the report is still busy filling: the statement list, the views, the
// outcome told.
using ReportShown = std::function<void(Report&, const OpenResult&)>;

// Open report, once the file is chosen: reads the statement into a new report
// through the working text file, which is deleted afterwards (callers that
// keep no working file pass an empty path); fills both lists,
// lets events in twice, rebuilds the grids, recomputes, paints the charts,
// builds the summary, arms the close-date column and lets the window take its
// last steps. Nothing is made for a file that is no statement; a report that
// failed to fill is to be discarded. The report is busy filling throughout.
OpenResult OpenStatement(const StatementFile& file, const std::string& workingFile,
                         const NewReport& newReport, ProgramState& state, Progress& progress,
                         Messages& messages, const ChartPainter& paintCharts = {},
                         OpenViews views = OpenViews::all, const ReportShown& shown = {});

// What the user asked to open: the page to read and show (a path, or the
// downloaded page's name) and the name the window, its caption and the
// recent files give it (the address of a downloaded page).
struct ReportRequest {
  std::string pageSource;
  std::string reportName;
  bool remembered = true;  // File > Open 1 leaves the recent files as they are
};

// Every open of a report by name, whatever asked for it (a dialog, a recent
// file, a download, a hand-over, a start-up argument): the program state
// takes the names, the window opens the page (`open`), then a remembered
// name goes to the top of the recent files, saved in `filesFolder` (also
// when the page could not be read, as the menu always kept it). Gives
// whether the recent files changed, for the menu to show them.
bool OpenRequestedReport(const ReportRequest& request, ProgramState& state,
                         const std::string& filesFolder, const std::function<void()>& open);

// Add report: reads the statement after the report's trades (the working text
// file stays), orders the table by ticket, refreshes everything and sorts by
// close time. A file that is no statement, a read that fails, or a report
// that is being filled or sorted, leaves the report as it was.
OpenResult AddStatement(Report& report, const StatementFile& file, const std::string& workingFile,
                        ProgramState& state, Progress& progress, Messages& messages,
                        const ChartPainter& paintCharts = {});

// Choosing an entry of the statement list: the statement whose page to show.
std::optional<std::string> SwitchStatement(const Report& report, int index);

// The message the user gets when a statement could not be read.
std::string OpenFailureMessage(const std::string& name, const OpenResult& result);

}  // namespace quillfen
