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

QString WorkingFilePath(const QString& temporaryFolder) {
  return QDir(temporaryFolder).filePath(kWorkingFileName);
}

QString DownloadedPagePath(const QString& temporaryFolder) {
  return QDir(temporaryFolder).filePath(kDownloadedPageName);
}

bool IsReportUrl(const QString& name) {
  return name.contains("http://", Qt::CaseSensitive) || name.startsWith("www.", Qt::CaseSensitive);
}

namespace {

// How far the network thread may read ahead of the disk: a body that arrives
// faster than it is written waits in the socket, not in memory.
constexpr qint64 kReadAheadBytes = 1024 * 1024;

}  // namespace

namespace {

// Why a reply brought no page, as the user can act on it.
QString FailureReason(const QNetworkReply& reply, bool timedOut, int timeoutMilliseconds) {
  if (timedOut)
    return QString("the server did not send the whole page within %1 s")
        .arg(timeoutMilliseconds / 1000);
  switch (reply.error()) {
    case QNetworkReply::ConnectionRefusedError:
      return "the server refused the connection";
    case QNetworkReply::HostNotFoundError:
      return "the server was not found";
    case QNetworkReply::TooManyRedirectsError:
      return "the address redirects too many times";
    case QNetworkReply::InsecureRedirectError:
      return "the address redirects from https to http";
    default:
      break;
  }
  // An answer other than a page: its status says more than the error's words.
  const int status = reply.attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
  if (status != 0 && (status < 200 || status >= 300)) {
    const QString phrase =
        reply.attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString().trimmed();
    return QString("the server answered %1 %2").arg(status).arg(phrase).trimmed();
  }
  return reply.error() == QNetworkReply::NoError ? "the server sent no page" : reply.errorString();
}

// A very long address is shortened in its middle, so the message stays readable.
QString ShownUrl(const QString& url) {
  constexpr int kEnds = 30;
  if (url.size() <= 2 * kEnds + 1) return url;
  return url.left(kEnds) + QChar(0x2026) + url.right(kEnds);
}

}  // namespace

DownloadResult DownloadReport(const QString& url, const QString& temporaryFolder, qint64 limitBytes,
                              int timeoutMilliseconds) {
  QUrl address = QUrl::fromUserInput(url);
  if (!address.isValid() || (address.scheme() != "http" && address.scheme() != "https")) {
    return {DownloadOutcome::failed, "it is not an http or https address"};
  }
  // Written beside the page and put in its place only on success, so a
  // download that fails leaves an earlier page as it was and no part behind.
  QSaveFile page(DownloadedPagePath(temporaryFolder));
  if (!page.open(QIODevice::WriteOnly))
    return {DownloadOutcome::failed, "the page cannot be written: " + page.errorString()};

  QNetworkAccessManager network;
  QNetworkRequest request(address);
  request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                       QNetworkRequest::NoLessSafeRedirectPolicy);
  request.setMaximumRedirectsAllowed(10);
  QNetworkReply* reply = network.get(request);
  reply->setReadBufferSize(kReadAheadBytes);

  bool written = true;
  bool tooLarge = false;
  bool timedOut = false;
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
  QObject::connect(&timeout, &QTimer::timeout, reply, [&] {
    timedOut = true;
    reply->abort();
  });
  QObject::connect(reply, &QNetworkReply::readyRead, writeArrived);
  QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
  timeout.start(timeoutMilliseconds);
  if (!reply->isFinished()) loop.exec();

  const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
  const bool answered = reply->error() == QNetworkReply::NoError && status >= 200 && status < 300;
  if (answered) writeArrived();
  const QString reason = FailureReason(*reply, timedOut, timeoutMilliseconds);
  reply->deleteLater();
  // Without a commit the save file discards what was written.
  if (tooLarge) return {DownloadOutcome::tooLarge, {}};
  if (!written)
    return {DownloadOutcome::failed, "the page could not be written: " + page.errorString()};
  if (!answered) return {DownloadOutcome::failed, reason};
  if (!page.commit())
    return {DownloadOutcome::failed, "the page could not be written: " + page.errorString()};
  return {DownloadOutcome::downloaded, {}};
}

QString DownloadFailureMessage(const QString& url, const DownloadResult& result,
                               qint64 limitBytes) {
  if (result.outcome == DownloadOutcome::tooLarge)
    return QString("The download was stopped at %1 MB: %2 is too large for a report")
        .arg(limitBytes / (1024 * 1024))
        .arg(ShownUrl(url));
  return QString("%1 could not be downloaded: %2").arg(ShownUrl(url), result.reason);
}

namespace {

bool Exists(const QString& path) {
  return QFile::exists(path);
}

// Tries to create and delete the working file in the folder; an installed
// program's messages name the folder, which its user did not choose.
bool CheckFolder(const QString& folder, bool named,
                 const std::function<void(const QString&)>& showMessage) {
  const QString probe = WorkingFilePath(folder);
  bool passed = true;
  auto fail = [&](const char* text) {
    passed = false;
    showMessage(named ? QString("%1 in %2").arg(text, folder) : QString(text));
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

}  // namespace

bool CheckProgramFolders(const ProgramFolders& folders,
                         const std::function<void(const QString&)>& showMessage) {
  const std::string problem = PrepareProgramFolders(folders);
  if (!problem.empty()) {
    showMessage(QString::fromStdString(problem));
    return false;
  }
  const QString temporary = QString::fromStdString(folders.temporary);
  if (!CheckFolder(temporary, folders.perUser, showMessage)) return false;
  return folders.files == folders.temporary ||
         CheckFolder(QString::fromStdString(folders.files), folders.perUser, showMessage);
}

void DeleteTemporaryFiles(const ProgramFolders& folders) {
  const QString temporary = QString::fromStdString(folders.temporary);
  QFile::remove(DownloadedPagePath(temporary));
  QFile::remove(WorkingFilePath(temporary));
  if (folders.perUser) QDir().rmdir(temporary);
}

}  // namespace quillfen
