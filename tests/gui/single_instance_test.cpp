#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include "gui/app/single_instance.h"
#include "gui_test_support.h"

namespace quillfen {

namespace {

// The real program, copied into a folder of its own: that folder is its
// program directory and names its instance.
class InstalledProgram {
 public:
  InstalledProgram() {
    program_ = QDir(dir_.path()).filePath("quillfen");
    QFile::copy(QUILLFEN_PROGRAM, program_);
    QFile(program_).setPermissions(QFile::ReadOwner | QFile::ExeOwner);
  }
  // The killed instances leave their socket behind, and a test may leave its lock file.
  ~InstalledProgram() {
    QLocalServer::removeServer(SingleInstance::ServerName(dir_.path()));
    QFile::remove(LockFile());
  }
  QString LockFile() const { return SingleInstance::LockFilePath(dir_.path()); }
  QString Directory() const { return dir_.path(); }
  QString Program() const { return program_; }
  QString Path(const QString& name) const { return QDir(dir_.path()).filePath(name); }
  QString Read(const QString& name) const {
    QFile file(Path(name));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
  }
  void Start(QProcess& process, const QStringList& arguments,
             const QString& workingDirectory = {}) const {
    process.setProgram(program_);
    process.setWorkingDirectory(workingDirectory);
    process.setArguments(arguments);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start();
  }
  // Whether a first instance answers on the program's socket.
  bool Listening() const {
    QLocalSocket socket;
    socket.connectToServer(SingleInstance::ServerName(dir_.path()));
    return socket.waitForConnected(200);
  }
  int RunSecond(const QStringList& arguments) const {
    QProcess second;
    Start(second, arguments);
    if (!second.waitForFinished(20000)) return -1;
    return second.exitStatus() == QProcess::NormalExit ? second.exitCode() : -2;
  }

 private:
  QTemporaryDir dir_;
  QString program_;
};

void Stop(QProcess& process) {
  process.kill();
  process.waitForFinished();
}

// Starts two instances at once and waits for one of them to end, handing over
// to the other: running is the one left, or null when none or both ended.
void StartTwoAtOnce(InstalledProgram& installed, QProcess& a, QProcess& b, QProcess*& running) {
  installed.Start(a, {});
  installed.Start(b, {});
  QTRY_VERIFY_WITH_TIMEOUT(a.state() == QProcess::NotRunning || b.state() == QProcess::NotRunning,
                           30000);
  QProcess& still = a.state() == QProcess::Running ? a : b;
  QProcess& ended = a.state() == QProcess::Running ? b : a;
  QCOMPARE(still.state(), QProcess::Running);
  QCOMPARE(ended.exitCode(), 0);
  running = &still;
}

}  // namespace

class SingleInstanceTest : public QObject {
  Q_OBJECT

 private slots:
  void SecondStartHandsItsFirstFileOverAndExits();
  void SecondStartWithoutFilesChangesNothing();
  void FirstStartOpensFilesNamedAsTheRoadsOwnNames();
  void StaleSocketOfAKilledInstanceIsReplaced();
  void TwoSimultaneousStartsLeaveOneInstance();
  void CorruptLockFileIsTakenOverOnceWithoutWaiting();
  void LockHeldByAStartThatNeverAnswersEndsTheNextStart();
  void HandOverArgumentIsMadeAbsoluteExceptForUrls();
  void HandedOverPathArrivesWhole_data();
  void HandedOverPathArrivesWhole();
  void OversizedHandOverIsRefused();
};

void SingleInstanceTest::SecondStartHandsItsFirstFileOverAndExits() {
  InstalledProgram installed;
  QProcess first;
  installed.Start(first, {});
  QTRY_VERIFY_WITH_TIMEOUT(installed.Listening(), 20000);
  const QString file = testing::Example("tester.htm");
  QCOMPARE(installed.RunSecond({file, testing::Example("statement.htm")}), 0);
  QTRY_COMPARE_WITH_TIMEOUT(installed.Read("Quillfen.mru"), file + "\r\n", 20000);
  QCOMPARE(first.state(), QProcess::Running);
  Stop(first);
}

void SingleInstanceTest::SecondStartWithoutFilesChangesNothing() {
  InstalledProgram installed;
  QProcess first;
  installed.Start(first, {testing::Example("statement.htm")});
  QTRY_VERIFY_WITH_TIMEOUT(installed.Listening(), 20000);
  QTRY_VERIFY_WITH_TIMEOUT(!installed.Read("Quillfen.mru").isEmpty(), 20000);
  const QString before = installed.Read("Quillfen.mru");
  QCOMPARE(installed.RunSecond({}), 0);
  QTest::qWait(500);
  QCOMPARE(installed.Read("Quillfen.mru"), before);
  QCOMPARE(first.state(), QProcess::Running);
  Stop(first);
}

// "0" is the road's name for a simulation-only window and "Quillfen$$$.htm"
// its downloaded page: files of those names in the working folder are files.
void SingleInstanceTest::FirstStartOpensFilesNamedAsTheRoadsOwnNames() {
  InstalledProgram installed;
  QTemporaryDir folder;
  const QStringList names = {"0", "Quillfen$$$.htm"};
  for (const QString& name : names)
    QVERIFY(QFile::copy(testing::Example("statement.htm"), QDir(folder.path()).filePath(name)));
  QProcess first;
  installed.Start(first, names, folder.path());
  QTRY_VERIFY_WITH_TIMEOUT(installed.Read("Quillfen.mru").count("\r\n") == 2, 20000);
  const QString recent = installed.Read("Quillfen.mru");
  for (const QString& name : names)
    QVERIFY2(recent.contains(QDir(folder.path()).filePath(name) + "\r\n"), qPrintable(recent));
  Stop(first);
}

void SingleInstanceTest::StaleSocketOfAKilledInstanceIsReplaced() {
  InstalledProgram installed;
  QProcess killed;
  installed.Start(killed, {});
  QTRY_VERIFY_WITH_TIMEOUT(installed.Listening(), 20000);
  Stop(killed);
  QProcess first;
  installed.Start(first, {});
  QTRY_VERIFY_WITH_TIMEOUT(installed.Listening(), 20000);
  QCOMPARE(first.state(), QProcess::Running);
  const QString file = testing::Example("statement.htm");
  QCOMPARE(installed.RunSecond({file}), 0);
  QTRY_COMPARE_WITH_TIMEOUT(installed.Read("Quillfen.mru"), file + "\r\n", 20000);
  Stop(first);
}

void SingleInstanceTest::TwoSimultaneousStartsLeaveOneInstance() {
  InstalledProgram installed;
  QProcess a;
  QProcess b;
  QProcess* running = nullptr;
  StartTwoAtOnce(installed, a, b, running);
  if (!running) return;
  Stop(*running);
}

void SingleInstanceTest::CorruptLockFileIsTakenOverOnceWithoutWaiting() {
  InstalledProgram installed;
  QFile lock(installed.LockFile());
  QVERIFY(lock.open(QIODevice::WriteOnly));
  lock.write("not a lock\n");
  lock.close();
  QProcess a;
  QProcess b;
  QProcess* running = nullptr;
  StartTwoAtOnce(installed, a, b, running);
  if (!running) return;
  QVERIFY(installed.Listening());

  // A start that waited for the lock took five seconds at least.
  const QString file = testing::Example("statement.htm");
  QElapsedTimer clock;
  clock.start();
  QCOMPARE(installed.RunSecond({file}), 0);
  QVERIFY2(clock.elapsed() < 4000, qPrintable(QString::number(clock.elapsed())));
  QTRY_COMPARE_WITH_TIMEOUT(installed.Read("Quillfen.mru"), file + "\r\n", 20000);
  QCOMPARE(running->state(), QProcess::Running);
  Stop(*running);
}

void SingleInstanceTest::LockHeldByAStartThatNeverAnswersEndsTheNextStart() {
  InstalledProgram installed;
  QLockFile held(installed.LockFile());
  QVERIFY(held.tryLock(0));
  QProcess start;
  start.start(installed.Program(), {testing::Example("statement.htm")});
  QVERIFY(start.waitForFinished(20000));
  QCOMPARE(start.exitCode(), 1);
  QVERIFY(start.readAllStandardError().contains(installed.LockFile().toUtf8()));
  QVERIFY(!installed.Listening());
  QVERIFY(QFile::exists(installed.LockFile()));
}

void SingleInstanceTest::HandOverArgumentIsMadeAbsoluteExceptForUrls() {
  QCOMPARE(HandOverArgument("http://host/a.htm"), QString("http://host/a.htm"));
  QCOMPARE(HandOverArgument("www.host.com/a.htm"), QString("www.host.com/a.htm"));
  QCOMPARE(HandOverArgument("a b.htm"), QDir::current().absoluteFilePath("a b.htm"));
  QCOMPARE(HandOverArgument(""), QString());
}

void SingleInstanceTest::HandedOverPathArrivesWhole_data() {
  QTest::addColumn<QString>("path");
  QTest::newRow("line feed inside") << "/evil/new\nline.htm";
  QTest::newRow("line feed at the end") << "/evil/report.htm\n";
  QTest::newRow("carriage return and line feed") << "/evil/r\r\nü.htm";
}

// This test is the running instance; the real program is the second start.
void SingleInstanceTest::HandedOverPathArrivesWhole() {
  QFETCH(QString, path);
  InstalledProgram installed;
  SingleInstance running(installed.Directory());
  QVERIFY(running.HandOverToRunning(QString()) == SingleInstance::StartRole::first);
  QVERIFY(running.Listen());
  QSignalSpy received(&running, &SingleInstance::Received);
  QProcess second;
  installed.Start(second, {path});
  QTRY_COMPARE_WITH_TIMEOUT(received.size(), 1, 20000);
  QCOMPARE(received.constFirst().constFirst().toString(), path);
  QTRY_COMPARE_WITH_TIMEOUT(second.state(), QProcess::NotRunning, 20000);
  QCOMPARE(second.exitCode(), 0);
}

void SingleInstanceTest::OversizedHandOverIsRefused() {
  InstalledProgram installed;
  SingleInstance running(installed.Directory());
  QVERIFY(running.HandOverToRunning(QString()) == SingleInstance::StartRole::first);
  QVERIFY(running.Listen());
  QSignalSpy received(&running, &SingleInstance::Received);
  QLocalSocket socket;
  socket.connectToServer(SingleInstance::ServerName(installed.Directory()));
  QVERIFY(socket.waitForConnected(2000));
  socket.write(QByteArray(4, '\xff') + "/a.htm\n");
  QTRY_COMPARE(socket.state(), QLocalSocket::UnconnectedState);
  QVERIFY(received.isEmpty());
}

}  // namespace quillfen

QTEST_GUILESS_MAIN(quillfen::SingleInstanceTest)
#include "single_instance_test.moc"
