#pragma once

#include "report.h"

namespace quillfen {

// A report whose rows are being read or sorted takes no sort, deletion,
// selection or option change: the reader and the sort still track rows by number.
inline bool ReportIsBusy(const Report& report) {
  return report.fillInProgress || report.stats.sortInProgress;
}

// How every action that changes a report under the option controls begins:
// refused while the report is busy, else the options are taken whole.
inline bool TakeOptions(Report& report, const ReportOptions& options) {
  if (ReportIsBusy(report)) return false;
  report.options = options;
  return true;
}

// Marks a report as being filled for as long as it lives, also when the
// filling fails.
class FillScope {
 public:
  explicit FillScope(Report& report) : report_(report) { report_.fillInProgress = true; }
  ~FillScope() { report_.fillInProgress = false; }
  FillScope(const FillScope&) = delete;
  FillScope& operator=(const FillScope&) = delete;

 private:
  Report& report_;
};

}  // namespace quillfen
