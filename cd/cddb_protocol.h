#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varlo {

// The CDDB protocol in its web form: the addresses of the query and read commands and the
// reading of the server's replies. Replies are untrusted text: every reader here is bounded
// and gives plain text.

inline constexpr int kCddbProtocolLevel = 6;  // UTF-8 replies
// The longest reply taken; a longer one is a failed transfer.
inline constexpr std::size_t kMaxCddbReplyBytes = 64 * 1024;

// "%2B" for "+", letters, digits and "-._~" as they are, every other byte as %XX.
std::string UrlEncode(std::string_view text);

// The greeting appended to every command: "&hello=" + user + "+" + host + "+Varlo+<version>"
// + "&proto=6", each part URL-encoded. Nullopt when the e-mail address has no user part or no
// host part around its first "@".
std::optional<std::string> CddbHello(std::string_view email);

// The query address: `cmd` + "cddb+query+" + id + "+" + track count + each frame offset +
// the disc's seconds, then the greeting.
std::string CddbQueryAddress(std::string_view cmd, std::string_view discId,
                             const std::vector<std::int32_t>& offsets, std::int32_t seconds,
                             std::string_view hello);
// The read address for the category and disc identifier the server named.
std::string CddbReadAddress(std::string_view cmd, std::string_view category,
                            std::string_view discId, std::string_view hello);

// What a query reply says.
struct CddbQueryReply {
  enum class Kind { Exact, Multiple, NotFound, Other };
  Kind kind = Kind::Other;
  int status = 0;        // the status code the reply starts with; 0 when it starts with none
  std::string category;  // of an exact match
  std::string discId;    // of an exact match, as the server wrote it
};
// Reads the status code from the start of the reply only: 200 is one exact match, 210 and
// 211 several, 202 none.
CddbQueryReply ParseCddbQuery(std::string_view reply);

// The titles of a read reply, by track index (an empty text where the entry names none), for
// a disc of `tracks` tracks. Nullopt unless the reply starts with status 210. Lines end at LF
// or CR LF; a keyword repeated on consecutive lines is joined; "\n", "\t" and "\\" are
// unescaped (the first two to a blank) and control characters dropped; bytes that are not
// UTF-8 are read as Latin-1.
std::optional<std::vector<std::string>> ParseCddbRead(std::string_view reply, int tracks);

// The status code a reply starts with; 0 when it starts with none.
int CddbStatus(std::string_view reply);
// Whether a status code says the server failed or refused the request (402 server error,
// 409 no handshake, any 5xx), rather than that the disc is not there.
bool IsCddbServerError(int status);

}  // namespace varlo
