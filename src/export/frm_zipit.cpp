#include "export/frm_zipit.h"

#include <QCloseEvent>
#include <QEvent>
#include <QIcon>
#include <QMetaObject>
#include <QPixmap>

#include "qt_base/twips.h"

frm_zipit::frm_zipit(AppContext& ctx, QWidget* parent)
    : QDialog(parent), ctx_(ctx), picProgress(new ProgressBar(ctx.ui, this)) {
  setObjectName("frm_zipit");
  setWindowTitle("Creating Zip File...");
  setFixedSize(twips(7380), twips(780));
  // The window shows no icon of its own.
  QPixmap blank(16, 16);
  blank.fill(Qt::transparent);
  setWindowIcon(QIcon(blank));
  picProgress->setGeometry(twips_rect(225, 270, 6945, 270));
}

void frm_zipit::UpdateProgress(int16_t iPercent, std::string text) {
  progress_draw(*picProgress, iPercent, std::move(text));
}

void frm_zipit::draw_progress(int16_t percent, const std::string& text) {
  UpdateProgress(percent, text);
}

void frm_zipit::zip_it() {
  running_ = true;
  ::zip_it(ctx_.state, ctx_.ui, ctx_.zip, *this);
  running_ = false;
  progress_hide(*picProgress);
  done(QDialog::Accepted);
}

bool frm_zipit::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate) queue_start();
  return QDialog::event(event);
}

void frm_zipit::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // Some platforms never activate a window: the first show starts the job too.
  queue_start();
}

void frm_zipit::queue_start() {
  if (started_) return;
  // Queued, so that the job runs inside the window's own modal loop.
  QMetaObject::invokeMethod(this, &frm_zipit::start_job, Qt::QueuedConnection);
}

void frm_zipit::start_job() {
  if (started_) return;
  started_ = 1;
  running_ = true;
  progress_reset(*picProgress);
  UpdateProgress(1, "");
  zip_it();
}

void frm_zipit::closeEvent(QCloseEvent* event) {
  // The job closes the window itself when it is done.
  if (running_) {
    event->ignore();
    return;
  }
  QDialog::closeEvent(event);
}

void frm_zipit::reject() {
  if (running_) return;
  QDialog::reject();
}
