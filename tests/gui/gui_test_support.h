#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

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
  ~ProgramUnderTest();

  TMainForm& Form() { return *form_; }
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
};

}  // namespace testing
}  // namespace quillfen
