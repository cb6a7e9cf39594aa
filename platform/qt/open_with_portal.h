// The desktop's own "open with" chooser on Linux: the freedesktop OpenURI portal, asked over
// D-Bus to let the user choose the program for a file.
#ifndef FRELANE_PLATFORM_QT_OPEN_WITH_PORTAL_H_
#define FRELANE_PLATFORM_QT_OPEN_WITH_PORTAL_H_

#include <QDBusConnection>
#include <QString>

namespace qtbind {

inline constexpr char kPortalService[] = "org.freedesktop.portal.Desktop";
inline constexpr char kPortalPath[] = "/org/freedesktop/portal/desktop";
inline constexpr char kOpenUriInterface[] = "org.freedesktop.portal.OpenURI";

// Asks the portal on `bus` to offer the programs for the file at `path` ("ask": the user
// chooses even when a default exists). True when the portal took the request; false when
// the bus is not there, no portal answers within `timeout_ms`, or `path` is no regular file
// that can be opened.
bool AskPortalToOpenWith(const QDBusConnection& bus, const QString& path,
                         int timeout_ms = 10000);

}  // namespace qtbind

#endif  // FRELANE_PLATFORM_QT_OPEN_WITH_PORTAL_H_
