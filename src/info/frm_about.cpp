#include "info/frm_about.h"

#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>

#include "info/info_window.h"
#include "info/launches.h"
#include "qt_base/artwork.h"
#include "qt_base/twips.h"
#include "version.h"

using info_window::add_label;

std::string about_version_text() {
  return "Version: " + std::to_string(kVersionMajor) + "." + std::to_string(kVersionMinor) + "." +
         std::to_string(kVersionRevision);
}

frm_about::frm_about(AppContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx) {
  setObjectName("frm_about");
  info_window::set_up_dialog(*this, "About...", 4980, 5235);

  info_window::add_picture(*this, "Picture1", logo_pixmap(), 90, 90, 2085, 1650, true);

  add_label(*this, "Label3", QString::fromStdString(about_version_text()), 2250, 90, 1950, 240,
            true, info_window::kLargePixels);
  add_label(*this, "Label1",
            "Plays your music lists\n"
            "from the system tray.",
            2250, 405, 2400, 420);

  add_label(*this, "Label2_3", "Welcome To Davrin Audio Player!", 90, 2295, 3615, 195, true);
  add_label(
      *this, "Label4_4",
      "Davrin Audio Player is a system tray utility that allows you to organize your favorite "
      "music files (mp3, wav, mid, rmi) into multiple play lists and then play them back in the "
      "background while you are doing other tasks! You can create an unlimited number of play "
      "lists. Plus you can at anytime you can repeat a track, select the next or previous track, "
      "or even select a random track!",
      90, 2565, 4785, 1230);
  add_label(*this, "Label2_0", "Send Your Favorite Play Lists To A Friend!", 90, 3825, 3705, 195,
            true);
  add_label(
      *this, "Label4_0",
      "Davrin Audio Player has a built in .ZIP tool that allows you to turn your favorite play "
      "lists into a .ZIP file that you can then send to a friend via your email service!",
      90, 4095, 4785, 690);

  Command2_ = new QPushButton(QString::fromUtf8(kAppTitle) + " &Web Site", this);
  Command2_->setObjectName("Command2");
  Command2_->setGeometry(twips_rect(90, 4770, 3390, 375));
  Command2_->setToolTip(" Click here to visit the home page for this program! ");
  connect(Command2_, &QPushButton::clicked, this,
          [this] { launch_product_home(ctx_.launcher, ctx_.ui); });

  Command1_ = new QPushButton("&Ok", this);
  Command1_->setObjectName("Command1");
  Command1_->setGeometry(twips_rect(3960, 4770, 915, 375));
  Command1_->setDefault(true);
  connect(Command1_, &QPushButton::clicked, this, &QDialog::accept);

  setTabOrder(Command2_, Command1_);
  Command1_->setFocus();
  info_window::fit_texts(*this);
}

void frm_about::showEvent(QShowEvent* event) {
  if (!placed_) {
    placed_ = true;
    // The settings window opens it; a hidden owner gives no place to centre on.
    QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr;
    QRect area;
    if (owner && owner->isVisible()) {
      area = owner->frameGeometry();
    } else if (QScreen* screen = QGuiApplication::primaryScreen()) {
      area = screen->availableGeometry();
    }
    if (area.isValid()) info_window::centre_on(*this, area);
  }
  QDialog::showEvent(event);
}

void frm_about::shell_command(const std::string& target) {
  ::shell_command(ctx_.launcher, ctx_.ui, target);
}
