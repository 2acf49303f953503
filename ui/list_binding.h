#pragma once
#include <QListWidget>
#include <QObject>

#include "shell/frm_tarnix.h"

namespace varlo {

// Keeps a list widget showing the rows and selection of one of the form's list areas, and
// hands the user's clicks and double-clicks on it to the mode that owns the area.
class ListBinding : public QObject {
 public:
  ListBinding(FrmTarnix& frm, FormList list, QListWidget* widget, QObject* parent);

 private:
  void Fill();
  void Select();

  FrmTarnix& frm_;
  FormList list_;
  ListArea area_;
  QListWidget* widget_;
};

}  // namespace varlo
