#pragma once
#include <QObject>
#include <QPixmap>
#include <memory>
#include <string>

#include "shell/frm_tarnix.h"
#include "ui/area_views.h"

namespace varlo {

// What a cover shows: the picture read from inside a media file when there is one, else the
// picture file.
QPixmap CoverPixmap(const std::string& picture, const std::shared_ptr<const Picture>& image);

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
  std::shared_ptr<const Picture> shownImage_;
};

}  // namespace varlo
