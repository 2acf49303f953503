#include "ui/mpris_service.h"

#include <unistd.h>

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QStringList>
#include <QUrl>
#include <cstdlib>

#include "platform/qt/path_text.h"

namespace varlo {
namespace {

constexpr const char* kRootInterface = "org.mpris.MediaPlayer2";
constexpr const char* kPlayerInterface = "org.mpris.MediaPlayer2.Player";
constexpr const char* kPropertiesInterface = "org.freedesktop.DBus.Properties";
// A position this far from where steady playback would have taken it was a seek.
constexpr std::int64_t kSeekSlackUs = 1'500'000;

QString Text(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString FileUrl(const std::string& path) {
  return QUrl::fromLocalFile(PathToQt(path)).toString(QUrl::FullyEncoded);
}

QString StatusName(SessionState::Status status) {
  switch (status) {
    case SessionState::Status::Playing:
      return QStringLiteral("Playing");
    case SessionState::Status::Paused:
      return QStringLiteral("Paused");
    case SessionState::Status::Stopped:
      break;
  }
  return QStringLiteral("Stopped");
}

const char* const kIntrospection = R"(
<interface name="org.mpris.MediaPlayer2">
  <method name="Raise"/>
  <method name="Quit"/>
  <property name="CanQuit" type="b" access="read"/>
  <property name="CanRaise" type="b" access="read"/>
  <property name="HasTrackList" type="b" access="read"/>
  <property name="Identity" type="s" access="read"/>
  <property name="DesktopEntry" type="s" access="read"/>
  <property name="SupportedUriSchemes" type="as" access="read"/>
  <property name="SupportedMimeTypes" type="as" access="read"/>
</interface>
<interface name="org.mpris.MediaPlayer2.Player">
  <method name="Next"/>
  <method name="Previous"/>
  <method name="Pause"/>
  <method name="PlayPause"/>
  <method name="Stop"/>
  <method name="Play"/>
  <method name="Seek"><arg name="Offset" type="x" direction="in"/></method>
  <method name="SetPosition">
    <arg name="TrackId" type="o" direction="in"/>
    <arg name="Position" type="x" direction="in"/>
  </method>
  <method name="OpenUri"><arg name="Uri" type="s" direction="in"/></method>
  <signal name="Seeked"><arg name="Position" type="x"/></signal>
  <property name="PlaybackStatus" type="s" access="read"/>
  <property name="LoopStatus" type="s" access="readwrite"/>
  <property name="Rate" type="d" access="readwrite"/>
  <property name="Shuffle" type="b" access="readwrite"/>
  <property name="Metadata" type="a{sv}" access="read"/>
  <property name="Volume" type="d" access="readwrite"/>
  <property name="Position" type="x" access="read"/>
  <property name="MinimumRate" type="d" access="read"/>
  <property name="MaximumRate" type="d" access="read"/>
  <property name="CanGoNext" type="b" access="read"/>
  <property name="CanGoPrevious" type="b" access="read"/>
  <property name="CanPlay" type="b" access="read"/>
  <property name="CanPause" type="b" access="read"/>
  <property name="CanSeek" type="b" access="read"/>
  <property name="CanControl" type="b" access="read"/>
</interface>
<interface name="org.varlo.Varlo">
  <method name="OpenItems"><arg name="Items" type="as" direction="in"/></method>
  <property name="InstanceKey" type="s" access="read"/>
</interface>
)";

}  // namespace

MprisService::MprisService(MediaSession& session, QDBusConnection connection)
    : session_(session), connection_(std::move(connection)) {
  poll_.setParent(this);  // found by its name, like the main window's timers
  poll_.setObjectName(QStringLiteral("Poll"));
  poll_.setInterval(kPollMs);
  QObject::connect(&poll_, &QTimer::timeout, this, [this] { Announce(); });
}

MprisService::~MprisService() {
  if (!registered_) return;
  connection_.unregisterObject(QString::fromLatin1(kObjectPath));
  connection_.unregisterService(serviceName_);
}

bool MprisService::Register() {
  if (registered_) return true;
  if (!connection_.isConnected()) return false;
  if (!connection_.registerVirtualObject(QString::fromLatin1(kObjectPath), this)) return false;
  serviceName_ = QString::fromLatin1(kServiceName);
  if (!connection_.registerService(serviceName_)) {
    // Another Varlo (started with --new-instance) has the name: the desktop tells players
    // apart by a suffix of their own.
    serviceName_ += QStringLiteral(".instance%1").arg(static_cast<qlonglong>(getpid()));
    if (!connection_.registerService(serviceName_)) {
      connection_.unregisterObject(QString::fromLatin1(kObjectPath));
      return false;
    }
  }
  registered_ = true;
  announced_ = session_.State();
  announcedPositionUs_ = session_.PositionUs();
  sinceAnnounced_.start();
  poll_.start();
  return true;
}

QVariantMap MprisService::Metadata(const SessionState& state) {
  QVariantMap map;
  map.insert(QStringLiteral("mpris:trackid"),
             QVariant::fromValue(QDBusObjectPath(Text(state.trackId))));
  if (state.trackId == kNoTrackId) return map;
  if (state.lengthUs > 0) map.insert(QStringLiteral("mpris:length"), qlonglong{state.lengthUs});
  if (!state.titles.title.empty())
    map.insert(QStringLiteral("xesam:title"), Text(state.titles.title));
  if (!state.titles.artist.empty()) {
    map.insert(QStringLiteral("xesam:artist"), QStringList{Text(state.titles.artist)});
  }
  if (!state.titles.album.empty())
    map.insert(QStringLiteral("xesam:album"), Text(state.titles.album));
  if (!state.url.empty()) {
    const bool address = state.url.find("://") != std::string::npos;
    map.insert(QStringLiteral("xesam:url"), address ? Text(state.url) : FileUrl(state.url));
  }
  if (!state.coverPath.empty())
    map.insert(QStringLiteral("mpris:artUrl"), FileUrl(state.coverPath));
  return map;
}

QVariant MprisService::Property(const QString& interface, const QString& name) const {
  if (interface == QLatin1String(kRootInterface)) {
    if (name == QLatin1String("CanQuit") || name == QLatin1String("CanRaise")) return true;
    if (name == QLatin1String("HasTrackList")) return false;
    if (name == QLatin1String("Identity")) return QStringLiteral("Varlo");
    if (name == QLatin1String("DesktopEntry")) return QStringLiteral("varlo");
    if (name == QLatin1String("SupportedUriSchemes")) return QStringList{QStringLiteral("file")};
    if (name == QLatin1String("SupportedMimeTypes")) {
      return QStringList{QStringLiteral("audio/mpeg"),    QStringLiteral("audio/flac"),
                         QStringLiteral("audio/ogg"),     QStringLiteral("audio/x-wav"),
                         QStringLiteral("audio/mp4"),     QStringLiteral("audio/x-mpegurl"),
                         QStringLiteral("audio/x-scpls"), QStringLiteral("video/mpeg")};
    }
    return {};
  }
  if (interface == QLatin1String(kOwnInterface)) {
    if (name == QLatin1String("InstanceKey")) return QString::fromStdString(instanceKey_);
    return {};
  }
  if (interface != QLatin1String(kPlayerInterface)) return {};
  const SessionState s = session_.State();
  if (name == QLatin1String("PlaybackStatus")) return StatusName(s.status);
  if (name == QLatin1String("LoopStatus")) {
    return s.repeat ? QStringLiteral("Playlist") : QStringLiteral("None");
  }
  if (name == QLatin1String("Rate") || name == QLatin1String("MinimumRate") ||
      name == QLatin1String("MaximumRate")) {
    return 1.0;
  }
  if (name == QLatin1String("Shuffle")) return s.shuffle;
  if (name == QLatin1String("Metadata")) return Metadata(s);
  if (name == QLatin1String("Volume")) return s.volume;
  if (name == QLatin1String("Position")) return qlonglong{session_.PositionUs()};
  if (name == QLatin1String("CanGoNext")) return s.canGoNext;
  if (name == QLatin1String("CanGoPrevious")) return s.canGoPrevious;
  if (name == QLatin1String("CanPlay")) return s.canPlay;
  if (name == QLatin1String("CanPause")) return s.canPause;
  if (name == QLatin1String("CanSeek")) return s.canSeek;
  if (name == QLatin1String("CanControl")) return true;
  return {};
}

QVariantMap MprisService::AllProperties(const QString& interface) const {
  static const QStringList root{"CanQuit",           "CanRaise",     "HasTrackList",
                                "Identity",          "DesktopEntry", "SupportedUriSchemes",
                                "SupportedMimeTypes"};
  static const QStringList player{"PlaybackStatus", "LoopStatus", "Rate",          "Shuffle",
                                  "Metadata",       "Volume",     "Position",      "MinimumRate",
                                  "MaximumRate",    "CanGoNext",  "CanGoPrevious", "CanPlay",
                                  "CanPause",       "CanSeek",    "CanControl"};
  static const QStringList own{"InstanceKey"};
  QVariantMap map;
  const QStringList* names = interface == QLatin1String(kRootInterface)     ? &root
                             : interface == QLatin1String(kPlayerInterface) ? &player
                             : interface == QLatin1String(kOwnInterface)    ? &own
                                                                            : nullptr;
  if (names) {
    for (const QString& name : *names) map.insert(name, Property(interface, name));
  }
  return map;
}

bool MprisService::SetProperty(const QString& interface, const QString& name,
                               const QVariant& value) {
  if (interface != QLatin1String(kPlayerInterface)) return false;
  if (name == QLatin1String("Volume") && value.canConvert<double>()) {
    session_.SetVolume(value.toDouble());
  } else if (name == QLatin1String("Shuffle")) {
    session_.SetShuffle(value.toBool());
  } else if (name == QLatin1String("LoopStatus")) {
    // The player repeats whole lists only, so "Track" repeats the list too.
    session_.SetRepeat(value.toString() != QLatin1String("None"));
  } else if (name != QLatin1String("Rate")) {
    return false;  // the rate stays 1; every other property is read-only
  }
  return true;
}

bool MprisService::Call(const QDBusMessage& message) {
  const QString member = message.member();
  const QVariantList args = message.arguments();
  if (message.interface() == QLatin1String(kRootInterface)) {
    if (member == QLatin1String("Raise")) {
      session_.Raise();
    } else if (member == QLatin1String("Quit")) {
      session_.Quit();
    } else {
      return false;
    }
    return true;
  }
  if (message.interface() == QLatin1String(kOwnInterface)) {
    if (member != QLatin1String("OpenItems") || args.size() != 1) return false;
    std::vector<std::string> items;
    for (const QString& item : args[0].toStringList()) items.push_back(PathFromQt(item));
    if (onItemsHandedOver) onItemsHandedOver(items);
    return true;
  }
  if (message.interface() != QLatin1String(kPlayerInterface)) return false;
  if (member == QLatin1String("Next")) {
    session_.Next();
  } else if (member == QLatin1String("Previous")) {
    session_.Previous();
  } else if (member == QLatin1String("Pause")) {
    session_.Pause();
  } else if (member == QLatin1String("PlayPause")) {
    session_.PlayPause();
  } else if (member == QLatin1String("Stop")) {
    session_.Stop();
  } else if (member == QLatin1String("Play")) {
    session_.Play();
  } else if (member == QLatin1String("Seek") && args.size() == 1) {
    session_.Seek(args[0].toLongLong());
  } else if (member == QLatin1String("SetPosition") && args.size() == 2) {
    session_.SetPosition(args[0].value<QDBusObjectPath>().path().toStdString(),
                         args[1].toLongLong());
  } else if (member == QLatin1String("OpenUri") && args.size() == 1) {
    const QUrl url(args[0].toString());
    if (url.isLocalFile()) session_.OpenFile(PathFromQt(url.toLocalFile()));
  } else {
    return false;
  }
  return true;
}

bool MprisService::handleMessage(const QDBusMessage& message, const QDBusConnection& connection) {
  const QVariantList args = message.arguments();
  if (message.interface() == QLatin1String(kPropertiesInterface)) {
    const QString member = message.member();
    if (member == QLatin1String("Get") && args.size() == 2) {
      const QVariant value = Property(args[0].toString(), args[1].toString());
      if (!value.isValid()) {
        connection.send(
            message.createErrorReply(QDBusError::InvalidArgs, QStringLiteral("No such property")));
        return true;
      }
      connection.send(message.createReply(QVariant::fromValue(QDBusVariant(value))));
      return true;
    }
    if (member == QLatin1String("GetAll") && args.size() == 1) {
      connection.send(message.createReply(AllProperties(args[0].toString())));
      return true;
    }
    if (member == QLatin1String("Set") && args.size() == 3) {
      const QVariant value = args[2].value<QDBusVariant>().variant();
      if (!SetProperty(args[0].toString(), args[1].toString(), value)) {
        connection.send(message.createErrorReply(QDBusError::PropertyReadOnly,
                                                 QStringLiteral("Property not writable")));
        return true;
      }
      connection.send(message.createReply());
      Announce();
      return true;
    }
    return false;
  }
  if (!Call(message)) return false;
  connection.send(message.createReply());
  Announce();
  return true;
}

QString MprisService::introspect(const QString&) const {
  return QString::fromLatin1(kIntrospection);
}

void MprisService::Announce() {
  if (!registered_) return;
  const SessionState now = session_.State();
  const std::int64_t position = session_.PositionUs();
  const std::vector<std::string> changed = ChangedProperties(announced_, now);
  if (!changed.empty()) {
    QVariantMap values;
    for (const std::string& name : changed) {
      const QString key = QString::fromStdString(name);
      values.insert(key, Property(QLatin1String(kPlayerInterface), key));
    }
    QDBusMessage signal = QDBusMessage::createSignal(QString::fromLatin1(kObjectPath),
                                                     QLatin1String(kPropertiesInterface),
                                                     QStringLiteral("PropertiesChanged"));
    signal << QString::fromLatin1(kPlayerInterface) << values << QStringList{};
    connection_.send(signal);
  }
  // The position is not announced, only a jump in it within the same entry.
  const bool moving = announced_.status == SessionState::Status::Playing;
  const std::int64_t expected =
      announcedPositionUs_ + (moving ? sinceAnnounced_.elapsed() * 1000 : 0);
  if (now.trackId == announced_.trackId && now.status != SessionState::Status::Stopped &&
      std::llabs(position - expected) > kSeekSlackUs) {
    QDBusMessage seeked =
        QDBusMessage::createSignal(QString::fromLatin1(kObjectPath),
                                   QLatin1String(kPlayerInterface), QStringLiteral("Seeked"));
    seeked << qlonglong{position};
    connection_.send(seeked);
  }
  announced_ = now;
  announcedPositionUs_ = position;
  sinceAnnounced_.restart();
}

}  // namespace varlo
