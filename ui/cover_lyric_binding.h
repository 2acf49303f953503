#pragma once
#include <QObject>

#include "shell/frm_tarnix.h"
#include "ui/area_views.h"

namespace varlo {

// Keeps the main window's cover image showing what the form holds, and hands its
// double-clicks to the form.
class CoverLyricBinding : public QObject {
 public:
  CoverLyricBinding(FrmTarnix& frm, AreaViews& areas, QObject* parent);
  // Shows the cover picture and its tip (after the skin placed the image).
  void ApplyCover();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  FrmTarnix& frm_;
  AreaViews& areas_;
  std::string shownCover_;
};

}  // namespace varlo
