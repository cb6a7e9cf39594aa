#include "platform/qt/print_outlets.h"

#include <cups/cups.h>

#include <cstdint>
#include <span>
#include <string>

#include <QFileInfo>

#include "platform/os/atomic_file.h"

namespace qtbind {
namespace {

QString LastCupsError() {
  const char* text = cupsLastErrorString();
  return text != nullptr && *text != '\0' ? QString::fromUtf8(text)
                                          : QStringLiteral("the print service did not answer");
}

}  // namespace

QString WriteWholeFile(const QString& path, const QByteArray& bytes) {
  // A device or a pipe is never replaced by a file of ours.
  const QFileInfo target(path);
  if (target.exists() && !target.isFile()) return QStringLiteral("it is not a regular file");
  std::string error;
  const std::span<const std::uint8_t> data(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                           static_cast<std::size_t>(bytes.size()));
  if (os::WriteFileAtomically(path.toStdString(), data, &error)) return {};
  return QString::fromStdString(error);
}

QString SpoolToCups(const QString& printer, const QString& title, const QByteArray& pdf) {
  const QByteArray name = printer.toUtf8();
  const QByteArray job_title = title.toUtf8();
  const int job = cupsCreateJob(CUPS_HTTP_DEFAULT, name.constData(), job_title.constData(), 0,
                                nullptr);
  if (job == 0) return LastCupsError();
  QString reason;
  if (cupsStartDocument(CUPS_HTTP_DEFAULT, name.constData(), job, job_title.constData(),
                        CUPS_FORMAT_PDF, 1) != HTTP_STATUS_CONTINUE) {
    reason = LastCupsError();
  } else if (cupsWriteRequestData(CUPS_HTTP_DEFAULT, pdf.constData(),
                                  static_cast<size_t>(pdf.size())) != HTTP_STATUS_CONTINUE) {
    reason = LastCupsError();
    cupsFinishDocument(CUPS_HTTP_DEFAULT, name.constData());
  } else if (cupsFinishDocument(CUPS_HTTP_DEFAULT, name.constData()) != IPP_STATUS_OK) {
    reason = LastCupsError();
  }
  // A job that was created but not completed must not linger in the queue half sent.
  if (!reason.isEmpty()) cupsCancelJob2(CUPS_HTTP_DEFAULT, name.constData(), job, 1);
  return reason;
}

}  // namespace qtbind
