#include "gui/app/single_instance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QtEndian>

namespace quillfen {

namespace {

constexpr int kWaitMilliseconds = 5000;

// A hand-over is the argument's length in four bytes, then its bytes: a path may
// hold any character, line ends included.
constexpr qint64 kLengthBytes = 4;
// A path is at most 4 KiB; no report's address comes near this.
constexpr quint32 kMaxArgumentBytes = 64 * 1024;

// A lock file that names no owner was left by a crash or written by something
// else; left alone, it would hold up every start until it turned stale. It goes
// only while nobody holds it (a lock's owner keeps an flock on it) and while it
// still is the file at the path. An empty one may be a lock being made now.
bool RemoveOwnerlessLockFile(const QLockFile& lock) {
  const QByteArray native = QFile::encodeName(lock.fileName());
  const int fd = ::open(native.constData(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat opened {};
  struct stat named {};
  qint64 pid = 0;
  QString host;
  QString application;
  const bool removed = ::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &opened) == 0 &&
                       opened.st_size > 0 && ::stat(native.constData(), &named) == 0 &&
                       opened.st_dev == named.st_dev && opened.st_ino == named.st_ino &&
                       !lock.getLockInfo(&pid, &host, &application) &&
                       ::unlink(native.constData()) == 0;
  ::close(fd);
  return removed;
}

}  // namespace

SingleInstance::SingleInstance(const QString& filesFolder)
    : name_(ServerName(filesFolder)), lock_(LockFilePath(filesFolder)) {
  lock_.setStaleLockTime(30000);
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::ServerName(const QString& filesFolder) {
  QByteArray hash =
      QCryptographicHash::hash(QDir(filesFolder).absolutePath().toUtf8(), QCryptographicHash::Sha1);
  return QString("quillfen-%1-%2").arg(getuid()).arg(QString::fromLatin1(hash.toHex().left(12)));
}

QString SingleInstance::LockFilePath(const QString& filesFolder) {
  return QDir::temp().filePath(ServerName(filesFolder) + ".lock");
}

bool SingleInstance::TakeLock() {
  if (lock_.tryLock(0)) return true;
  RemoveOwnerlessLockFile(lock_);
  return lock_.tryLock(kWaitMilliseconds);
}

SingleInstance::StartRole SingleInstance::HandOverToRunning(const QString& argument) {
  // Held until Listen, so two simultaneous starts cannot both become the first.
  const bool locked = TakeLock();
  QLocalSocket socket;
  socket.connectToServer(name_);
  if (!socket.waitForConnected(kWaitMilliseconds)) {
    return locked ? StartRole::first : StartRole::blocked;
  }
  const QByteArray bytes = argument.toUtf8();
  QByteArray message(kLengthBytes, '\0');
  qToBigEndian(static_cast<quint32>(bytes.size()), message.data());
  socket.write(message + bytes);
  socket.waitForBytesWritten(kWaitMilliseconds);
  socket.waitForReadyRead(kWaitMilliseconds);
  socket.disconnectFromServer();
  lock_.unlock();
  return StartRole::handedOver;
}

QString SingleInstance::BlockedMessage() const {
  const QString path = lock_.fileName();
  if (lock_.error() == QLockFile::LockFailedError) {
    return QString(
               "Quillfen: another start holds %1 and no running Quillfen answers; this one "
               "ends. Start again, or remove that file if no Quillfen runs.")
        .arg(path);
  }
  return QString("Quillfen: the start lock %1 cannot be created; this start ends.").arg(path);
}

bool SingleInstance::Listen() {
  server_ = std::make_unique<QLocalServer>();
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  // Only reached after a connect failed: a socket file left is a killed instance's.
  QLocalServer::removeServer(name_);
  bool listening = server_->listen(name_);
  connect(server_.get(), &QLocalServer::newConnection, this, [this] {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
      connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
      connect(socket, &QLocalSocket::readyRead, this, [this, socket] { ReadHandOver(socket); });
      ReadHandOver(socket);
    }
  });
  if (lock_.isLocked()) lock_.unlock();
  return listening;
}

void SingleInstance::ReadHandOver(QLocalSocket* socket) {
  if (socket->bytesAvailable() < kLengthBytes) return;
  const quint32 length = qFromBigEndian<quint32>(socket->peek(kLengthBytes).constData());
  if (length > kMaxArgumentBytes) {
    socket->abort();
    return;
  }
  if (socket->bytesAvailable() < kLengthBytes + length) return;
  socket->skip(kLengthBytes);
  const QString path = QString::fromUtf8(socket->read(length));
  socket->write("ok\n");
  socket->flush();
  // Opening processes events, which may delete this socket: open from the loop.
  if (!path.isEmpty()) {
    QMetaObject::invokeMethod(
        this, [this, path] { emit Received(path); }, Qt::QueuedConnection);
  }
}

QString HandOverArgument(const QString& argument) {
  if (argument.isEmpty() || argument.contains("http://") || argument.startsWith("www.") ||
      argument.contains("://")) {
    return argument;
  }
  return QFileInfo(argument).absoluteFilePath();
}

}  // namespace quillfen
