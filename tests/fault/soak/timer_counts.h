#pragma once
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <map>
#include <string>

namespace varlo::testing {

// Counts the time-outs of the program's timers, each under a name of the test's choosing.
class TimerCounts {
 public:
  // Follows the child timer `object` names under `parent`; false when there is none. A timer
  // already followed under `name` is left as it is.
  bool Watch(const std::string& name, QObject* parent, const char* object);
  // Whether a timer is followed under `name`.
  bool Watched(const std::string& name) const { return timers_.count(name) != 0; }
  // Time-outs since the last Reset.
  int Count(const std::string& name) const;
  void Reset();
  const std::map<std::string, int>& Counts() const { return counts_; }

 private:
  QObject context_;
  std::map<std::string, QPointer<QTimer>> timers_;
  std::map<std::string, int> counts_;
};

}  // namespace varlo::testing
