#include "cd/cddb_protocol.h"

#include "cd/disc_toc.h"
#include "common/numtext.h"
#include "common/utf8_text.h"

namespace varlo {
namespace {

constexpr const char* kClient = "Varlo";
constexpr const char* kVersion = "0.1";

// The status code a reply starts with: three digits followed by a blank or the line's end.
int StatusOf(std::string_view reply) {
  if (reply.size() < 3) return 0;
  int code = 0;
  for (std::size_t i = 0; i < 3; ++i) {
    if (reply[i] < '0' || reply[i] > '9') return 0;
    code = code * 10 + (reply[i] - '0');
  }
  if (reply.size() > 3 && reply[3] != ' ' && reply[3] != '\r' && reply[3] != '\n') return 0;
  return code;
}

// The next line of `text` (without its LF or CR LF), which moves past it.
std::string_view NextLine(std::string_view& text) {
  const std::size_t end = text.find('\n');
  std::string_view line = text.substr(0, end);
  text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line;
}

// The next blank-separated word of `text`, which moves past it.
std::string_view NextWord(std::string_view& text) {
  const std::size_t start = text.find_first_not_of(' ');
  if (start == std::string_view::npos) {
    text = {};
    return {};
  }
  text.remove_prefix(start);
  const std::size_t end = text.find(' ');
  std::string_view word = text.substr(0, end);
  text = end == std::string_view::npos ? std::string_view() : text.substr(end);
  return word;
}

bool IsWordOfName(std::string_view word) {
  if (word.empty() || word.size() > 64) return false;
  for (char c : word) {
    const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                    c == '-' || c == '_';
    if (!ok) return false;
  }
  return true;
}

std::string Unescape(std::string_view value) {
  std::string out;
  for (std::size_t i = 0; i < value.size(); ++i) {
    if (value[i] == '\\' && i + 1 < value.size()) {
      const char next = value[i + 1];
      if (next == 'n' || next == 't') {
        out += ' ';
        ++i;
        continue;
      }
      if (next == '\\') {
        out += '\\';
        ++i;
        continue;
      }
    }
    out += value[i];
  }
  return out;
}

}  // namespace

std::string UrlEncode(std::string_view text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                       c == '-' || c == '.' || c == '_' || c == '~';
    if (plain) {
      out += c;
    } else {
      out += '%';
      out += kHex[byte >> 4];
      out += kHex[byte & 15];
    }
  }
  return out;
}

std::optional<std::string> CddbHello(std::string_view email) {
  const std::size_t at = email.find('@');
  if (at == std::string_view::npos || at == 0 || at + 1 >= email.size()) return std::nullopt;
  return "&hello=" + UrlEncode(email.substr(0, at)) + "+" + UrlEncode(email.substr(at + 1)) + "+" +
         kClient + "+" + kVersion + "&proto=" + IntToText(kCddbProtocolLevel);
}

std::string CddbQueryAddress(std::string_view cmd, std::string_view discId,
                             const std::vector<std::int32_t>& offsets, std::int32_t seconds,
                             std::string_view hello) {
  std::string address = std::string(cmd) + "cddb+query+" + UrlEncode(discId) + "+" +
                        IntToText(static_cast<long long>(offsets.size()));
  for (std::int32_t offset : offsets) address += "+" + IntToText(offset);
  address += "+" + IntToText(seconds);
  address += hello;
  return address;
}

std::string CddbReadAddress(std::string_view cmd, std::string_view category,
                            std::string_view discId, std::string_view hello) {
  return std::string(cmd) + "cddb+read+" + UrlEncode(category) + "+" + UrlEncode(discId) +
         std::string(hello);
}

CddbQueryReply ParseCddbQuery(std::string_view reply) {
  CddbQueryReply result;
  result.status = StatusOf(reply);
  switch (result.status) {
    case 200: {
      std::string_view rest = NextLine(reply).substr(3);
      const std::string_view category = NextWord(rest);
      const std::string_view id = NextWord(rest);
      if (IsWordOfName(category) && IsWordOfName(id)) {
        result.kind = CddbQueryReply::Kind::Exact;
        result.category = std::string(category);
        result.discId = std::string(id);
      }
      break;
    }
    case 210:
    case 211:
      result.kind = CddbQueryReply::Kind::Multiple;
      break;
    case 202:
      result.kind = CddbQueryReply::Kind::NotFound;
      break;
    default:
      break;
  }
  return result;
}

bool IsCddbServerError(int status) {
  return status == 402 || status == 409 || (status >= 500 && status <= 599);
}

int CddbStatus(std::string_view reply) {
  return StatusOf(reply);
}

std::optional<std::vector<std::string>> ParseCddbRead(std::string_view reply, int tracks) {
  if (StatusOf(reply) != 210) return std::nullopt;
  if (tracks < 0) tracks = 0;
  if (tracks > kMaxDiscTracks) tracks = kMaxDiscTracks;
  reply = reply.substr(0, kMaxCddbReplyBytes);
  NextLine(reply);  // the status line

  std::vector<std::string> raw(static_cast<std::size_t>(tracks));
  int previous = -1;  // the track of the line before, to join a keyword's continued lines
  while (!reply.empty()) {
    const std::string_view line = NextLine(reply);
    if (line == ".") break;
    int track = -1;
    std::string_view value;
    if (line.substr(0, 6) == "TTITLE") {
      const std::size_t equals = line.find('=');
      const std::string_view number =
          line.substr(6, equals == std::string_view::npos ? std::string_view::npos : equals - 6);
      if (equals != std::string_view::npos && !number.empty() && number.size() <= 3 &&
          number.find_first_not_of("0123456789") == std::string_view::npos) {
        track = 0;
        for (char c : number) track = track * 10 + (c - '0');
        value = line.substr(equals + 1);
      }
    }
    if (track >= 0 && track < tracks) {
      std::string& title = raw[static_cast<std::size_t>(track)];
      // A value is only continued on the lines right after its first one.
      if (track != previous) title.clear();
      title += value;
    }
    previous = track;
  }

  std::vector<std::string> titles;
  titles.reserve(raw.size());
  for (const std::string& title : raw)
    titles.push_back(std::string(TrimBlanks(PlainTitle(Unescape(TextAsUtf8(title))))));
  return titles;
}

}  // namespace varlo
