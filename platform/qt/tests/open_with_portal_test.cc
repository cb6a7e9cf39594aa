#include "platform/qt/open_with_portal.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <mutex>

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusUnixFileDescriptor>
#include <QDBusVirtualObject>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

namespace qtbind {
namespace {

// A bus of our own: a dbus-daemon started for the test, so that nothing of the machine's
// session (or its real portal) takes part.
class PrivateBus {
 public:
  explicit PrivateBus(const QString& folder) {
    const QString config = folder + QStringLiteral("/bus.conf");
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly)) return;
    file.write(QStringLiteral(
                   "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration "
                   "1.0//EN\" \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">"
                   "<busconfig><type>session</type><listen>unix:dir=%1</listen>"
                   "<auth>EXTERNAL</auth><policy context=\"default\"><allow send_destination=\"*\"/>"
                   "<allow receive_sender=\"*\"/><allow own=\"*\"/></policy></busconfig>")
                   .arg(folder)
                   .toUtf8());
    file.close();
    daemon_.start(QStringLiteral("dbus-daemon"),
                  {QStringLiteral("--config-file=") + config, QStringLiteral("--nofork"),
                   QStringLiteral("--print-address=1")});
    if (!daemon_.waitForStarted(5000) || !daemon_.waitForReadyRead(5000)) return;
    address_ = QString::fromUtf8(daemon_.readLine()).trimmed();
  }
  ~PrivateBus() {
    for (const QString& name : names_) QDBusConnection::disconnectFromBus(name);
    daemon_.kill();
    daemon_.waitForFinished(5000);
  }

  bool IsUp() const { return !address_.isEmpty(); }
  QDBusConnection Connect(const QString& name) {
    names_.push_back(name);
    return QDBusConnection::connectToBus(address_, name);
  }

 private:
  QProcess daemon_;
  QString address_;
  QStringList names_;
};

// The portal's OpenURI interface as a test double: answers every call with a request handle
// and keeps what it was asked.
class FakePortal : public QDBusVirtualObject {
 public:
  QString introspect(const QString&) const override { return {}; }
  bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      calls_.push_back(message);
    }
    connection.send(message.createReply(QVariant::fromValue(
        QDBusObjectPath(QStringLiteral("/org/freedesktop/portal/desktop/request/1/t")))));
    return true;
  }
  std::vector<QDBusMessage> Calls() {
    std::lock_guard<std::mutex> lock(mutex_);
    return calls_;
  }

 private:
  std::mutex mutex_;
  std::vector<QDBusMessage> calls_;
};

class OpenWithPortalTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (QStandardPaths::findExecutable(QStringLiteral("dbus-daemon")).isEmpty()) {
      GTEST_SKIP() << "dbus-daemon is not installed";
    }
    ASSERT_TRUE(dir_.isValid());
    bus_ = std::make_unique<PrivateBus>(dir_.path());
    ASSERT_TRUE(bus_->IsUp());
    document_ = dir_.filePath(QStringLiteral("rules.zz"));
    QFile file(document_);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  }

  QTemporaryDir dir_;
  std::unique_ptr<PrivateBus> bus_;
  QString document_;
};

TEST_F(OpenWithPortalTest, ThePortalIsAskedToLetTheUserChooseForTheOpenFile) {
  QDBusConnection portal_side = bus_->Connect(QStringLiteral("portal"));
  ASSERT_TRUE(portal_side.registerService(QLatin1String(kPortalService)));
  // The portal answers from a thread of its own while the program waits for it.
  QThread portal_thread;
  FakePortal portal;
  ASSERT_TRUE(portal_side.registerVirtualObject(QLatin1String(kPortalPath), &portal));
  portal.moveToThread(&portal_thread);
  portal_thread.start();

  const bool offered = AskPortalToOpenWith(bus_->Connect(QStringLiteral("program")), document_);
  portal_thread.quit();
  portal_thread.wait();
  portal_side.unregisterObject(QLatin1String(kPortalPath));
  portal.moveToThread(QThread::currentThread());

  EXPECT_TRUE(offered);
  const std::vector<QDBusMessage> calls = portal.Calls();
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].interface(), QLatin1String(kOpenUriInterface));
  EXPECT_EQ(calls[0].member(), QStringLiteral("OpenFile"));
  const QList<QVariant> args = calls[0].arguments();
  ASSERT_EQ(args.size(), 3);
  const QDBusUnixFileDescriptor fd = args[1].value<QDBusUnixFileDescriptor>();
  ASSERT_TRUE(fd.isValid());
  struct stat handed {}, file {};
  ASSERT_EQ(::fstat(fd.fileDescriptor(), &handed), 0);
  ASSERT_EQ(::stat(QFile::encodeName(document_).constData(), &file), 0);
  EXPECT_EQ(handed.st_ino, file.st_ino) << "the portal is handed the document itself";
  const QVariantMap options = qdbus_cast<QVariantMap>(args[2]);
  EXPECT_EQ(options.value(QStringLiteral("ask")), QVariant(true));
}

TEST_F(OpenWithPortalTest, NoPortalOrNoBusOrNoFileIsNoChooser) {
  EXPECT_FALSE(AskPortalToOpenWith(bus_->Connect(QStringLiteral("program")), document_));
  EXPECT_FALSE(AskPortalToOpenWith(QDBusConnection(QStringLiteral("never connected")),
                                   document_));
  EXPECT_FALSE(AskPortalToOpenWith(bus_->Connect(QStringLiteral("program2")),
                                   dir_.filePath(QStringLiteral("gone.zz"))));
  // A pipe in the file's place neither hangs the call nor goes to the portal.
  const QString pipe = dir_.filePath(QStringLiteral("pipe.zz"));
  ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
  EXPECT_FALSE(AskPortalToOpenWith(bus_->Connect(QStringLiteral("program3")), pipe));
}

}  // namespace
}  // namespace qtbind
