// Where a finished print job goes once it is painted: a PDF file written whole onto the
// disk, or a PDF handed to a CUPS queue. Each answers "" when the job is out (the file fully
// written, the queue has accepted the job), else the reason it is not, so that a job is
// never reported printed when it went nowhere.
#ifndef FRELANE_PLATFORM_QT_PRINT_OUTLETS_H_
#define FRELANE_PLATFORM_QT_PRINT_OUTLETS_H_

#include <functional>

#include <QByteArray>
#include <QString>

namespace qtbind {

// Writes `bytes` as the whole file at `path` (os::WriteFileAtomically): a failed write (a
// full disk) leaves no partial file and keeps a file that was there.
// A path that names something other than a regular file is refused.
QString WriteWholeFile(const QString& path, const QByteArray& bytes);
using FileWriter = std::function<QString(const QString& path, const QByteArray& bytes)>;

// Sends a PDF to the CUPS queue `printer` as one job titled `title`; "" once CUPS accepted it.
QString SpoolToCups(const QString& printer, const QString& title, const QByteArray& pdf);
using Spooler =
    std::function<QString(const QString& printer, const QString& title, const QByteArray& pdf)>;

}  // namespace qtbind

#endif  // FRELANE_PLATFORM_QT_PRINT_OUTLETS_H_
