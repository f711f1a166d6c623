#include "actions/opening_actions.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "../import/import_test_support.h"
#include "../report_invariants.h"
#include "../support/file_size_limit.h"
#include "actions/view_actions.h"
#include "import/statement_road.h"
#include "settings/recent_files.h"

namespace quillfen {
namespace {

// A disk that is full: every write to this device fails with ENOSPC. Made
// where the system has none, when the tests may make devices.
class FullDisk {
 public:
  FullDisk() {
    if (std::filesystem::exists("/dev/full")) {
      path_ = "/dev/full";
    } else if (::mknod(dir_.File("full").c_str(), S_IFCHR | 0666, ::makedev(1, 7)) == 0) {
      path_ = dir_.File("full");
    }
  }
  bool Usable() const { return !path_.empty(); }
  const std::string& Path() const { return path_; }

 private:
  TempDir dir_;
  std::string path_;
};

// Everything an open or add may change, as text, to compare a report with itself before.
std::string Snapshot(const Report& report) {
  std::string text;
  auto add = [&](const auto& grid) {
    for (int row = 0; row < grid.RowCount(); ++row) {
      for (int column = 0; column < grid.Columns(); ++column)
        text.append(grid.Cell(column, row)).push_back('|');
      text.push_back('\n');
    }
  };
  add(report.full);
  add(report.grid1);
  add(report.grid2);
  const ReportStatistics& s = report.stats;
  for (double total : {s.statementDeposit, s.depositTotal, s.withdrawalTotal, s.interestTotal,
                       s.rebateTotal, s.feeTotal, s.initialDeposit, s.netProfit})
    text += std::to_string(total) + ' ';
  for (const std::string& name : report.statements) text += name + ';';
  for (const std::string& line : report.summaryMemo) text += line + '\n';
  return text;
}

class ThrowingMessages final : public Messages {
 public:
  void Show(std::string_view) override {
    throw std::runtime_error("the message could not be shown");
  }
};

class MemoryShortMessages final : public Messages {
 public:
  void Show(std::string_view) override { throw std::bad_alloc(); }
};

struct Opened {
  Report report;
  ProgramState state;
  OpenResult result;
};

void Open(Opened& opened, const std::string& path, const std::string& workingFile,
          Messages& messages) {
  NoProgress progress;
  opened.result = OpenStatement(
      path, workingFile, [&opened]() -> Report& { return opened.report; }, opened.state, progress,
      messages);
}

TEST(OpenStatement, ReadsThroughTheWorkingFileAndDeletesIt) {
  TempDir dir;
  MessageList messages;
  Opened opened;
  Open(opened, FixturePath("statement_magic_comments.htm"), dir.File("Quillfen.tmp"), messages);
  ASSERT_EQ(opened.result.outcome, OpenOutcome::opened);
  EXPECT_FALSE(std::filesystem::exists(dir.File("Quillfen.tmp")));
  EXPECT_EQ(opened.report.statements.size(), 1u);
  EXPECT_EQ(opened.state.armedSortColumn, col::closeDate);
  EXPECT_EQ(opened.report.busy, BusyWith::nothing);
  EXPECT_FALSE(opened.report.summaryMemo.empty());
  ExpectTableInvariants(opened.report);

  // Adding keeps the working file, as the next open will replace it. The rows
  // it reorders leave no deletion to undo.
  ASSERT_EQ(DeleteGridRows(opened.report, opened.report.options, {1}), 1);
  NoProgress progress;
  const OpenResult added = AddStatement(opened.report, FixturePath("statement_taxes_column.htm"),
                                        dir.File("Quillfen.tmp"), opened.state, progress, messages);
  ASSERT_EQ(added.outcome, OpenOutcome::opened);
  EXPECT_TRUE(std::filesystem::exists(dir.File("Quillfen.tmp")));
  EXPECT_EQ(opened.report.statements.size(), 2u);
  EXPECT_EQ(UndoGridDeletion(opened.report, opened.report.options), 0);
}

TEST(OpenStatement, APageWithoutItsClosingTagOpensWithAWarning) {
  std::ifstream file(FixturePath("statement_magic_comments.htm"), std::ios::binary);
  const std::string html{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  TempDir dir;
  MessageList messages;
  Opened whole;
  Open(whole, FixturePath("statement_magic_comments.htm"), dir.File("Quillfen.tmp"), messages);
  EXPECT_EQ(whole.result.warning, "");
  Opened cut;
  Open(cut, dir.Write("cut.htm", html.substr(0, html.rfind("</table>"))), dir.File("Quillfen.tmp"),
       messages);
  ASSERT_EQ(cut.result.outcome, OpenOutcome::opened);
  EXPECT_EQ(cut.result.warning, "The file ends early; it may be incomplete");
  EXPECT_EQ(cut.report.full.TradeRows(), whole.report.full.TradeRows());
}

TEST(OpenStatement, AFileThatIsNoStatementMakesNoReport) {
  TempDir dir;
  MessageList messages;
  NoProgress progress;
  ProgramState state;
  bool made = false;
  Report report;
  const OpenResult result = OpenStatement(
      dir.Write("plain.htm", "<html><body>hello</body></html>\n"), dir.File("Quillfen.tmp"),
      [&]() -> Report& {
        made = true;
        return report;
      },
      state, progress, messages);
  EXPECT_EQ(result.outcome, OpenOutcome::notStatement);
  EXPECT_FALSE(made);
}

// A text that merely names a statement opens, and the result says it found nothing.
TEST(OpenStatement, AReportWithoutTradesOrBalanceOperationsIsFoundEmpty) {
  TempDir dir;
  MessageList messages;
  Opened text;
  Open(text, dir.Write("notes.txt", "My statement notes\nnothing else\n"), dir.File("Quillfen.tmp"),
       messages);
  ASSERT_EQ(text.result.outcome, OpenOutcome::opened);
  EXPECT_TRUE(text.result.foundNothing);
  Opened deposit;
  Open(deposit, FixturePath("statement_no_trades.htm"), dir.File("Quillfen.tmp"), messages);
  EXPECT_FALSE(deposit.result.foundNothing);  // a balance operation and no trade

  // Adding the empty text to a report finds nothing either; adding a statement does.
  NoProgress progress;
  EXPECT_TRUE(AddStatement(deposit.report, dir.File("notes.txt"), dir.File("Quillfen.tmp"),
                           deposit.state, progress, messages)
                  .foundNothing);
  EXPECT_FALSE(AddStatement(deposit.report, FixturePath("statement_taxes_column.htm"),
                            dir.File("Quillfen.tmp"), deposit.state, progress, messages)
                   .foundNothing);
}

TEST(OpenStatement, AWorkingFileNotWrittenWholeFailsTheOpenWithItsReason) {
  TempDir dir;
  MessageList messages;
  Opened opened;
  {
    testing::FileSizeLimit limit(100);
    Open(opened, FixturePath("statement_magic_comments.htm"), dir.File("Quillfen.tmp"), messages);
  }
  EXPECT_EQ(opened.result.outcome, OpenOutcome::failed);
  EXPECT_NE(opened.result.reason.find("File too large"), std::string::npos) << opened.result.reason;
  EXPECT_EQ(opened.report.full.TradeRows(), 1);
  EXPECT_TRUE(opened.report.statements.empty());
  EXPECT_EQ(opened.report.busy, BusyWith::nothing);
  EXPECT_NE(OpenFailureMessage("a.htm", opened.result).find("a.htm"), std::string::npos);
}

TEST(AddStatement, AFailedAddLeavesTheReportAsItWas) {
  TempDir dir;
  MessageList messages;
  Opened opened;
  Open(opened, FixturePath("statement_magic_comments.htm"), dir.File("Quillfen.tmp"), messages);
  ASSERT_EQ(opened.result.outcome, OpenOutcome::opened);
  const std::string before = Snapshot(opened.report);
  NoProgress progress;

  FullDisk full;
  if (full.Usable()) {
    const OpenResult refused =
        AddStatement(opened.report, FixturePath("statement_taxes_column.htm"), full.Path(),
                     opened.state, progress, messages);
    EXPECT_EQ(refused.outcome, OpenOutcome::failed);
    EXPECT_NE(refused.reason.find("No space left on device"), std::string::npos) << refused.reason;
    EXPECT_EQ(Snapshot(opened.report), before);
  }
  {
    testing::FileSizeLimit limit(100);
    const OpenResult cut = AddStatement(opened.report, FixturePath("tester_swap_reopen.htm"),
                                        dir.File("Quillfen.tmp"), opened.state, progress, messages);
    EXPECT_EQ(cut.outcome, OpenOutcome::failed);
  }
  EXPECT_EQ(Snapshot(opened.report), before);

  // The reader's message cannot be shown: the failure reaches the caller, not the user's data.
  // A report whose tickets descend makes the reader show a message.
  auto addDescending = [&](Messages& shown) {
    return AddStatement(opened.report, FixturePath("tester_descending_tickets.htm"),
                        dir.File("Quillfen.tmp"), opened.state, progress, shown);
  };
  ThrowingMessages throwing;
  const OpenResult thrown = addDescending(throwing);
  EXPECT_EQ(thrown.outcome, OpenOutcome::failed);
  EXPECT_EQ(thrown.reason, "the message could not be shown");
  EXPECT_EQ(Snapshot(opened.report), before);
  MemoryShortMessages memoryShort;
  const OpenResult noMemory = addDescending(memoryShort);
  EXPECT_EQ(noMemory.outcome, OpenOutcome::outOfMemory);
  EXPECT_EQ(OpenFailureMessage("t.htm", noMemory), "Not enough memory to read t.htm");
  EXPECT_EQ(Snapshot(opened.report), before);
  EXPECT_EQ(opened.report.busy, BusyWith::nothing);

  // And the next add reads as if the failed ones had never been.
  const std::string added = FixturePath("statement_taxes_column.htm");
  ASSERT_EQ(
      AddStatement(opened.report, added, dir.File("Quillfen.tmp"), opened.state, progress, messages)
          .outcome,
      OpenOutcome::opened);
  Opened untouched;
  Open(untouched, FixturePath("statement_magic_comments.htm"), dir.File("Quillfen.tmp"), messages);
  AddStatement(untouched.report, added, dir.File("Quillfen.tmp"), untouched.state, progress,
               messages);
  EXPECT_EQ(Snapshot(opened.report), Snapshot(untouched.report));
}

TEST(AddStatement, IsRefusedWhileTheReportIsFilledOrSorted) {
  TempDir dir;
  MessageList messages;
  Opened opened;
  Open(opened, FixturePath("statement_magic_comments.htm"), dir.File("Quillfen.tmp"), messages);
  const std::string before = Snapshot(opened.report);
  NoProgress progress;
  for (bool filling : {true, false}) {
    opened.report.busy = filling ? BusyWith::filling : BusyWith::sorting;
    const OpenResult result =
        AddStatement(opened.report, FixturePath("statement_taxes_column.htm"),
                     dir.File("Quillfen.tmp"), opened.state, progress, messages);
    EXPECT_EQ(result.outcome, OpenOutcome::refused);
  }
  opened.report.busy = BusyWith::nothing;
  EXPECT_EQ(Snapshot(opened.report), before);
}

// Each way of opening a report by name sets the names before the window
// opens it and puts a remembered name first in the saved recent files.
TEST(OpenRequestedReport, NamesTheReportThenRemembersIt) {
  TempDir dir;
  const std::string folder = std::filesystem::path(dir.File("x")).parent_path().string();
  ProgramState state;
  std::vector<std::string> seen;
  auto open = [&] { seen.push_back(state.PageSource + " as " + state.ReportName); };
  EXPECT_TRUE(OpenRequestedReport({"Quillfen$$$.htm", "http://host/a.htm"}, state, folder, open));
  EXPECT_FALSE(OpenRequestedReport({"/tmp/b.htm", "/tmp/b.htm", false}, state, folder, open));
  EXPECT_EQ(seen, (std::vector<std::string>{"Quillfen$$$.htm as http://host/a.htm",
                                            "/tmp/b.htm as /tmp/b.htm"}));
  EXPECT_EQ(state.recentFiles[0], "http://host/a.htm");
  EXPECT_EQ(LoadRecentFiles(folder)[0], "http://host/a.htm");
  // Already first: nothing to save or show again.
  EXPECT_FALSE(OpenRequestedReport({"Quillfen$$$.htm", "http://host/a.htm"}, state, folder, open));
}

// The working file is written as the page is read: when it cannot be written
// whole, the read fails and keeps no trade.
TEST(ConvertAndReadStatement, AWorkingFileNotWrittenWholeFailsTheRead) {
  TempDir dir;
  NoProgress progress;
  MessageList messages;
  auto read = [&](const std::string& workingFile) {
    Report report;
    const StatementRead result = ConvertAndReadStatement(
        report.full, report.stats, FixturePath("statement_magic_comments.htm"), workingFile, false,
        progress, messages);
    EXPECT_EQ(report.full.Cell(col::ticket, 0), "");  // no trade kept
    return result.outcome;
  };
  FullDisk full;
  if (full.Usable()) {
    EXPECT_EQ(read(full.Path()), ReadOutcome::failed);
  }
  testing::FileSizeLimit limit(100);
  EXPECT_EQ(read(dir.File("Quillfen.tmp")), ReadOutcome::failed);
}

TEST(SwitchStatement, GivesTheEntryOrNothing) {
  Report report;
  report.statements = {"a.htm", "b.htm"};
  EXPECT_EQ(SwitchStatement(report, 1), "b.htm");
  EXPECT_EQ(SwitchStatement(report, 2), std::nullopt);
  EXPECT_EQ(SwitchStatement(report, -1), std::nullopt);
}

}  // namespace
}  // namespace quillfen
