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

bool DownloadReport(const QString& url, const QString& programDirectory, int timeoutMilliseconds) {
  QUrl address = QUrl::fromUserInput(url);
  if (!address.isValid() || (address.scheme() != "http" && address.scheme() != "https")) {
    return false;
  }
  QSaveFile page(DownloadedPagePath(programDirectory));
  if (!page.open(QIODevice::WriteOnly)) return false;

  QNetworkAccessManager network;
  QNetworkRequest request(address);
  request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                       QNetworkRequest::NoLessSafeRedirectPolicy);
  request.setMaximumRedirectsAllowed(10);
  QNetworkReply* reply = network.get(request);

  bool written = true;
  QEventLoop loop;
  QTimer timeout;
  timeout.setSingleShot(true);
  QObject::connect(&timeout, &QTimer::timeout, reply, &QNetworkReply::abort);
  QObject::connect(reply, &QNetworkReply::readyRead, [&] {
    if (page.write(reply->readAll()) < 0) {
      written = false;
      reply->abort();
    }
  });
  QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
  timeout.start(timeoutMilliseconds);
  if (!reply->isFinished()) loop.exec();

  int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
  bool ok = written && reply->error() == QNetworkReply::NoError && status >= 200 && status < 300;
  if (ok) page.write(reply->readAll());
  reply->deleteLater();
  if (!ok) {
    page.cancelWriting();
    return false;
  }
  return page.commit();
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
