#include "webradio/web_address.h"

#include <cctype>

#include "common/numtext.h"

namespace varlo {

std::string AddressScheme(std::string_view address) {
  const std::size_t colon = address.find(':');
  if (colon == std::string_view::npos || colon == 0 || colon > 32) return {};
  std::string scheme;
  for (const char c : address.substr(0, colon)) {
    const auto u = static_cast<unsigned char>(c);
    if (!std::isalnum(u) && c != '+' && c != '-' && c != '.') return {};
    scheme.push_back(static_cast<char>(std::tolower(u)));
  }
  if (!std::isalpha(static_cast<unsigned char>(scheme.front()))) return {};
  return scheme;
}

bool IsStreamAddress(std::string_view address) {
  const std::string scheme = AddressScheme(address);
  return (scheme == "http" || scheme == "https") && address.substr(scheme.size(), 3) == "://" &&
         address.size() > scheme.size() + 3;
}

bool IsOpenableLink(std::string_view address) {
  for (const char c : address)
    if (static_cast<unsigned char>(c) <= ' ' || c == 0x7F) return false;
  const std::string scheme = AddressScheme(address);
  if (scheme == "mailto") return address.size() > 7;
  return IsStreamAddress(address);
}

std::string TypedAddress(std::string_view typed) {
  typed = TrimBlanks(typed);
  if (typed.size() >= 3 && EqualsNoCase(typed.substr(0, 3), "www"))
    return "http://" + std::string(typed);
  return std::string(typed);
}

std::string CaptionAddress(std::string_view caption) {
  caption = TrimBlanks(caption);
  if (caption.empty()) return {};
  if (caption.find("://") != std::string_view::npos || AddressScheme(caption) == "mailto")
    return std::string(caption);
  return "http://" + std::string(caption);
}

std::string LinkCaption(std::string_view address) {
  address = TrimBlanks(address);
  if (address.size() >= 7 && EqualsNoCase(address.substr(0, 7), "http://"))
    address.remove_prefix(7);
  return std::string(address);
}

}  // namespace varlo
