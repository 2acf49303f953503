#include "skin/skin_form.h"

namespace varlo {

AreaWidget* SkinForm::Area(int n) {
  switch (n) {
    case 1:
      return &plNames;
    case 2:
      return &notepad;
    case 4:
      return &lyrics;
    case 5:
      return &cvtList;
    case 6:
      return &fmPreset;
    case 7:
      return &combo[1];
    case 8:
      return &wrList;
    default:
      return nullptr;
  }
}

}  // namespace varlo
