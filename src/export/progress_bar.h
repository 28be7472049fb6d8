#pragma once
// The export window's progress bar: picProgress with the filled part
// picProgressSlide inside it. The same text is printed at the same place in
// both, so it reads in the selection colours over the filled part and in the
// bar's own colours elsewhere.
#include <QFrame>
#include <QPoint>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <string>

#include "ground/ui_services.h"

// One line printed on a picture, kept so that repaints show it again.
struct PrintedLine {
  QString text;
  QPoint at;  // top-left of the text cell, in the picture's inner coordinates
};

// picProgressSlide: selection colours, no border.
class ProgressSlide : public QWidget {
 public:
  explicit ProgressSlide(QWidget* parent);
  void clear_text();
  void print_text(QPoint at, const QString& text);
  const PrintedLine& line() const { return line_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  PrintedLine line_;
};

// picProgress: control face and text colours, sunken border.
class ProgressBar : public QFrame {
 public:
  ProgressBar(UiServices& ui, QWidget* parent);
  ProgressSlide* slide() const { return slide_; }
  // The inner area that the slide and the text use.
  int scale_width() const { return contentsRect().width(); }
  int scale_height() const { return contentsRect().height(); }
  void clear_text();
  void print_text(QPoint at, const QString& text);
  const PrintedLine& line() const { return line_; }
  UiServices& ui() const { return ui_; }
  int percent() const { return percent_; }  // drawn last
  void set_percent(int percent) { percent_ = percent; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  UiServices& ui_;
  ProgressSlide* slide_;
  PrintedLine line_;
  int percent_ = 0;
};

// Left margin of the text in both pictures.
inline constexpr int kProgressTextLeft = 3;

// Draws iPercent (held to 0..100) and text on the bar, then yields.
void progress_draw(ProgressBar& bar, int16_t iPercent, std::string text);
// Slide to the left edge at full inner height, bar visible, then yields.
void progress_reset(ProgressBar& bar);
// Bar invisible, then yields.
void progress_hide(ProgressBar& bar);
