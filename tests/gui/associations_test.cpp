#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "gui/app/associations.h"

namespace quillfen {

class AssociationsTest : public QObject {
  Q_OBJECT

 private slots:
  void SplitExecLine_data();
  void SplitExecLine();
  void CommandForTarget_data();
  void CommandForTarget();
  void TargetWithQuotesAndSemicolonStaysOneArgument();
  void NoAssociationOrProgramRunsNothingAndSaysWhich();

 private:
  void UseFolders(const QTemporaryDir& dir);
};

void AssociationsTest::SplitExecLine_data() {
  QTest::addColumn<QString>("exec");
  QTest::addColumn<QStringList>("words");
  QTest::newRow("plain") << "firefox %u" << QStringList{"firefox", "%u"};
  QTest::newRow("quoted program") << "\"/opt/my viewer/bin\" --new %U"
                                  << QStringList{"/opt/my viewer/bin", "--new", "%U"};
  QTest::newRow("escapes in quotes")
      << R"(sh -c "echo \"\$1\"" %f)" << QStringList{"sh", "-c", "echo \"$1\"", "%f"};
  QTest::newRow("runs of blanks") << "  evince   %F  " << QStringList{"evince", "%F"};
}

void AssociationsTest::SplitExecLine() {
  QFETCH(QString, exec);
  QFETCH(QStringList, words);
  QCOMPARE(quillfen::SplitExecLine(exec), words);
}

void AssociationsTest::CommandForTarget_data() {
  QTest::addColumn<QStringList>("exec");
  QTest::addColumn<QString>("program");
  QTest::addColumn<QStringList>("arguments");
  const QString t = "/m/Quillfen Manual.pdf";
  QTest::newRow("url code") << QStringList{"firefox", "%u"} << "firefox" << QStringList{t};
  QTest::newRow("only the first code")
      << QStringList{"viewer", "%F", "%f"} << "viewer" << QStringList{t};
  QTest::newRow("code inside a word")
      << QStringList{"app", "--open=%f"} << "app" << QStringList{"--open=" + t};
  QTest::newRow("no code appends") << QStringList{"okular"} << "okular" << QStringList{t};
  QTest::newRow("other codes dropped")
      << QStringList{"app", "%i", "%c", "100%%", "%U"} << "app" << QStringList{"100%", t};
}

void AssociationsTest::CommandForTarget() {
  QFETCH(QStringList, exec);
  QFETCH(QString, program);
  QFETCH(QStringList, arguments);
  AssociatedCommand command = quillfen::CommandForTarget(exec, "/m/Quillfen Manual.pdf");
  QCOMPARE(command.program, program);
  QCOMPARE(command.arguments, arguments);
}

void AssociationsTest::UseFolders(const QTemporaryDir& dir) {
  qputenv("XDG_CONFIG_HOME", dir.filePath("config").toUtf8());
  qputenv("XDG_CONFIG_DIRS", dir.filePath("etc").toUtf8());
  qputenv("XDG_DATA_HOME", dir.filePath("data").toUtf8());
  qputenv("XDG_DATA_DIRS", dir.filePath("share").toUtf8());
  QDir(dir.path()).mkpath("config");
  QDir(dir.path()).mkpath("data/applications");
}

void AssociationsTest::TargetWithQuotesAndSemicolonStaysOneArgument() {
  QTemporaryDir dir;
  UseFolders(dir);
  const QString script = dir.filePath("browser.sh");
  const QString out = dir.filePath("arguments.txt");
  const QString injected = dir.filePath("injected");
  {
    QFile file(script);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QString("#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > '%1.part'\n"
                       "mv '%1.part' '%1'\n")
                   .arg(out)
                   .toUtf8());
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  }
  {
    QFile entry(dir.filePath("data/applications/quillfen-test-browser.desktop"));
    QVERIFY(entry.open(QIODevice::WriteOnly));
    entry.write(QString("[Desktop Entry]\nType=Application\nName=Browser\nExec=\"%1\" --new-window "
                        "%u\n")
                    .arg(script)
                    .toUtf8());
    QFile list(dir.filePath("config/mimeapps.list"));
    QVERIFY(list.open(QIODevice::WriteOnly));
    list.write("[Default Applications]\ntext/html=missing.desktop;quillfen-test-browser.desktop\n");
  }
  const QString target =
      QString("https://www.example.com/a \"b\";touch '%1';$(touch %1)`touch %1`").arg(injected);
  QVERIFY(OpenWithAssociatedProgram(".htm", target));
  QTRY_VERIFY(QFile::exists(out));
  QFile result(out);
  QVERIFY(result.open(QIODevice::ReadOnly));
  QCOMPARE(QString::fromUtf8(result.readAll()), "--new-window\n" + target + "\n");
  QVERIFY(!QFile::exists(injected));
}

void AssociationsTest::NoAssociationOrProgramRunsNothingAndSaysWhich() {
  QTemporaryDir dir;
  UseFolders(dir);
  QString problem;
  QVERIFY(!OpenWithAssociatedProgram(".pdf", "/nowhere/QuillfenManual.pdf", &problem));
  QCOMPARE(problem, QString("No program set up for PDF files"));

  // A desktop entry whose program is not there names that program.
  QFile entry(dir.filePath("data/applications/gone-viewer.desktop"));
  QVERIFY(entry.open(QIODevice::WriteOnly));
  entry.write("[Desktop Entry]\nType=Application\nName=Gone\nExec=/nowhere/gone-viewer %f\n");
  entry.close();
  QFile list(dir.filePath("config/mimeapps.list"));
  QVERIFY(list.open(QIODevice::WriteOnly));
  list.write("[Default Applications]\napplication/pdf=gone-viewer.desktop\n");
  list.close();
  QVERIFY(!OpenWithAssociatedProgram(".pdf", "/nowhere/QuillfenManual.pdf", &problem));
  QCOMPARE(problem, QString("Cannot start gone-viewer"));
}

}  // namespace quillfen

QTEST_GUILESS_MAIN(quillfen::AssociationsTest)
#include "associations_test.moc"
