#pragma once
// The welcome window shown at start while the welcome switch is on. Its check
// box decides whether it comes back; closing it by any means stores the choice.
#include <QDialog>

#include "ground/app_context.h"

class QCheckBox;
class QPushButton;

class frm_welcome : public QDialog {
  Q_OBJECT

 public:
  explicit frm_welcome(AppContext& ctx, QWidget* parent = nullptr);

  // Continue, the close box and Escape all end here.
  void done(int result) override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  AppContext& ctx_;
  bool placed_ = false;
  QCheckBox* Check1_;      // "Display This Screen At Program Start Up"
  QPushButton* Command1_;  // "&Continue..."
};
