#pragma once

#include <QString>
#include <functional>

namespace quillfen {

inline constexpr const char* kWorkingFileName = "Quillfen.tmp";
inline constexpr const char* kDownloadedPageName = "Quillfen$$$.htm";

QString WorkingFilePath(const QString& programDirectory);
QString DownloadedPagePath(const QString& programDirectory);

// A chosen name counts as a URL when it holds "http://" anywhere or begins
// with "www."; both tests are case-sensitive.
bool IsReportUrl(const QString& name);

// Fetches the URL (http or https, redirects followed) into the downloaded page,
// replacing it only when the whole page arrived. Processes events while it
// waits; gives up after the timeout. Shows no message.
bool DownloadReport(const QString& url, const QString& programDirectory,
                    int timeoutMilliseconds = 30000);

// The start-up check that the program may create and delete files in its
// directory; each failure is told through the callback. True when all passed.
bool CheckProgramDirectory(const QString& programDirectory,
                           const std::function<void(const QString&)>& showMessage);

// Removes both temporary files at exit, ignoring failures.
void DeleteTemporaryFiles(const QString& programDirectory);

}  // namespace quillfen
