#include "platform/qt/open_with_portal.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDBusMessage>
#include <QFile>
#include <QDBusUnixFileDescriptor>
#include <QUrl>
#include <QVariantMap>

namespace qtbind {
namespace {

QDBusMessage PortalCall(const QString& method) {
  return QDBusMessage::createMethodCall(QLatin1String(kPortalService), QLatin1String(kPortalPath),
                                        QLatin1String(kOpenUriInterface), method);
}

}  // namespace

bool AskPortalToOpenWith(const QDBusConnection& bus, const QString& path, int timeout_ms) {
  if (!bus.isConnected()) return false;
  const QVariantMap options = {{QStringLiteral("ask"), true}};
  QDBusMessage call;
  if (bus.connectionCapabilities() & QDBusConnection::UnixFileDescriptorPassing) {
    // The portal is handed the open file, so that it needs no access to our folders.
    // Opened without waiting, so that a pipe in the file's place cannot hang the program.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat status {};
    const bool regular = ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode);
    const QDBusUnixFileDescriptor file(regular ? fd : -1);  // keeps its own duplicate
    ::close(fd);
    if (!regular) return false;
    call = PortalCall(QStringLiteral("OpenFile"));
    call << QString() << QVariant::fromValue(file) << options;
  } else {
    call = PortalCall(QStringLiteral("OpenURI"));
    call << QString() << QUrl::fromLocalFile(path).toString() << options;
  }
  const QDBusMessage reply = bus.call(call, QDBus::Block, timeout_ms);
  return reply.type() == QDBusMessage::ReplyMessage;
}

}  // namespace qtbind
