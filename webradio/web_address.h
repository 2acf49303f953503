#pragma once
#include <string>
#include <string_view>

namespace varlo {

// The scheme of an address in lower case ("http" for "HTTP://x"), empty when it has none.
std::string AddressScheme(std::string_view address);
// Whether the stream player may open `address`: http and https only.
bool IsStreamAddress(std::string_view address);
// Whether a web link may be handed to the desktop: http, https and mailto only, with no
// control characters or blanks in it.
bool IsOpenableLink(std::string_view address);
// An address as typed into the address entry: trimmed, and one beginning with "www" (any
// case) gets "http://" in front.
std::string TypedAddress(std::string_view typed);
// Where a link button's caption leads: a caption without a scheme is an http address.
std::string CaptionAddress(std::string_view caption);
// The caption a link button stores for an address: the address without a leading "http://".
std::string LinkCaption(std::string_view address);

}  // namespace varlo
