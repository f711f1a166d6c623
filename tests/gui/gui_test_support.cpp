#include "gui_test_support.h"

#include <QDir>
#include <QFile>
#include <QTimer>
#include <QtTest>

#include "gui/app/main_form.h"
#include "gui/app/message_form.h"

namespace quillfen::testing {

QString Fixture(const QString& name) {
  return QDir(QUILLFEN_FIXTURES).filePath(name);
}
QString Example(const QString& name) {
  return QDir(QUILLFEN_EXAMPLES).filePath(name);
}
QString StatementsFolder() {
  return QUILLFEN_STATEMENTS;
}

ProgramUnderTest::ProgramUnderTest(const QStringList& arguments, const QString& directory) {
  if (directory.isEmpty()) {
    temporary_ = std::make_unique<QTemporaryDir>();
    directory_ = temporary_->path();
  } else {
    directory_ = directory;
  }
  Create(FoldersBesideProgram(directory_.toStdString()), arguments);
}

ProgramUnderTest::ProgramUnderTest(const ProgramFolders& folders, const QStringList& arguments)
    : directory_(QString::fromStdString(folders.files)) {
  Create(folders, arguments);
}

void ProgramUnderTest::Create(const ProgramFolders& folders, const QStringList& arguments) {
  form_ = std::make_unique<TMainForm>(folders, arguments);
  QObject::connect(form_->MessageForm, &TMessageForm::Shown, form_.get(),
                   [this](const QString& text) {
                     messages_ << text;
                     QTimer::singleShot(0, form_->MessageForm, &QDialog::accept);
                   });
}

ProgramUnderTest::~ProgramUnderTest() {
  form_->close();
  form_.reset();
}

QString ProgramUnderTest::FilePath(const QString& name) const {
  return QDir(directory_).filePath(name);
}

QString ProgramUnderTest::ReadFile(const QString& name) const {
  QFile file(FilePath(name));
  if (!file.open(QIODevice::ReadOnly)) return {};
  return QString::fromUtf8(file.readAll());
}

void ProgramUnderTest::WriteFile(const QString& name, const QByteArray& content) const {
  QFile file(FilePath(name));
  if (file.open(QIODevice::WriteOnly)) file.write(content);
}

bool ProgramUnderTest::Start() {
  form_->show();
  return QTest::qWaitFor([this] { return form_->StartUpFinished(); }, 10000);
}

}  // namespace quillfen::testing
