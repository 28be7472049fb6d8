#include "info/frm_welcome.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>

#include "info/info_window.h"
#include "qt_base/artwork.h"
#include "qt_base/twips.h"
#include "store/settings.h"

using info_window::add_label;

frm_welcome::frm_welcome(AppContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx) {
  setObjectName("frm_welcome");
  info_window::set_up_dialog(*this, "Welcome!", 5805, 5055);

  info_window::add_picture(*this, "Picture2", logo_pixmap(), 90, 90, 2085, 1650, true);
  info_window::add_picture(*this, "Picture1", player_icon_pixmap(32), 5220, 315, 480, 480, false);

  add_label(*this, "Label2_3", "Welcome To Davrin Audio Player!", 2295, 90, 2940, 195, true);
  add_label(
      *this, "Label4_4",
      "Davrin Audio Player is a system tray utility that allows you to organize your favorite "
      "music files (mp3, wav, mid, rmi) into multiple play lists and then play them back in the "
      "background while you are doing other tasks! You can create an unlimited number of play "
      "lists. Plus, at anytime you can repeat a track, select the next or previous track, or "
      "even select a random track!",
      2295, 405, 2805, 2040);
  add_label(*this, "Label2_0", "Send Your Favorite Play Lists To A Friend!", 90, 2475, 3705, 195,
            true);
  add_label(
      *this, "Label4_0",
      "Davrin Audio Player has a built in .ZIP tool that allows you to turn your favorite play "
      "lists into a .ZIP file that you can then send to a friend via your email service!",
      90, 2790, 4920, 645);
  add_label(*this, "Label2_1", "Davrin Audio Player Lives In Your System Tray!", 90, 3465, 4290,
            195, true);
  add_label(
      *this, "Label4_1",
      "Davrin Audio Player resides in your system tray. To access it's features please click your "
      "RIGHT MOUSE BUTTON over the player icon. Then to begin creating your music lists click on "
      "SETTINGS.",
      90, 3780, 4920, 645);

  // Checked at every opening: the window keeps coming until the user clears it.
  Check1_ = new QCheckBox("Display This Screen At Program Start Up", this);
  Check1_->setObjectName("Check1");
  Check1_->setGeometry(twips_rect(135, 4725, 3390, 195));
  Check1_->setChecked(true);

  Command1_ = new QPushButton("&Continue...", this);
  Command1_->setObjectName("Command1");
  Command1_->setGeometry(twips_rect(4455, 4590, 1185, 375));
  Command1_->setDefault(true);
  connect(Command1_, &QPushButton::clicked, this, &QDialog::accept);

  setTabOrder(Check1_, Command1_);
  Command1_->setFocus();
  info_window::fit_texts(*this);
}

void frm_welcome::showEvent(QShowEvent* event) {
  if (!placed_) {
    placed_ = true;
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
      info_window::centre_on(*this, screen->availableGeometry());
    }
  }
  QDialog::showEvent(event);
}

void frm_welcome::done(int result) {
  ctx_.state.welcome = Check1_->isChecked() ? 1 : 0;
  save_welcome(ctx_.state, ctx_.store);
  QDialog::done(result);
}
