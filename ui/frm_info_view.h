#pragma once
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <functional>

#include "player/track_info_form.h"

namespace varlo {

// The track-information window "Track Info": the widgets of `TrackInfoForm`.
class FrmInfoView : public QWidget {
 public:
  explicit FrmInfoView(TrackInfoForm& form);

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  // Typed texts into the form, and the form's fields back into the widgets.
  void Pull();
  void Push();
  QPushButton* Command(const QString& caption, std::function<void(TrackInfoForm&)> handler);

  TrackInfoForm& form_;
  QLineEdit* txtFileName_;
  QLineEdit* txtTitle_;
  QLineEdit* txtArtist_;
  QLineEdit* txtAlbum_;
  QLineEdit* txtYear_;
  QLineEdit* txtComment_;
  QLineEdit* txtTrack_;
  QComboBox* cboGenre_;
  QLabel* imgCover_;
  QLabel* stream_;
  QCheckBox* cbEdit_;
  QPushButton* cmdCurrent_ = nullptr;
  QTimer timer1_;
};

}  // namespace varlo
