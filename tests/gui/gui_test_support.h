#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

#include "settings/program_folders.h"

namespace quillfen {

class TMainForm;

namespace testing {

QString Fixture(const QString& name);
QString Example(const QString& name);
QString StatementsFolder();

// A main window over a fresh program directory. Messages the program shows are
// recorded and their dialog closed at once.
class ProgramUnderTest {
 public:
  explicit ProgramUnderTest(const QStringList& arguments = {}, const QString& directory = {});
  // An installed program's window, its files in the folders given.
  ProgramUnderTest(const ProgramFolders& folders, const QStringList& arguments);
  ~ProgramUnderTest();

  TMainForm& Form() { return *form_; }
  // The folder of its settings and recent files.
  QString Directory() const { return directory_; }
  QString FilePath(const QString& name) const;
  QString ReadFile(const QString& name) const;
  void WriteFile(const QString& name, const QByteArray& content) const;
  const QStringList& Messages() const { return messages_; }
  // Shows the window and waits for the first timer tick to finish start-up.
  bool Start();

 private:
  std::unique_ptr<QTemporaryDir> temporary_;
  QString directory_;
  std::unique_ptr<TMainForm> form_;
  QStringList messages_;

  void Create(const ProgramFolders& folders, const QStringList& arguments);
};

}  // namespace testing
}  // namespace quillfen
