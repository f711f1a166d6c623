#pragma once

#include <QString>
#include <QtGlobal>
#include <functional>

#include "settings/program_folders.h"

namespace quillfen {

inline constexpr const char* kWorkingFileName = "Quillfen.tmp";
inline constexpr const char* kDownloadedPageName = "Quillfen$$$.htm";

QString WorkingFilePath(const QString& temporaryFolder);
QString DownloadedPagePath(const QString& temporaryFolder);

// A chosen name counts as a URL when it holds "http://" anywhere or begins
// with "www."; both tests are case-sensitive.
bool IsReportUrl(const QString& name);

// No MetaTrader report needs more than a few hundred megabytes: a body beyond
// this is one that never ends, and it must not fill the disk.
inline constexpr qint64 kDownloadLimitBytes = 512LL * 1024 * 1024;
inline constexpr int kDownloadTimeoutMilliseconds = 30000;

enum class DownloadOutcome { downloaded, failed, tooLarge };

// How a download ended and, when it failed, why, in words for the user.
struct DownloadResult {
  DownloadOutcome outcome;
  QString reason;
};

// Fetches the URL (http or https, redirects followed) into the downloaded page,
// writing the body to disk as it arrives and replacing the page only when the
// whole page arrived. Stops when the body passes the limit. Processes events
// while it waits; gives up after the timeout. Shows no message.
DownloadResult DownloadReport(const QString& url, const QString& temporaryFolder,
                              qint64 limitBytes = kDownloadLimitBytes,
                              int timeoutMilliseconds = kDownloadTimeoutMilliseconds);

// What the user is told when a download did not bring a page.
QString DownloadFailureMessage(const QString& url, const DownloadResult& result, qint64 limitBytes);

// The start-up check that the program may create and delete files in the
// folders it uses, which an installed program makes first; each failure is
// told through the callback. True when all passed.
bool CheckProgramFolders(const ProgramFolders& folders,
                         const std::function<void(const QString&)>& showMessage);

// Removes both temporary files at exit, and an installed program's private
// folder with them, ignoring failures.
void DeleteTemporaryFiles(const ProgramFolders& folders);

}  // namespace quillfen
