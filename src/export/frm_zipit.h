#pragma once
// "Creating Zip File...": packs the play list current_list_name into
// picked_folder + current_list_name + ".zip" with a progress bar, once, when
// the window first comes up, then closes itself.
#include <QDialog>
#include <cstdint>
#include <string>

#include "export/export_job.h"
#include "export/progress_bar.h"
#include "ground/app_context.h"

class frm_zipit : public QDialog, private ProgressView {
 public:
  explicit frm_zipit(AppContext& ctx, QWidget* parent = nullptr);

  // Draws the bar: the percentage and one line of text.
  void UpdateProgress(int16_t iPercent, std::string text);
  // The whole job, the outcome box, then the window closes.
  void zip_it();

  ProgressBar* progress_bar() const { return picProgress; }
  bool job_started() const { return started_ != 0; }

 protected:
  bool event(QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void reject() override;

 private:
  void draw_progress(int16_t percent, const std::string& text) override;
  void queue_start();
  void start_job();

  AppContext& ctx_;
  ProgressBar* picProgress;
  int32_t started_ = 0;
  bool running_ = false;
};
