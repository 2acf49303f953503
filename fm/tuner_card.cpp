#include "fm/tuner.h"

namespace varlo {

std::uint16_t TunerPort(int cardType, int portChoice) {
  const bool alternate = portChoice == 1;
  switch (cardType) {
    case 0:
      return alternate ? 0x358 : 0x350;
    case 1:
    case 2:
      return alternate ? 0x20C : 0x30C;
    default:
      return 0;
  }
}

void SetTunerCard(Tuner& tuner, int cardType, int portChoice) {
  tuner.SetCardType(static_cast<std::uint16_t>(cardType));
  tuner.SetPort(TunerPort(cardType, portChoice));
}

}  // namespace varlo
