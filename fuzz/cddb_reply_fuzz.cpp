// A CDDB reply from outside: any bytes must read without fault, as a query reply and as a
// read reply, into bounded plain titles.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "cd/cddb_protocol.h"
#include "cd/disc_toc.h"
#include "fuzz/fuzz_check.h"

using varlo::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view reply(reinterpret_cast<const char*>(data), size);
  const varlo::CddbQueryReply query = varlo::ParseCddbQuery(reply);
  Check(query.status >= 0 && query.status <= 999);
  if (query.kind == varlo::CddbQueryReply::Kind::Exact) {
    Check(!query.category.empty() && query.category.size() <= 64);
    Check(!query.discId.empty() && query.discId.size() <= 64);
    Check(varlo::CddbReadAddress("c=", query.category, query.discId, "").find(' ') ==
          std::string::npos);
  }
  for (int tracks : {0, 3, 99, 150}) {
    const auto titles = varlo::ParseCddbRead(reply, tracks);
    if (!titles) continue;
    Check(static_cast<int>(titles->size()) == std::min(tracks, varlo::kMaxDiscTracks));
    for (const std::string& title : *titles) {
      Check(title.size() <= 2 * varlo::kMaxCddbReplyBytes);
      Check(title == varlo::PlainTitle(title));
    }
  }
  return 0;
}
