#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "common/app_settings.h"
#include "platform/serial_port.h"
#include "player/player_links.h"

namespace varlo {

// Reads line settings of the form "9600,N,8,1"; nullopt for anything else.
std::optional<SerialLine> ParseSerialLine(std::string_view text);

// The text as a display may show it: UTF-8 letters reduced to ASCII where they have a plain
// form ("é" to "e", "ß" to "ss", others to "?"), control characters and the sign's command
// brackets "<" and ">" dropped. A title is sent whole; `kMaxDisplayText` characters only
// bound a runaway text.
inline constexpr std::size_t kMaxDisplayText = 1024;
std::string DisplayText(std::string_view text);

// The bytes sent for `text`, the same frame for the LED sign and the LCD module (modules set
// up for the sign's frame expect it): "<ID01><PA><CG>  ", the text, three blanks, CR LF.
std::string DisplayFrame(std::string_view text);

// The device path of the settings: "ExDevice" when set, else /dev/ttyS0-3 for "ExPort" 0-3.
std::string DisplayDevice(const AppSettings& settings);

// The external display on a serial port: song names and the program's notices. The port is
// opened with the first text; a failed open or write is said once on standard error, leaves
// the port closed and is tried again with the next text.
class SerialDisplay final : public TitleDisplay {
 public:
  SerialDisplay(ISerialPort& port, const AppSettings& settings);

  void ExDevOut(const std::string& text) override;
  // Sends what is queued and closes the port, if it is open.
  void SerialClose();
  // The settings changed: a display switched off closes its port (and so unlocks the
  // device); a new device or line is opened at once and shows the last text again.
  void ApplySettings();

 private:
  bool SerialOpen();
  // Whether the open port is the one the settings name now.
  bool OpenAsSet() const;
  void Failed(const std::string& what);

  ISerialPort& port_;
  const AppSettings& settings_;
  std::string openDevice_;
  SerialLine openLine_;
  std::optional<std::string> lastText_;  // sent or not, as the display should show it
  bool complained_ = false;
};

}  // namespace varlo
