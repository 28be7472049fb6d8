#pragma once
// The About window: the version, what the program does, and a button to our
// page for it.
#include <QDialog>
#include <string>

#include "ground/app_context.h"

class QPushButton;

class frm_about : public QDialog {
  Q_OBJECT

 public:
  explicit frm_about(AppContext& ctx, QWidget* parent = nullptr);

  // Opens any target with the desktop; on refusal the browser message.
  void shell_command(const std::string& target);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  AppContext& ctx_;
  bool placed_ = false;
  QPushButton* Command2_;  // "Davrin Audio Player &Web Site"
  QPushButton* Command1_;  // "&Ok"
};

// "Version: major.minor.revision" of this build.
std::string about_version_text();
