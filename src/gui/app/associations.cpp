#include "gui/app/associations.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTextStream>

namespace quillfen {

QStringList SplitExecLine(const QString& exec) {
  QStringList words;
  QString word;
  bool inWord = false;
  bool quoted = false;
  for (qsizetype i = 0; i < exec.size(); ++i) {
    QChar c = exec[i];
    if (quoted) {
      if (c == '\\' && i + 1 < exec.size() && QString("\"`$\\").contains(exec[i + 1])) {
        word += exec[++i];
      } else if (c == '"') {
        quoted = false;
      } else {
        word += c;
      }
    } else if (c == '"') {
      quoted = inWord = true;
    } else if (c == ' ' || c == '\t') {
      if (inWord) words << word;
      word.clear();
      inWord = false;
    } else {
      word += c;
      inWord = true;
    }
  }
  if (inWord) words << word;
  return words;
}

namespace {

bool IsTargetCode(QChar code) {
  return QString("fFuU").contains(code);
}

// Replaces the field codes of one word; the first target code takes the target.
QString ExpandWord(const QString& word, const QString& target, bool& placed) {
  QString out;
  for (qsizetype i = 0; i < word.size(); ++i) {
    if (word[i] != '%' || i + 1 == word.size()) {
      out += word[i];
      continue;
    }
    QChar code = word[++i];
    if (code == '%') {
      out += '%';
    } else if (IsTargetCode(code) && !placed) {
      out += target;
      placed = true;
    }
  }
  return out;
}

QString DesktopValue(const QString& value) {
  QString out;
  for (qsizetype i = 0; i < value.size(); ++i) {
    if (value[i] != '\\' || i + 1 == value.size()) {
      out += value[i];
      continue;
    }
    QChar c = value[++i];
    out += c == 's' ? QChar(' ') : c == 'n' ? QChar('\n') : c == 't' ? QChar('\t') : c;
  }
  return out;
}

// The value of key in [section] of an ini-style file; empty when absent.
QString IniValue(const QString& path, const QString& section, const QString& key) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return {};
  QTextStream in(&file);
  bool inSection = false;
  while (!in.atEnd()) {
    QString line = in.readLine().trimmed();
    if (line.startsWith('[')) {
      inSection = line == "[" + section + "]";
    } else if (inSection && line.section('=', 0, 0).trimmed() == key) {
      return line.section('=', 1).trimmed();
    }
  }
  return {};
}

QStringList ApplicationDirectories() {
  return QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation);
}

QStringList MimeAppsLists() {
  QStringList lists;
  for (const QString& dir : QStandardPaths::standardLocations(QStandardPaths::ConfigLocation)) {
    lists << QDir(dir).filePath("mimeapps.list");
  }
  for (const QString& dir : ApplicationDirectories()) {
    lists << QDir(dir).filePath("mimeapps.list");
  }
  return lists;
}

QString DesktopEntryPath(const QString& id) {
  for (const QString& dir : ApplicationDirectories()) {
    QString path = QDir(dir).filePath(id);
    if (QFile::exists(path)) return path;
  }
  return {};
}

QString InstalledEntry(const QString& ids) {
  for (const QString& id : ids.split(';', Qt::SkipEmptyParts)) {
    QString path = DesktopEntryPath(id.trimmed());
    if (!path.isEmpty()) return path;
  }
  return {};
}

QString DefaultDesktopEntry(const QString& mimeType) {
  for (const QString& list : MimeAppsLists()) {
    QString path = InstalledEntry(IniValue(list, "Default Applications", mimeType));
    if (!path.isEmpty()) return path;
  }
  for (const QString& dir : ApplicationDirectories()) {
    QString cache = QDir(dir).filePath("mimeinfo.cache");
    QString path = InstalledEntry(IniValue(cache, "MIME Cache", mimeType));
    if (!path.isEmpty()) return path;
  }
  return {};
}

}  // namespace

AssociatedCommand CommandForTarget(const QStringList& execWords, const QString& target) {
  AssociatedCommand command;
  bool placed = false;
  for (const QString& word : execWords) {
    QString expanded = ExpandWord(word, target, placed);
    // A word that was a field code alone and expanded to nothing is dropped.
    if (expanded.isEmpty() && word.startsWith('%')) continue;
    if (command.program.isEmpty()) {
      command.program = expanded;
    } else {
      command.arguments << expanded;
    }
  }
  if (!placed) command.arguments << target;
  return command;
}

QStringList AssociatedExecWords(const QString& mimeType) {
  QString entry = DefaultDesktopEntry(mimeType);
  if (entry.isEmpty()) return {};
  return SplitExecLine(DesktopValue(IniValue(entry, "Desktop Entry", "Exec")));
}

bool OpenWithAssociatedProgram(const QString& fileType, const QString& target, QString* problem) {
  const bool pdf = fileType == ".pdf";
  QStringList words = AssociatedExecWords(pdf ? "application/pdf" : "text/html");
  AssociatedCommand command = CommandForTarget(words, target);
  // The message dialog shows one short line: name the kind or the program.
  if (words.isEmpty() || command.program.isEmpty()) {
    if (problem) *problem = QString("No program set up for ") + (pdf ? "PDF files" : "web pages");
    return false;
  }
  if (QProcess::startDetached(command.program, command.arguments)) return true;
  if (problem) *problem = "Cannot start " + QFileInfo(command.program).fileName();
  return false;
}

}  // namespace quillfen
