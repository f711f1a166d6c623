#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>
#include <memory>

namespace quillfen {

// One running program per user and folder of files (settings and recent files
// are written there). A later start hands its first argument to the running
// one and exits.
class SingleInstance : public QObject {
  Q_OBJECT
 public:
  explicit SingleInstance(const QString& filesFolder);
  ~SingleInstance() override;

  // first: no other instance answers and this one holds the start lock until
  // Listen. handedOver: the argument (empty for none) went to the running one.
  // blocked: the lock could not be taken and nobody answered; this start must end.
  enum class StartRole { first, handedOver, blocked };

  // Called before the application object exists.
  StartRole HandOverToRunning(const QString& argument);
  // Why a blocked start ends, for its error output.
  QString BlockedMessage() const;

  // Called once the application exists, in the first instance: listens for
  // later starts and emits Received for each path they hand over.
  bool Listen();

  static QString ServerName(const QString& filesFolder);
  static QString LockFilePath(const QString& filesFolder);

 signals:
  void Received(const QString& path);

 private:
  bool TakeLock();
  void ReadHandOver(class QLocalSocket* socket);

  QString name_;
  QLockFile lock_;
  std::unique_ptr<QLocalServer> server_;
};

// The argument as the second start sends it: a local path made absolute, a
// URL (as the opening road recognises one) unchanged.
QString HandOverArgument(const QString& argument);

}  // namespace quillfen
