#pragma once

#include <QString>
#include <QStringList>

namespace quillfen {

// A program and its arguments, started without a shell.
struct AssociatedCommand {
  QString program;
  QStringList arguments;
};

// The words of a desktop entry's Exec value, with its quoting and escapes undone.
QStringList SplitExecLine(const QString& exec);

// Puts the target in place of the first %f, %F, %u or %U (or appends it when
// there is none) and drops the other field codes. The target stays one argument.
AssociatedCommand CommandForTarget(const QStringList& execWords, const QString& target);

// The default application's Exec words for a MIME type, from the user's and the
// system's mimeapps.list (then the mimeinfo.cache) and the desktop entry.
QStringList AssociatedExecWords(const QString& mimeType);

// Starts the program associated with ".htm" or ".pdf" on the target, detached.
// False when there is no association or the start failed; then *problem, when
// given, names what is missing, for the user.
bool OpenWithAssociatedProgram(const QString& fileType, const QString& target,
                               QString* problem = nullptr);

}  // namespace quillfen
