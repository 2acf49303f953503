#include "desk/serial_display.h"

#include <charconv>
#include <cstdio>

#include "common/numtext.h"
#include "common/utf8_text.h"

namespace varlo {
namespace {

bool ReadInt(std::string_view text, int& out) {
  text = TrimBlanks(text);
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
  return ec == std::errc() && end == text.data() + text.size();
}

// The plain letters of the Latin-1 letters from U+00C0 on ("" for signs without one).
constexpr const char* kLatinPlain[64] = {
    "A", "A", "A", "A", "A", "A", "AE", "C", "E", "E", "E", "E", "I", "I", "I",  "I",
    "D", "N", "O", "O", "O", "O", "O",  "x", "O", "U", "U", "U", "U", "Y", "TH", "ss",
    "a", "a", "a", "a", "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i",  "i",
    "d", "n", "o", "o", "o", "o", "o",  "/", "o", "u", "u", "u", "u", "y", "th", "y"};

}  // namespace

std::optional<SerialLine> ParseSerialLine(std::string_view text) {
  SerialLine line;
  std::string_view parts[4];
  for (int i = 0; i < 4; ++i) {
    const std::size_t comma = text.find(',');
    if ((comma == std::string_view::npos) != (i == 3)) return std::nullopt;
    parts[i] = text.substr(0, comma);
    text = comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
  }
  const std::string_view parity = TrimBlanks(parts[1]);
  if (!ReadInt(parts[0], line.baud) || line.baud < 50 || line.baud > 4000000) return std::nullopt;
  if (parity.size() != 1) return std::nullopt;
  line.parity = UpperCase(parity)[0];
  if (std::string_view("NEOMS").find(line.parity) == std::string_view::npos) return std::nullopt;
  if (!ReadInt(parts[2], line.dataBits) || line.dataBits < 5 || line.dataBits > 8)
    return std::nullopt;
  if (!ReadInt(parts[3], line.stopBits) || line.stopBits < 1 || line.stopBits > 2)
    return std::nullopt;
  return line;
}

std::string DisplayText(std::string_view text) {
  std::string out;
  std::size_t at = 0;
  while (at < text.size() && out.size() < kMaxDisplayText) {
    char32_t code = 0;
    const std::size_t length = Utf8Decode(text.substr(at), code);
    if (length == 0) {  // a byte that is no UTF-8: shown as unknown
      ++at;
      out += '?';
      continue;
    }
    at += length;
    if (code >= 0x20 && code < 0x7F) {
      if (code != '<' && code != '>') out += static_cast<char>(code);
    } else if (code >= 0xC0 && code <= 0xFF) {
      out += kLatinPlain[code - 0xC0];
    } else if (code >= 0xA0) {
      out += '?';
    }
  }
  return out.substr(0, kMaxDisplayText);
}

std::string DisplayFrame(std::string_view text) {
  return "<ID01><PA><CG>  " + DisplayText(text) + "   \r\n";
}

std::string DisplayDevice(const AppSettings& settings) {
  if (!settings.exDevice.empty()) return settings.exDevice;
  const int port = settings.exPort >= 0 && settings.exPort <= 3 ? settings.exPort : 0;
  return "/dev/ttyS" + std::to_string(port);
}

SerialDisplay::SerialDisplay(ISerialPort& port, const AppSettings& settings)
    : port_(port), settings_(settings) {}

void SerialDisplay::ExDevOut(const std::string& text) {
  lastText_ = text;
  if (settings_.exEnable != 1) return SerialClose();
  if (port_.IsOpen() && !OpenAsSet()) port_.Close();
  if (!port_.IsOpen() && !SerialOpen()) return;
  if (port_.Write(DisplayFrame(text))) {
    complained_ = false;
    return;
  }
  // A port that stopped taking bytes is closed and opened afresh for the next text.
  port_.Close();
  Failed("cannot write to " + DisplayDevice(settings_));
}

bool SerialDisplay::SerialOpen() {
  openDevice_ = DisplayDevice(settings_);
  openLine_ = ParseSerialLine(settings_.exParm).value_or(SerialLine{});
  if (port_.Open(openDevice_, openLine_)) return true;
  Failed("cannot open " + openDevice_);
  return false;
}

bool SerialDisplay::OpenAsSet() const {
  return openDevice_ == DisplayDevice(settings_) &&
         openLine_ == ParseSerialLine(settings_.exParm).value_or(SerialLine{});
}

void SerialDisplay::ApplySettings() {
  if (settings_.exEnable != 1) return SerialClose();
  if (port_.IsOpen() && OpenAsSet()) return;
  complained_ = false;  // a failure of the new port is worth saying
  if (lastText_)
    ExDevOut(*lastText_);
  else
    SerialClose();
}

void SerialDisplay::SerialClose() {
  // Also a port that reported an error: it counts as closed but may still hold its device.
  port_.Close();
}

void SerialDisplay::Failed(const std::string& what) {
  if (complained_) return;
  complained_ = true;
  std::fprintf(stderr, "varlo: external display: %s\n", what.c_str());
}

}  // namespace varlo
