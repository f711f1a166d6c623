#include "gui/app/report_page.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSaveFile>
#include <QTimer>
#include <QUrl>

namespace quillfen {

QString WorkingFilePath(const QString& programDirectory) {
  return QDir(programDirectory).filePath(kWorkingFileName);
}

QString DownloadedPagePath(const QString& programDirectory) {
  return QDir(programDirectory).filePath(kDownloadedPageName);
}

bool IsReportUrl(const QString& name) {
  return name.contains("http://", Qt::CaseSensitive) || name.startsWith("www.", Qt::CaseSensitive);
}

namespace {

// How far the network thread may read ahead of the disk: a body that arrives
// faster than it is written waits in the socket, not in memory.
constexpr qint64 kReadAheadBytes = 1024 * 1024;

}  // namespace

DownloadOutcome DownloadReport(const QString& url, const QString& programDirectory,
                               qint64 limitBytes, int timeoutMilliseconds) {
  QUrl address = QUrl::fromUserInput(url);
  if (!address.isValid() || (address.scheme() != "http" && address.scheme() != "https")) {
    return DownloadOutcome::failed;
  }
  // Written beside the page and put in its place only on success, so a
  // download that fails leaves an earlier page as it was and no part behind.
  QSaveFile page(DownloadedPagePath(programDirectory));
  if (!page.open(QIODevice::WriteOnly)) return DownloadOutcome::failed;

  QNetworkAccessManager network;
  QNetworkRequest request(address);
  request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                       QNetworkRequest::NoLessSafeRedirectPolicy);
  request.setMaximumRedirectsAllowed(10);
  QNetworkReply* reply = network.get(request);
  reply->setReadBufferSize(kReadAheadBytes);

  bool written = true;
  bool tooLarge = false;
  qint64 received = 0;
  auto writeArrived = [&] {
    const QByteArray data = reply->readAll();
    received += data.size();
    if (received > limitBytes) {
      tooLarge = true;
      reply->abort();
    } else if (page.write(data) != data.size()) {
      written = false;
      reply->abort();
    }
  };
  QEventLoop loop;
  QTimer timeout;
  timeout.setSingleShot(true);
  QObject::connect(&timeout, &QTimer::timeout, reply, &QNetworkReply::abort);
  QObject::connect(reply, &QNetworkReply::readyRead, writeArrived);
  QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
  timeout.start(timeoutMilliseconds);
  if (!reply->isFinished()) loop.exec();

  const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
  const bool answered = reply->error() == QNetworkReply::NoError && status >= 200 && status < 300;
  if (answered) writeArrived();
  reply->deleteLater();
  // Without a commit the save file discards what was written.
  if (tooLarge) return DownloadOutcome::tooLarge;
  if (!answered || !written) return DownloadOutcome::failed;
  return page.commit() ? DownloadOutcome::downloaded : DownloadOutcome::failed;
}

QString DownloadTooLargeMessage(const QString& url, qint64 limitBytes) {
  return QString("The download was stopped at %1 MB: %2 is too large for a report")
      .arg(limitBytes / (1024 * 1024))
      .arg(url);
}

namespace {

bool Exists(const QString& path) {
  return QFile::exists(path);
}

}  // namespace

bool CheckProgramDirectory(const QString& programDirectory,
                           const std::function<void(const QString&)>& showMessage) {
  const QString probe = WorkingFilePath(programDirectory);
  bool passed = true;
  auto fail = [&](const char* text) {
    passed = false;
    showMessage(text);
  };
  QFile::remove(probe);
  if (Exists(probe)) fail("Not enough rights to delete file");
  {
    QFile file(probe);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) file.write("Quillfen");
  }
  if (!Exists(probe)) fail("Not enough rights to create file");
  QFile::remove(probe);
  if (Exists(probe)) fail("Not enough rights to delete file");
  return passed;
}

void DeleteTemporaryFiles(const QString& programDirectory) {
  QFile::remove(DownloadedPagePath(programDirectory));
  QFile::remove(WorkingFilePath(programDirectory));
}

}  // namespace quillfen
