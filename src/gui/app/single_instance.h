#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>
#include <memory>

namespace quillfen {

// One running program per user and program directory (the temporary files live
// there). A later start hands its first argument to the running one and exits.
class SingleInstance : public QObject {
  Q_OBJECT
 public:
  explicit SingleInstance(const QString& programDirectory);
  ~SingleInstance() override;

  // Called before the application object exists. True when another instance
  // runs; the argument (empty for none) has then been handed over to it.
  bool HandOverToRunning(const QString& argument);

  // Called once the application exists, in the first instance: listens for
  // later starts and emits Received for each path they hand over.
  bool Listen();

  static QString ServerName(const QString& programDirectory);

 signals:
  void Received(const QString& path);

 private:
  void ReadHandOver(class QLocalSocket* socket);

  QString name_;
  QLockFile lock_;
  std::unique_ptr<QLocalServer> server_;
};

// The argument as the second start sends it: a local path made absolute, a
// URL (as the opening road recognises one) unchanged.
QString HandOverArgument(const QString& argument);

}  // namespace quillfen
