// The MPRIS service on a private session bus this test starts, driven by a client on its own
// connection, as playerctl or a desktop panel would.
#include "ui/mpris_service.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QElapsedTimer>
#include <QObject>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

#include "tests/shell/shell_fixture.h"
#include "tests/ui/test_app.h"

namespace varlo {
namespace {

// Collects the PropertiesChanged and Seeked signals the client hears.
class SignalLog : public QObject {
  Q_OBJECT
 public:
  QList<QVariantMap> changes;
  QList<qlonglong> seeks;
 public slots:
  void Changed(const QString&, const QVariantMap& values, const QStringList&) {
    changes.append(values);
  }
  void Seeked(qlonglong position) { seeks.append(position); }
};

class MprisServiceTest : public ShellTest {
 protected:
  void SetUp() override {
    testing::TestApp();
    ShellTest::SetUp();
    if (QStandardPaths::findExecutable(QStringLiteral("dbus-daemon")).isEmpty()) {
      GTEST_SKIP() << "no dbus-daemon";
    }
    bus_.start(QStringLiteral("dbus-daemon"),
               {QStringLiteral("--session"), QStringLiteral("--nofork"),
                QStringLiteral("--print-address=1")});
    ASSERT_TRUE(bus_.waitForStarted(5000));
    QElapsedTimer waited;
    waited.start();
    while (!bus_.canReadLine() && waited.elapsed() < 5000) bus_.waitForReadyRead(100);
    address_ = QString::fromUtf8(bus_.readLine()).trimmed();
    ASSERT_FALSE(address_.isEmpty());
    Start();
    unit0.defaultLength = 60000;
    session_ = std::make_unique<MediaSession>(*form);
    service_ = std::make_unique<MprisService>(
        *session_, QDBusConnection::connectToBus(address_, QStringLiteral("varlo-service")));
    ASSERT_TRUE(service_->Register());
    client_ = std::make_unique<QDBusConnection>(
        QDBusConnection::connectToBus(address_, QStringLiteral("varlo-client")));
    ASSERT_TRUE(client_->isConnected());
  }
  void TearDown() override {
    service_.reset();
    QDBusConnection::disconnectFromBus(QStringLiteral("varlo-service"));
    QDBusConnection::disconnectFromBus(QStringLiteral("varlo-client"));
    client_.reset();
    if (bus_.state() != QProcess::NotRunning) {
      bus_.terminate();
      bus_.waitForFinished(3000);
    }
  }

  QDBusMessage CallOn(const QString& interface, const QString& member,
                      const QVariantList& args = {}) {
    QDBusMessage call = QDBusMessage::createMethodCall(
        QString::fromLatin1(MprisService::kServiceName),
        QString::fromLatin1(MprisService::kObjectPath), interface, member);
    call.setArguments(args);
    // The service answers on this thread: the call runs the event loop while it waits.
    return client_->call(call, QDBus::BlockWithGui, 5000);
  }
  QDBusMessage Player(const QString& member, const QVariantList& args = {}) {
    return CallOn(QStringLiteral("org.mpris.MediaPlayer2.Player"), member, args);
  }
  QVariant Get(const QString& name,
               const QString& interface = QStringLiteral("org.mpris.MediaPlayer2.Player")) {
    const QDBusMessage reply = CallOn(QStringLiteral("org.freedesktop.DBus.Properties"),
                                      QStringLiteral("Get"), {interface, name});
    EXPECT_EQ(reply.type(), QDBusMessage::ReplyMessage) << reply.errorMessage().toStdString();
    if (reply.arguments().isEmpty()) return {};
    return reply.arguments().first().value<QDBusVariant>().variant();
  }
  QVariantMap Metadata() {
    QVariantMap map;
    Get(QStringLiteral("Metadata")).value<QDBusArgument>() >> map;
    return map;
  }
  // Runs the event loop for `ms`, so signals arrive.
  static void Spin(int ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  }

  QProcess bus_;
  QString address_;
  std::unique_ptr<MediaSession> session_;
  std::unique_ptr<MprisService> service_;
  std::unique_ptr<QDBusConnection> client_;
};

TEST_F(MprisServiceTest, IdentityAndMetadataOfAPlayingFile) {
  EXPECT_EQ(Get(QStringLiteral("Identity"), QStringLiteral("org.mpris.MediaPlayer2")).toString(),
            QStringLiteral("Varlo"));
  EXPECT_EQ(Get(QStringLiteral("PlaybackStatus")).toString(), QStringLiteral("Stopped"));
  EXPECT_EQ(Metadata().value(QStringLiteral("mpris:trackid")).value<QDBusObjectPath>().path(),
            QString::fromLatin1(kNoTrackId));

  Playlist& list = form->Player().List();
  list.Append("song.flac", prog.Write("song one.flac", "x"));
  unit0.tags[list.paths[0]] = {"Grüne Wiese", "Odd", "First"};
  form->Player().State().coverPath = prog.Write("cover.jpg", "x");
  EXPECT_EQ(Player(QStringLiteral("Play")).type(), QDBusMessage::ReplyMessage);
  EXPECT_EQ(Get(QStringLiteral("PlaybackStatus")).toString(), QStringLiteral("Playing"));
  const QVariantMap meta = Metadata();
  EXPECT_EQ(meta.value(QStringLiteral("xesam:title")).toString(), QStringLiteral("Grüne Wiese"));
  EXPECT_EQ(meta.value(QStringLiteral("xesam:artist")).toStringList(),
            QStringList{QStringLiteral("Odd")});
  EXPECT_EQ(meta.value(QStringLiteral("xesam:album")).toString(), QStringLiteral("First"));
  EXPECT_EQ(meta.value(QStringLiteral("mpris:length")).toLongLong(), 60'000'000);
  EXPECT_EQ(meta.value(QStringLiteral("mpris:trackid")).value<QDBusObjectPath>().path(),
            QStringLiteral("/org/varlo/track/1"));
  EXPECT_TRUE(meta.value(QStringLiteral("xesam:url"))
                  .toString()
                  .endsWith(QStringLiteral("/song%20one.flac")));
  EXPECT_TRUE(
      meta.value(QStringLiteral("mpris:artUrl")).toString().startsWith(QStringLiteral("file:///")));
}

TEST_F(MprisServiceTest, PlayPauseNextSeekAndTheirSignals) {
  SignalLog log;
  const QString path = QString::fromLatin1(MprisService::kObjectPath);
  ASSERT_TRUE(client_->connect(QString(), path, QStringLiteral("org.freedesktop.DBus.Properties"),
                               QStringLiteral("PropertiesChanged"), &log,
                               SLOT(Changed(QString, QVariantMap, QStringList))));
  ASSERT_TRUE(client_->connect(QString(), path, QStringLiteral("org.mpris.MediaPlayer2.Player"),
                               QStringLiteral("Seeked"), &log, SLOT(Seeked(qlonglong))));
  Playlist& list = form->Player().List();
  list.Append("one", prog.Write("one.mp3", "x"));
  list.Append("two", prog.Write("two.mp3", "x"));

  Player(QStringLiteral("PlayPause"));
  Spin(100);
  ASSERT_FALSE(log.changes.isEmpty());
  EXPECT_EQ(log.changes.last().value(QStringLiteral("PlaybackStatus")).toString(),
            QStringLiteral("Playing"));
  EXPECT_TRUE(log.changes.last().contains(QStringLiteral("Metadata")));
  Player(QStringLiteral("PlayPause"));
  Spin(100);
  EXPECT_EQ(log.changes.last().value(QStringLiteral("PlaybackStatus")).toString(),
            QStringLiteral("Paused"));
  EXPECT_TRUE(form->Player().State().paused);

  log.changes.clear();
  Player(QStringLiteral("Next"));
  Spin(100);
  EXPECT_EQ(form->Player().State().tNum, 2);
  ASSERT_FALSE(log.changes.isEmpty());
  EXPECT_TRUE(log.changes.last().contains(QStringLiteral("Metadata")));

  Player(QStringLiteral("Seek"), {qlonglong{30'000'000}});
  unit0.Advance(100);
  form->Timer1_Timer();  // the position as the main timer reads it
  service_->Announce();
  Spin(100);
  ASSERT_FALSE(log.seeks.isEmpty());
  EXPECT_NEAR(static_cast<double>(log.seeks.last()), 30'000'000.0, 500'000.0);
  EXPECT_NEAR(static_cast<double>(Get(QStringLiteral("Position")).toLongLong()), 30'000'000.0,
              500'000.0);

  // Writable properties go through the same commands as the user's.
  QDBusMessage set = QDBusMessage::createMethodCall(
      QString::fromLatin1(MprisService::kServiceName), path,
      QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Set"));
  set.setArguments({QStringLiteral("org.mpris.MediaPlayer2.Player"), QStringLiteral("Volume"),
                    QVariant::fromValue(QDBusVariant(0.25))});
  EXPECT_EQ(client_->call(set, QDBus::BlockWithGui, 5000).type(), QDBusMessage::ReplyMessage);
  EXPECT_NEAR(form->Player().State().volume, 0.25, 1e-9);
  set.setArguments({QStringLiteral("org.mpris.MediaPlayer2.Player"),
                    QStringLiteral("PlaybackStatus"),
                    QVariant::fromValue(QDBusVariant(QStringLiteral("Stopped")))});
  EXPECT_EQ(client_->call(set, QDBus::BlockWithGui, 5000).type(), QDBusMessage::ErrorMessage);
}

TEST_F(MprisServiceTest, ASecondServiceTakesANameOfItsOwnAndItemsCanBeHandedOver) {
  std::vector<std::string> handed;
  service_->onItemsHandedOver = [&handed](const std::vector<std::string>& items) {
    handed = items;
  };
  const QDBusMessage reply =
      CallOn(QString::fromLatin1(MprisService::kOwnInterface), QStringLiteral("OpenItems"),
             {QStringList{QStringLiteral("/music/a b.mp3")}});
  EXPECT_EQ(reply.type(), QDBusMessage::ReplyMessage);
  EXPECT_EQ(handed, std::vector<std::string>{"/music/a b.mp3"});

  MediaSession other(*form);
  MprisService second(other, QDBusConnection::connectToBus(address_, QStringLiteral("varlo-2")));
  ASSERT_TRUE(second.Register());
  EXPECT_TRUE(
      second.ServiceName().startsWith(QStringLiteral("org.mpris.MediaPlayer2.varlo.instance")));
  QDBusConnection::disconnectFromBus(QStringLiteral("varlo-2"));
}

TEST_F(ShellTest, WithoutABusTheServiceRegistersNothingAndNothingFails) {
  testing::TestApp();
  Start();
  MediaSession session(*form);
  MprisService service(
      session, QDBusConnection::connectToBus(QStringLiteral("unix:path=/nonexistent/varlo-bus"),
                                             QStringLiteral("varlo-none")));
  EXPECT_FALSE(service.Register());
  service.Announce();
  form->DoIt(12);
  QDBusConnection::disconnectFromBus(QStringLiteral("varlo-none"));
}

}  // namespace
}  // namespace varlo

#include "mpris_service_test.moc"
