#pragma once
#include <QDBusConnection>
#include <QDBusVirtualObject>
#include <QElapsedTimer>
#include <QTimer>
#include <QVariantMap>
#include <functional>
#include <memory>
#include <string>

#include "shell/media_session.h"

namespace varlo {

// The program on the desktop's session bus as an MPRIS 2 media player
// ("org.mpris.MediaPlayer2.varlo", object /org/mpris/MediaPlayer2), so that media keys, the
// lock screen and playerctl control it. Properties are read from the media session on demand;
// a timer compares the session's state with the one announced last and sends
// PropertiesChanged (and Seeked when the position jumps) for what changed.
//
// The object also carries the program's own interface "org.varlo.Varlo" with the method
// OpenItems(as items), by which a second start that cannot use the local socket hands its
// command line to this one, and the property InstanceKey (s), which tells that start whether
// this program is the one it would be: the same display and program folder.
//
// Without a session bus nothing is registered and nothing fails.
class MprisService final : public QDBusVirtualObject {
 public:
  static constexpr const char* kServiceName = "org.mpris.MediaPlayer2.varlo";
  static constexpr const char* kObjectPath = "/org/mpris/MediaPlayer2";
  static constexpr const char* kOwnInterface = "org.varlo.Varlo";
  static constexpr int kPollMs = 200;

  MprisService(MediaSession& session, QDBusConnection connection);
  ~MprisService() override;

  // Registers the object and claims the bus name; false without a bus. When another program
  // holds the name, a name of this process's own is taken instead.
  bool Register();
  const QString& ServiceName() const { return serviceName_; }
  // The InstanceKey property; set before Register.
  void SetInstanceKey(std::string key) { instanceKey_ = std::move(key); }

  // The items a second start handed over (absolute paths).
  std::function<void(const std::vector<std::string>& items)> onItemsHandedOver;

  // Compares the state with the one announced last and announces the changes now (the timer
  // does the same every kPollMs).
  void Announce();

  QString introspect(const QString& path) const override;
  bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override;

  // The Metadata map of `state`.
  static QVariantMap Metadata(const SessionState& state);

 private:
  QVariant Property(const QString& interface, const QString& name) const;
  QVariantMap AllProperties(const QString& interface) const;
  bool SetProperty(const QString& interface, const QString& name, const QVariant& value);
  bool Call(const QDBusMessage& message);

  MediaSession& session_;
  QDBusConnection connection_;
  QString serviceName_;
  std::string instanceKey_;
  bool registered_ = false;
  SessionState announced_;
  std::int64_t announcedPositionUs_ = 0;
  QElapsedTimer sinceAnnounced_;
  QTimer poll_;
};

}  // namespace varlo
