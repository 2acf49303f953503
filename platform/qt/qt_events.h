#pragma once
#include "platform/events.h"

namespace varlo {

class QtEvents : public IEvents {
 public:
  void DoEvents() override;
};

}  // namespace varlo
