#include <QAction>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMimeData>
#include <QProcess>
#include <QRadioButton>
#include <QTabWidget>
#include <QTcpServer>
#include <QTcpSocket>
#include <QWebEnginePage>
#include <QWebEngineSettings>
#include <QWebEngineView>
#include <QtTest>
#include <functional>

#include "gui/app/about_box.h"
#include "gui/app/main_form.h"
#include "gui/app/message_form.h"
#include "gui/app/report_page.h"
#include "gui/views/mdi_child.h"
#include "gui/views/trade_grid_model.h"
#include "gui_test_support.h"
#include "import/trade_table.h"

namespace quillfen {

using testing::Example;
using testing::ProgramUnderTest;

namespace {

QStringList Captions(TMainForm& form) {
  QStringList captions;
  for (QMdiSubWindow* frame : form.MdiArea->subWindowList()) captions << frame->windowTitle();
  return captions;
}

QStringList ShownRecentFiles(TMainForm& form) {
  QStringList entries;
  for (QAction* item : form.MRU) {
    if (item->isVisible()) entries << item->data().toString();
  }
  return entries;
}

// python3's own web server on a free local port, serving one folder.
// A web server in a python3 process of its own, on a local port.
class WebServerProcess {
 public:
  ~WebServerProcess() {
    server_.kill();
    server_.waitForFinished();
  }
  QString Url(const QString& name) const {
    return QString("http://127.0.0.1:%1/%2").arg(port_).arg(name);
  }

 protected:
  QProcess server_;
  quint16 port_ = 0;
};

class LocalWebServer : public WebServerProcess {
 public:
  explicit LocalWebServer(const QString& folder) {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    port_ = probe.serverPort();
    probe.close();
    server_.start("python3", {"-m", "http.server", QString::number(port_), "--bind", "127.0.0.1",
                              "--directory", folder});
    for (int attempt = 0; attempt < 100; ++attempt) {
      QTcpSocket socket;
      socket.connectToHost(QHostAddress::LocalHost, port_);
      if (socket.waitForConnected(100)) return;
      QTest::qWait(50);
    }
  }
};

// Answers every request with a page head and then body bytes as fast as the
// socket takes them, without end.
class EndlessWebServer : public WebServerProcess {
 public:
  EndlessWebServer() {
    server_.start("python3", {"-c", R"(
import socket
server = socket.create_server(("127.0.0.1", 0))
print(server.getsockname()[1], flush=True)
body = b"<html>" + b"x" * 65530
while True:
    client, _ = server.accept()
    try:
        client.recv(65536)
        client.sendall(b"HTTP/1.0 200 OK\r\nContent-Type: text/html\r\n\r\n")
        while True:
            client.sendall(body)
    except OSError:
        client.close()
)"});
    if (server_.waitForReadyRead(10000)) port_ = server_.readLine().trimmed().toUShort();
  }
};

// Calls answer on each connection of the server once its request has come in.
void AnswerRequests(QTcpServer& server, const std::function<void(QTcpSocket*)>& answer) {
  QObject::connect(&server, &QTcpServer::newConnection, &server, [&server, answer] {
    while (QTcpSocket* client = server.nextPendingConnection()) {
      QObject::connect(client, &QTcpSocket::readyRead, client, [client, answer] {
        if (client->property("answered").toBool() || !client->peek(65536).contains("\r\n\r\n"))
          return;
        client->setProperty("answered", true);
        client->readAll();
        answer(client);
      });
    }
  });
}

// The size of the largest file this process has open in the folder, named or not.
qint64 LargestOpenFileIn(const QString& folder) {
  const QString prefix = QDir(folder).canonicalPath() + '/';
  qint64 largest = 0;
  for (const QFileInfo& open :
       QDir("/proc/self/fd").entryInfoList(QDir::AllEntries | QDir::System)) {
    if (open.symLinkTarget().startsWith(prefix)) largest = std::max(largest, open.size());
  }
  return largest;
}

// The peak resident memory of this process since the last reset, in kB.
qint64 PeakMemoryKilobytes() {
  QFile status("/proc/self/status");
  if (!status.open(QIODevice::ReadOnly)) return 0;
  for (const QByteArray& line : status.readAll().split('\n')) {
    if (line.startsWith("VmHWM:"))
      return line.mid(6).trimmed().split(' ').constFirst().toLongLong();
  }
  return 0;
}

void ResetPeakMemory() {
  QFile clear("/proc/self/clear_refs");
  if (clear.open(QIODevice::WriteOnly)) clear.write("5");
}

}  // namespace

class MainFormTest : public QObject {
  Q_OBJECT

 private slots:
  void StartUpEnablesOpenCommandsOnTheFirstTick();
  void RecentFilesAreListedAtStartAndUsableFromTheFirstTick();
  void OpeningAStatementMakesAWindowAndEnablesAddAndExports();
  void AFileThatIsNotAStatementOpensNothingButIsRemembered();
  void APageInAnotherCodePageShowsInIt();
  void AddingShowsTheStatementListOnTheReportTabOnly();
  void StartDorvaneGivesSimulationOnlyWindows();
  void ClosingTheLastStatementWindowDisablesAddAndExports();
  void CommandLineFilesOpenInOrder();
  void HandOverDuringStartUpIsQueued();
  void ReadOnlyProgramDirectoryEndsTheProgram();
  void AnInstalledProgramKeepsItsFilesPerUser();
  void ASettingsFolderThatCannotBeMadeEndsTheProgram();
  void UrlIsDownloadedAndOpened();
  void FailedDownloadsOpenNothing();
  void EveryFailedDownloadSaysWhy();
  void TheMessageBoxFitsItsText();
  void EndlessDownloadStopsAtTheLimitAndLeavesNothingBehind();
  void RecentEntryWithAmpersandOpensTheExactPath();
  void AboutBoxShowsNameAndBuild();
  void DroppedFilesOpenAsOpenReportOpensThem();
  void AddWithoutWindowsOpensThroughTheDialog();
  void CtrlOOpensWithoutEnteringRecentFiles();
  void TypedUrlIsTakenAsTyped();
  void WindowMenuListsAndArrangesTheReportWindows();
  void AWindowBeingFilledIsNeverDestroyed();
  void OpensArrivingDuringAnOpenWaitForIt();
};

void MainFormTest::StartUpEnablesOpenCommandsOnTheFirstTick() {
  ProgramUnderTest program;
  TMainForm& form = program.Form();
  QVERIFY(!form.OpenReport->isEnabled());
  QVERIFY(program.Start());
  QVERIFY(form.OpenReport->isEnabled());
  QVERIFY(form.StartDorvane->isEnabled());
  for (QAction* action : {form.AddReport, form.Export, form.ExportGraph, form.ExportCsv}) {
    QVERIFY(!action->isEnabled());
  }
  QVERIFY(form.windowTitle().startsWith("Quillfen 4.0 - "));
  QVERIFY(!form.N2->isVisible());
  QVERIFY(ShownRecentFiles(form).isEmpty());
  QVERIFY(program.Messages().isEmpty());
}

void MainFormTest::RecentFilesAreListedAtStartAndUsableFromTheFirstTick() {
  ProgramUnderTest program;
  program.WriteFile("Quillfen.mru", " /a/one.htm \r\n__/b/two.htm__\r\n");
  TMainForm& form = program.Form();
  form.show();
  QTRY_VERIFY(form.MRU[0]->isVisible());
  QCOMPARE(ShownRecentFiles(form), (QStringList{"/a/one.htm", "/b/two.htm"}));
  QVERIFY(form.N2->isVisible());
  QVERIFY(!form.MRU[2]->isVisible());
  QTRY_VERIFY(form.StartUpFinished());
  QVERIFY(form.MRU[0]->isEnabled());
  QCOMPARE(form.OpenReport->toolTip(), QString("Open report file"));
  QCOMPARE(form.OpenReport->statusTip(), QString("Open a report file generated by MetaTrader"));
  QCOMPARE(form.FileOpen1->shortcut(), QKeySequence("Ctrl+O"));
}

void MainFormTest::OpeningAStatementMakesAWindowAndEnablesAddAndExports() {
  ProgramUnderTest program;
  QVERIFY(program.Start());
  TMainForm& form = program.Form();
  form.resize(1200, 700);  // room for a report window's own size
  const QString path = Example("statement.htm");
  form.OpenChosenName(path);
  QCOMPARE(Captions(form), QStringList{path});
  TMDIChild* window = form.ReportWindows().constFirst();
  for (QAction* action : {form.AddReport, form.Export, form.ExportGraph, form.ExportCsv}) {
    QVERIFY(action->isEnabled());
  }
  QVERIFY(!QFile::exists(program.FilePath("Quillfen.tmp")));
  QCOMPARE(window->ReportPageLocation(), QUrl::fromLocalFile(path));
  QCOMPARE(window->PageControl2->currentWidget(), window->ReportTabSheet);
  QVERIFY(!window->StatementComboBox->isVisible());
  QVERIFY(window->report.full.RowCount() > 2);
  QCOMPARE(form.State().armedSortColumn, 9);
  QCOMPARE(form.MdiArea->subWindowList().constFirst()->size(), QSize(1023, 400));
  QCOMPARE(ShownRecentFiles(form), QStringList{path});
  QCOMPARE(program.ReadFile("Quillfen.mru"), path + "\r\n");

  form.OpenChosenName(path);
  QCOMPARE(Captions(form), (QStringList{path, path}));
  QCOMPARE(ShownRecentFiles(form), QStringList{path});
}

// The terminal declares no charset: the Report tab shows a Russian page in
// cp1251, the grids its comments in UTF-8, and an English page after it in
// the browser's own default again.
void MainFormTest::APageInAnotherCodePageShowsInIt() {
  ProgramUnderTest program;
  QVERIFY(program.Start());
  TMainForm& form = program.Form();
  QWebEngineSettings* settings = nullptr;
  form.OpenChosenName(testing::Fixture("statement_russian_cp1251.htm"));
  TMDIChild* russian = form.ReportWindows().constFirst();
  settings = russian->WebBrowser->page()->settings();
  QCOMPARE(russian->ReportPageCharset(), QString("windows-1251"));
  QCOMPARE(settings->defaultTextEncoding(), QString("windows-1251"));
  QCOMPARE(CellText(russian->report.full.Cell(col::comment, 5)), QString("скальпер_v2"));

  form.OpenChosenName(Example("statement.htm"));
  TMDIChild* english = form.ReportWindows().constLast();
  QVERIFY(english != russian);
  QCOMPARE(english->ReportPageCharset(), QString());
  QVERIFY(english->WebBrowser->page()->settings()->defaultTextEncoding() !=
          QString("windows-1251"));
}

void MainFormTest::AFileThatIsNotAStatementOpensNothingButIsRemembered() {
  ProgramUnderTest program;
  QVERIFY(program.Start());
  program.WriteFile("plain.htm", "<html><body><p>Hello</p></body></html>\n");
  const QString missing = program.FilePath("missing.htm");
  program.Form().OpenChosenName(program.FilePath("plain.htm"));
  program.Form().OpenChosenName(missing);
  QVERIFY(program.Form().ReportWindows().isEmpty());
  QVERIFY(program.Messages().isEmpty());
  QVERIFY(!program.Form().AddReport->isEnabled());
  QVERIFY(!program.Form().loadPanelAction->isVisible());
  QCOMPARE(ShownRecentFiles(program.Form()), (QStringList{missing, program.FilePath("plain.htm")}));
}

void MainFormTest::AddingShowsTheStatementListOnTheReportTabOnly() {
  ProgramUnderTest program;
  QVERIFY(program.Start());
  TMainForm& form = program.Form();
  const QString first = Example("statement.htm");
  const QString second = Example("tester.htm");
  form.OpenChosenName(first);
  TMDIChild* window = form.ReportWindows().constFirst();
  const int rows = window->report.full.RowCount();
  form.AddChosenFile(second);
  QCOMPARE(form.ReportWindows().size(), 1);
  QCOMPARE(Captions(form), QStringList{first});
  QVERIFY(window->report.full.RowCount() > rows);
  QCOMPARE(window->StatementComboBox->count(), 2);
  QCOMPARE(window->StatementComboBox->currentText(), second);
  QVERIFY(window->StatementComboBox->isVisible());
  QCOMPARE(window->ReportPageLocation(), QUrl::fromLocalFile(second));
  QVERIFY(QFile::exists(program.FilePath("Quillfen.tmp")));
  QCOMPARE(ShownRecentFiles(form), QStringList{first});

  window->PageControl2->setCurrentWidget(window->SummaryTabSheet);
  QVERIFY(!window->StatementComboBox->isVisible());
  window->PageControl2->setCurrentWidget(window->ReportTabSheet);
  QVERIFY(window->StatementComboBox->isVisible());
  emit window->StatementComboBox->activated(0);
  QCOMPARE(window->ReportPageLocation(), QUrl::fromLocalFile(first));

  program.WriteFile("plain.htm", "<html>hello</html>\n");
  form.AddChosenFile(program.FilePath("plain.htm"));
  QCOMPARE(window->StatementComboBox->count(), 2);
}

void MainFormTest::StartDorvaneGivesSimulationOnlyWindows() {
  ProgramUnderTest program;
  QVERIFY(program.Start());
  TMainForm& form = program.Form();
  form.resize(1200, 700);
  for (int i = 0; i < 3; ++i) form.StartDorvane->trigger();
  QCOMPARE(Captions(form), (QStringList{"Dorvane", "Dorvane", "Dorvane"}));
  for (QMdiSubWindow* frame : form.MdiArea->subWindowList()) QCOMPARE(frame->width(), 885);
  TMDIChild* window = form.ReportWindows().constFirst();
  QVERIFY(!window->IsStatementWindow());
  QCOMPARE(window->PageControl2->currentWidget(), window->DorvaneTabSheet);
  for (QWidget* tab : {window->ReportTabSheet, window->SummaryTabSheet, window->OptionsTabSheet}) {
    QVERIFY(!window->PageControl2->isTabVisible(window->PageControl2->indexOf(tab)));
  }
  QVERIFY(!window->ListboxPanel->isVisible());
  QVERIFY(!window->tradeSettings1.orgDepositRadioButton->isEnabled());
  QVERIFY(window->tradeSettings1.depositRadioButton->isChecked());
  QVERIFY(window->positionSizing1.fixedMiniLotsRadioButton->isChecked());
  QVERIFY(!form.AddReport->isEnabled());
  QVERIFY(ShownRecentFiles(form).isEmpty());
}

void MainFormTest::ClosingTheLastStatementWindowDisablesAddAndExports() {
  ProgramUnderTest program;
  QVERIFY(program.Start());
  TMainForm& form = program.Form();
  form.OpenChosenName(Example("statement.htm"));
  form.StartDorvane->trigger();
  QVERIFY(form.AddReport->isEnabled());
  form.MdiArea->subWindowList().constFirst()->close();
  QTRY_COMPARE(form.ReportWindows().size(), 1);
  for (QAction* action : {form.AddReport, form.Export, form.ExportGraph, form.ExportCsv}) {
    QVERIFY(!action->isEnabled());
  }
}

void MainFormTest::CommandLineFilesOpenInOrder() {
  const QStringList files{Example("statement.htm"), Example("tester.htm"),
                          testing::Fixture("tester_swap_reopen.htm")};
  ProgramUnderTest program(files);
  QVERIFY(program.Start());
  QCOMPARE(Captions(program.Form()), files);
  QCOMPARE(ShownRecentFiles(program.Form()), (QStringList{files[2], files[1], files[0]}));
}

void MainFormTest::HandOverDuringStartUpIsQueued() {
  ProgramUnderTest program;
  const QString path = Example("tester.htm");
  program.Form().HandOver(path);
  QVERIFY(program.Form().ReportWindows().isEmpty());
  QVERIFY(program.Start());
  QTRY_COMPARE(Captions(program.Form()), QStringList{path});
  QCOMPARE(ShownRecentFiles(program.Form()), QStringList{path});
}

void MainFormTest::ReadOnlyProgramDirectoryEndsTheProgram() {
  // Nobody, not even root, creates files in /proc.
  ProgramUnderTest program({}, "/proc");
  program.Form().show();
  QTRY_VERIFY(!program.Messages().isEmpty());
  QCOMPARE(program.Messages(), QStringList{"Not enough rights to create file"});
  QTRY_VERIFY(!program.Form().isVisible());
  QVERIFY(!program.Form().OpenReport->isEnabled());
}

void MainFormTest::AnInstalledProgramKeepsItsFilesPerUser() {
  QTemporaryDir root;
  QVERIFY(QDir(root.path()).mkpath("program") && QDir(root.path()).mkpath("run"));
  const QString temporary = root.filePath("run/quillfen");
  const ProgramFolders folders{root.filePath("program").toStdString(),
                               root.filePath("config/quillfen").toStdString(),
                               temporary.toStdString(), true};
  const QString statement = Example("statement.htm");
  LocalWebServer server(QUILLFEN_EXAMPLES);
  {
    ProgramUnderTest program(folders, {statement});
    QVERIFY(program.Start());
    TMainForm& form = program.Form();
    QTRY_COMPARE(Captions(form), QStringList{statement});
    QCOMPARE(program.ReadFile("Quillfen.mru"), statement + "\r\n");
    form.OpenChosenName(server.Url("tester.htm"));
    TMDIChild* downloaded = form.ReportWindows().constLast();
    QCOMPARE(downloaded->ReportPageLocation(),
             QUrl::fromLocalFile(QDir(temporary).filePath("Quillfen$$$.htm")));
    QVERIFY(QFile::exists(QDir(temporary).filePath("Quillfen$$$.htm")));
  }
  // Closing keeps the state beside the recent files and takes the private folder away.
  QVERIFY(QFile::exists(root.filePath("config/quillfen/Quillfen.state")));
  QVERIFY(!QFileInfo::exists(temporary));
  QCOMPARE(QDir(root.filePath("program")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
           QStringList{});
}

void MainFormTest::ASettingsFolderThatCannotBeMadeEndsTheProgram() {
  QTemporaryDir root;
  QFile file(root.filePath("config"));
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.close();
  const QString files = root.filePath("config/quillfen");
  const ProgramFolders folders{root.path().toStdString(), files.toStdString(),
                               root.filePath("run").toStdString(), true};
  ProgramUnderTest program(folders, {Example("statement.htm")});
  program.Form().show();
  QTRY_VERIFY(!program.Messages().isEmpty());
  QCOMPARE(program.Messages(),
           QStringList{"The folder " + files + " cannot be created: Not a directory"});
  QTRY_VERIFY(!program.Form().isVisible());
  QVERIFY(!program.Form().OpenReport->isEnabled());
}

void MainFormTest::UrlIsDownloadedAndOpened() {
  ProgramUnderTest program;
  QVERIFY(program.Start());
  LocalWebServer server(QUILLFEN_EXAMPLES);
  TMainForm& form = program.Form();
  const QString url = server.Url("statement.htm");
  form.OpenChosenName(url);
  QCOMPARE(Captions(form), QStringList{url});
  TMDIChild* window = form.ReportWindows().constFirst();
  QCOMPARE(window->StatementComboBox->itemText(0), QString("Quillfen$$$.htm"));
  QCOMPARE(window->ReportPageLocation(), QUrl::fromLocalFile(program.FilePath("Quillfen$$$.htm")));
  QCOMPARE(ShownRecentFiles(form), QStringList{url});
  form.AddChosenFile(Example("tester.htm"));
  emit window->StatementComboBox->activated(0);
  QCOMPARE(window->ReportPageLocation(), QUrl::fromLocalFile(program.FilePath("Quillfen$$$.htm")));
  QFile page(program.FilePath("Quillfen$$$.htm"));
  QFile original(Example("statement.htm"));
  QVERIFY(page.open(QIODevice::ReadOnly) && original.open(QIODevice::ReadOnly));
  QCOMPARE(page.readAll(), original.readAll());

  const QString second = server.Url("tester.htm");
  form.OpenChosenName(second);
  QCOMPARE(Captions(form), (QStringList{url, second}));
  form.close();
  QVERIFY(!QFile::exists(program.FilePath("Quillfen$$$.htm")));
}

void MainFormTest::FailedDownloadsOpenNothing() {
  ProgramUnderTest program;
  QVERIFY(program.Start());
  LocalWebServer server(QUILLFEN_FIXTURES);
  TMainForm& form = program.Form();
  program.WriteFile("page.htm", "<html>hello</html>");
  LocalWebServer pages(program.Directory());
  for (const QString& url : {server.Url("missing.htm"), pages.Url("page.htm"),
                             QString("http://127.0.0.1:1/unreachable.htm")}) {
    form.OpenChosenName(url);
  }
  QVERIFY(form.ReportWindows().isEmpty());
  QCOMPARE(ShownRecentFiles(form), QStringList{pages.Url("page.htm")});
  QCOMPARE(program.Messages(),
           (QStringList{server.Url("missing.htm") +
                            " could not be downloaded: the server answered 404 File not found",
                        "http://127.0.0.1:1/unreachable.htm could not be downloaded: the server "
                        "refused the connection"}));
}

// A slow drip, a redirect loop and a refused connection, each from a server
// in this process, answered while the download waits.
void MainFormTest::EveryFailedDownloadSaysWhy() {
  ProgramUnderTest program;
  QVERIFY(program.Start());
  TMainForm& form = program.Form();
  form.SetDownloadTimeout(2000);
  QTcpServer drip, loop, refused;
  QVERIFY(drip.listen(QHostAddress::LocalHost) && loop.listen(QHostAddress::LocalHost) &&
          refused.listen(QHostAddress::LocalHost));
  const quint16 refusedPort = refused.serverPort();
  refused.close();
  AnswerRequests(drip, [](QTcpSocket* client) {
    client->write("HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: 100000\r\n\r\n");
    auto* tick = new QTimer(client);
    QObject::connect(tick, &QTimer::timeout, client, [client] { client->write("x"); });
    tick->start(100);
  });
  AnswerRequests(loop, [](QTcpSocket* client) {
    client->write(
        "HTTP/1.1 302 Found\r\nLocation: /again.htm\r\nContent-Length: 0\r\n"
        "Connection: close\r\n\r\n");
    client->disconnectFromHost();
  });
  auto url = [](quint16 port) { return QString("http://127.0.0.1:%1/page.htm").arg(port); };
  QElapsedTimer clock;
  clock.start();
  for (quint16 port : {drip.serverPort(), loop.serverPort(), refusedPort})
    form.OpenChosenName(url(port));
  QVERIFY(clock.elapsed() < 10000);
  QCOMPARE(
      program.Messages(),
      (QStringList{
          url(drip.serverPort()) +
              " could not be downloaded: the server did not send the whole page "
              "within 2 s",
          url(loop.serverPort()) + " could not be downloaded: the address redirects too many times",
          url(refusedPort) + " could not be downloaded: the server refused the connection"}));
  QVERIFY(form.ReportWindows().isEmpty());
  QVERIFY(!QFile::exists(program.FilePath("Quillfen$$$.htm")));
}

// The message box grows to its text: no line is cut at either end, and a
// short text keeps the box at its usual size.
void MainFormTest::TheMessageBoxFitsItsText() {
  ProgramUnderTest program;
  QVERIFY(program.Start());
  TMainForm& form = program.Form();
  QSize boxSize;
  bool fits = false;
  connect(form.MessageForm, &TMessageForm::Shown, this, [&] {
    const QLabel* label = form.MessageForm->MessageLabel;
    const QFontMetrics metrics(label->font());
    fits = label->heightForWidth(label->width()) <= label->height();
    for (const QString& word : label->text().split(' '))
      fits &= metrics.horizontalAdvance(word) <= label->width();
    boxSize = form.MessageForm->size();
  });
  const QString url = "http://127.0.0.1:8080/" + QString(300, 'a') + ".htm";
  form.ShowMessageDialog(
      DownloadFailureMessage(url, {DownloadOutcome::tooLarge, {}}, kDownloadLimitBytes));
  QVERIFY(fits);
  QVERIFY(boxSize.width() > 353);
  QVERIFY(boxSize.width() <= form.screen()->availableGeometry().width());
  form.ShowMessageDialog("Not enough rights to create file");
  QVERIFY(fits);
  QCOMPARE(boxSize, QSize(353, 224));
}

void MainFormTest::EndlessDownloadStopsAtTheLimitAndLeavesNothingBehind() {
  ProgramUnderTest program;
  QVERIFY(program.Start());
  TMainForm& form = program.Form();
  constexpr qint64 kLimit = 64LL * 1024 * 1024;
  form.SetDownloadLimit(kLimit);
  program.WriteFile("Quillfen$$$.htm", "earlier page");
  const QStringList filesBefore = QDir(program.Directory()).entryList(QDir::Files);
  EndlessWebServer server;
  const QString url = server.Url("endless.htm");

  qint64 largestPart = 0;
  QTimer watch;
  connect(&watch, &QTimer::timeout, this,
          [&] { largestPart = std::max(largestPart, LargestOpenFileIn(program.Directory())); });
  watch.start(1);
  ResetPeakMemory();
  const qint64 memoryBefore = PeakMemoryKilobytes();
  QElapsedTimer clock;
  clock.start();
  form.OpenChosenName(url);
  const qint64 elapsed = clock.elapsed();
  const qint64 memoryGrowth = PeakMemoryKilobytes() - memoryBefore;
  watch.stop();

  // The time-out would have ended it after 30 s.
  QVERIFY(elapsed < 20000);
  QVERIFY(largestPart > 0);
  QVERIFY(largestPart <= kLimit);
  QVERIFY2(memoryGrowth < 16 * 1024, qPrintable(QString::number(memoryGrowth)));
  QCOMPARE(program.Messages(),
           QStringList{"The download was stopped at 64 MB: " + url + " is too large for a report"});
  QVERIFY(form.ReportWindows().isEmpty());
  QVERIFY(ShownRecentFiles(form).isEmpty());
  QCOMPARE(program.ReadFile("Quillfen$$$.htm"), QString("earlier page"));
  QCOMPARE(QDir(program.Directory()).entryList(QDir::Files), filesBefore);
  QCOMPARE(LargestOpenFileIn(program.Directory()), 0);
}

void MainFormTest::RecentEntryWithAmpersandOpensTheExactPath() {
  ProgramUnderTest program;
  QVERIFY(program.Start());
  const QString path = program.FilePath("R&D statement 'ü'.htm");
  QVERIFY(QFile::copy(Example("statement.htm"), path));
  TMainForm& form = program.Form();
  form.OpenChosenName(path);
  form.OpenChosenName(Example("tester.htm"));
  QCOMPARE(form.MRU[1]->text(), path);
  QCOMPARE(form.MRU[1]->data().toString(), path);
  form.MRU[1]->trigger();
  QCOMPARE(Captions(form).constLast(), path);
  QCOMPARE(ShownRecentFiles(form), (QStringList{path, Example("tester.htm")}));
}

void MainFormTest::AboutBoxShowsNameAndBuild() {
  ProgramUnderTest program;
  QVERIFY(program.Start());
  TAboutBox* box = program.Form().AboutBox;
  QString build;
  QTimer::singleShot(0, box, [&] {
    build = box->BuildLabel->text();
    box->accept();
  });
  program.Form().HelpAbout1Execute();
  QCOMPARE(build, QString("Build 1040"));
  QCOMPARE(box->QuillfenLabel->text(), QString("Quillfen 4.0"));
  QCOMPARE(box->windowTitle(), QString("About"));
}

namespace {

// Answers the next showing of the open dialog with this name typed, or cancels it.
void AnswerOpenDialog(TMainForm& form, const QString& name) {
  QTimer::singleShot(0, form.OpenDialog, [&form, name] {
    if (name.isEmpty()) {
      form.OpenDialog->reject();
      return;
    }
    form.OpenDialog->findChild<QLineEdit*>("fileNameEdit")->setText(name);
    QMetaObject::invokeMethod(form.OpenDialog, "accept");
  });
}

}  // namespace

void MainFormTest::AddWithoutWindowsOpensThroughTheDialog() {
  ProgramUnderTest program;
  QVERIFY(program.Start());
  TMainForm& form = program.Form();
  AnswerOpenDialog(form, QString());
  form.AddReportExecute();
  QVERIFY(form.ReportWindows().isEmpty());
  const QString path = Example("tester.htm");
  AnswerOpenDialog(form, path);
  form.AddReportExecute();
  QCOMPARE(Captions(form), QStringList{path});
  QCOMPARE(ShownRecentFiles(form), QStringList{path});
  QCOMPARE(form.OpenDialog->windowTitle(), QString("Open report..."));
}

void MainFormTest::CtrlOOpensWithoutEnteringRecentFiles() {
  ProgramUnderTest program;
  QVERIFY(program.Start());
  TMainForm& form = program.Form();
  const QString path = Example("statement.htm");
  AnswerOpenDialog(form, path);
  form.FileOpen1->trigger();
  QCOMPARE(Captions(form), QStringList{path});
  QVERIFY(ShownRecentFiles(form).isEmpty());
}

void MainFormTest::TypedUrlIsTakenAsTyped() {
  ProgramUnderTest program;
  QVERIFY(program.Start());
  LocalWebServer server(QUILLFEN_EXAMPLES);
  TMainForm& form = program.Form();
  const QString url = server.Url("tester.htm");
  AnswerOpenDialog(form, url);
  form.OpenReport->trigger();
  QCOMPARE(Captions(form), QStringList{url});
}

void MainFormTest::DroppedFilesOpenAsOpenReportOpensThem() {
  ProgramUnderTest program;
  QVERIFY(program.Start());
  const QString first = Example("statement.htm");
  const QString second = Example("tester.htm");
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(first), QUrl::fromLocalFile(second)});
  QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&program.Form(), &enter);
  QVERIFY(enter.isAccepted());
  QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&program.Form(), &drop);
  QTRY_COMPARE(Captions(program.Form()), (QStringList{first, second}));
  QCOMPARE(ShownRecentFiles(program.Form()), (QStringList{second, first}));
}

void MainFormTest::WindowMenuListsAndArrangesTheReportWindows() {
  ProgramUnderTest program;
  QVERIFY(program.Start());
  TMainForm& form = program.Form();
  form.resize(1050, 700);
  form.OpenChosenName(Example("statement.htm"));
  form.StartDorvane->trigger();
  emit form.WindowMenu->aboutToShow();
  QStringList items;
  for (QAction* item : form.WindowMenu->actions()) {
    if (!item->isSeparator()) items << item->text();
  }
  QCOMPARE(items.mid(0, 6), (QStringList{"Tile &Horizontally", "&Cascade", "&Minimize All",
                                         "Cl&ose", "&Next tab", "&Previous tab"}));
  QCOMPARE(items.size(), 8);
  QVERIFY(items[7].endsWith("Dorvane"));

  form.WindowTileHorizontal1->trigger();
  const QList<QMdiSubWindow*> frames = form.MdiArea->subWindowList();
  QCOMPARE(frames[0]->width(), form.MdiArea->viewport()->width());
  QVERIFY(frames[1]->y() >= frames[0]->y() + frames[0]->height());
  form.WindowMinimizeAll1->trigger();
  for (QMdiSubWindow* frame : frames) QVERIFY(frame->isMinimized());
}

void MainFormTest::AWindowBeingFilledIsNeverDestroyed() {
  ProgramUnderTest program;
  QVERIFY(program.Start());
  TMainForm& form = program.Form();
  // Runs at the second round of pending events of the open, after the window exists.
  QTimer::singleShot(0, &form, [&form] {
    QTimer::singleShot(0, &form, [&form] {
      for (QMdiSubWindow* frame : form.MdiArea->subWindowList()) frame->close();
      form.close();
    });
  });
  int filledRows = 0;
  connect(&form, &TMainForm::ReportOpened, this,
          [&filledRows](TMDIChild* window) { filledRows = window->report.full.TradeRows(); });
  form.OpenChosenName(Example("statement.htm"));
  QVERIFY(filledRows > 0);
  // The close asked for during the open happens once the open is done.
  QTRY_VERIFY(!form.isVisible());
}

void MainFormTest::OpensArrivingDuringAnOpenWaitForIt() {
  ProgramUnderTest program;
  QVERIFY(program.Start());
  TMainForm& form = program.Form();
  const QString second = Example("tester.htm");
  QTimer::singleShot(0, &form, [&form, second] {
    form.HandOver(second);
    QVERIFY(form.ReportWindows().isEmpty());
  });
  form.OpenChosenName(Example("statement.htm"));
  QCOMPARE(Captions(form), (QStringList{Example("statement.htm"), second}));
  QCOMPARE(ShownRecentFiles(form), (QStringList{second, Example("statement.htm")}));
}

}  // namespace quillfen

QTEST_MAIN(quillfen::MainFormTest)
#include "main_form_test.moc"
