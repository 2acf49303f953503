#pragma once
#include "platform/web_view.h"

namespace varlo {

// Opens web links with the desktop's handler (QDesktopServices): no shell and no command line
// is involved, and only http, https and mailto addresses are handed over.
class QtLinkOpener final : public ILinkOpener {
 public:
  bool Open(const std::string& address) override;
};

}  // namespace varlo
