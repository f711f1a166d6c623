#pragma once

#include "report.h"

namespace quillfen {

// A report that is being filled or sorted takes no sort, deletion, selection,
// option change or export, and its window does not close.
inline bool ReportIsBusy(const Report& report) {
  return report.busy != BusyWith::nothing;
}

// How every action that changes a report under the option controls begins:
// refused while the report is busy, else the options are taken whole.
inline bool TakeOptions(Report& report, const ReportOptions& options) {
  if (ReportIsBusy(report)) return false;
  report.options = options;
  return true;
}

// Marks a report busy for as long as it lives, also when what it covers
// throws; then gives back what the report was busy with before (a sort within
// an add leaves the add's filling in force).
class BusyScope {
 public:
  BusyScope(Report& report, BusyWith what) : report_(report), before_(report.busy) {
    report_.busy = what;
  }
  ~BusyScope() { report_.busy = before_; }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;

 private:
  Report& report_;
  BusyWith before_;
};

}  // namespace quillfen
