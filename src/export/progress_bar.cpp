#include "export/progress_bar.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "export/progress_bar_accessible.h"

namespace {

void paint_line(QPainter& p, const QPoint& origin, const PrintedLine& line, const QColor& colour) {
  if (line.text.isEmpty()) return;
  p.setPen(colour);
  QFontMetrics metrics(p.font());
  p.drawText(origin + line.at + QPoint(0, metrics.ascent()), line.text);
}

}  // namespace

ProgressSlide::ProgressSlide(QWidget* parent) : QWidget(parent) {
  setObjectName("picProgressSlide");
}

void ProgressSlide::clear_text() {
  line_ = {};
  update();
}

void ProgressSlide::print_text(QPoint at, const QString& text) {
  line_ = {text, at};
  update();
}

void ProgressSlide::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setFont(font());
  p.fillRect(rect(), palette().color(QPalette::Highlight));
  paint_line(p, QPoint(0, 0), line_, palette().color(QPalette::HighlightedText));
}

ProgressBar::ProgressBar(UiServices& ui, QWidget* parent)
    : QFrame(parent), ui_(ui), slide_(new ProgressSlide(this)) {
  setObjectName("picProgress");
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  setLineWidth(1);
  slide_->setGeometry(contentsRect().left(), contentsRect().top(), 0, scale_height());
  install_progress_bar_accessible();
}

void ProgressBar::clear_text() {
  line_ = {};
  update();
}

void ProgressBar::print_text(QPoint at, const QString& text) {
  line_ = {text, at};
  update();
}

void ProgressBar::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setFont(font());
  p.fillRect(contentsRect(), palette().color(QPalette::Button));
  p.setClipRect(contentsRect());
  paint_line(p, contentsRect().topLeft(), line_, palette().color(QPalette::ButtonText));
  p.setClipping(false);
  drawFrame(&p);
}

void ProgressBar::resizeEvent(QResizeEvent* event) {
  QFrame::resizeEvent(event);
  // The slide's origin is the bar's inner top-left corner.
  slide_->move(contentsRect().topLeft());
}

void progress_draw(ProgressBar& bar, int16_t iPercent, std::string text) {
  ProgressSlide& slide = *bar.slide();
  bar.clear_text();
  slide.clear_text();

  // Callers stay within 0..100; anything else is held to the bar's edges.
  const int16_t percent = std::clamp<int16_t>(iPercent, 0, 100);
  const float width = static_cast<float>(percent) / 100.0f * static_cast<float>(bar.scale_width());
  slide.setGeometry(bar.contentsRect().left(), bar.contentsRect().top(),
                    static_cast<int>(std::lround(width)), slide.height());

  const QString line = QString::fromStdString(text);
  const int text_height = QFontMetrics(bar.font()).height();
  // Halves go to the even neighbour, as the default rounding mode does.
  const float centre = static_cast<float>(bar.scale_height() - text_height) / 2.0f;
  const QPoint at(kProgressTextLeft, static_cast<int>(std::nearbyint(centre)));
  bar.print_text(at, line);
  slide.print_text(at, line);
  bar.set_percent(percent);
  tell_progress_changed(bar);

  bar.setVisible(true);
  bar.ui().yield();
}

void progress_reset(ProgressBar& bar) {
  ProgressSlide& slide = *bar.slide();
  slide.setGeometry(bar.contentsRect().left(), bar.contentsRect().top(), slide.width(),
                    bar.scale_height());
  bar.setVisible(true);
  bar.ui().yield();
}

void progress_hide(ProgressBar& bar) {
  bar.setVisible(false);
  bar.ui().yield();
}
