#include "qt_base/artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>

namespace {
const QColor kDiscBlue(28, 78, 160);
const QColor kDiscLight(110, 170, 240);
const QColor kNoteGold(255, 200, 40);

// An eighth note: stem from (x, top) down to a filled head.
void draw_note(QPainter& p, QRectF box, const QColor& colour) {
  const qreal w = box.width(), h = box.height();
  QPainterPath path;
  QRectF head(box.left() + w * 0.18, box.top() + h * 0.62, w * 0.36, h * 0.26);
  path.setFillRule(Qt::WindingFill);  // stem, head and flag make one solid note
  path.addEllipse(head);
  // The stem on whole pixels, so that it stays one sharp line in the smallest icons.
  const qreal stem_left = std::round(head.right() - w * 0.08);
  QRectF stem(stem_left, box.top() + h * 0.14, std::max<qreal>(1, std::round(w * 0.08)), h * 0.62);
  path.addRect(stem);
  QPainterPath flag;
  flag.moveTo(stem.right(), stem.top());
  flag.cubicTo(stem.right() + w * 0.28, stem.top() + h * 0.10, stem.right() + w * 0.22,
               stem.top() + h * 0.28, stem.right() + w * 0.10, stem.top() + h * 0.40);
  flag.lineTo(stem.right(), stem.top() + h * 0.22);
  flag.closeSubpath();
  path.addPath(flag);
  p.fillPath(path.simplified(), colour);
}
}  // namespace

QPixmap player_icon_pixmap(int size) {
  QPixmap pm(size, size);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  QRadialGradient g(size * 0.35, size * 0.3, size * 0.7);
  g.setColorAt(0, kDiscLight);
  g.setColorAt(1, kDiscBlue);
  p.setPen(QPen(QColor(10, 30, 70), size >= 32 ? 1.5 : 1.0));
  p.setBrush(g);
  p.drawEllipse(QRectF(0.5, 0.5, size - 1.0, size - 1.0));
  draw_note(p, QRectF(size * 0.12, size * 0.05, size * 0.8, size * 0.9), kNoteGold);
  return pm;
}

QIcon player_icon() {
  QIcon icon;
  for (int s : {16, 22, 24, 32, 48, 64}) icon.addPixmap(player_icon_pixmap(s));
  return icon;
}

QPixmap logo_pixmap() {
  QPixmap pm(135, 106);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient sky(0, 0, 0, 106);
  sky.setColorAt(0, QColor(20, 40, 90));
  sky.setColorAt(1, QColor(70, 120, 200));
  p.fillRect(pm.rect(), sky);
  p.drawPixmap(8, 10, player_icon_pixmap(64));
  // Sound waves leaving the disc.
  p.setPen(QPen(kNoteGold, 3, Qt::SolidLine, Qt::RoundCap));
  for (int i = 0; i < 3; ++i)
    p.drawArc(QRectF(56 + i * 12, 18 + i * 6, 30, 48 - i * 12), -60 * 16, 120 * 16);
  QFont f = p.font();
  f.setBold(true);
  f.setPixelSize(15);
  p.setFont(f);
  p.setPen(Qt::white);
  p.drawText(QRect(0, 78, 135, 24), Qt::AlignCenter, "Davrin Audio");
  return pm;
}

QPixmap button_picture(ButtonPicture kind) {
  const bool arrow = kind == ButtonPicture::ArrowUp || kind == ButtonPicture::ArrowDown;
  const int s = arrow ? 16 : 32;
  QPixmap pm(s, s);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  switch (kind) {
    case ButtonPicture::ArrowUp:
    case ButtonPicture::ArrowDown: {
      QPolygonF tri;
      if (kind == ButtonPicture::ArrowUp)
        tri << QPointF(8, 2) << QPointF(14, 12) << QPointF(2, 12);
      else
        tri << QPointF(2, 4) << QPointF(14, 4) << QPointF(8, 14);
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(30, 30, 30));
      p.drawPolygon(tri);
      break;
    }
    case ButtonPicture::AddAll:
    case ButtonPicture::AddSelected: {
      // Music files, several or one, with a green plus.
      const int sheets = kind == ButtonPicture::AddAll ? 3 : 1;
      for (int i = sheets - 1; i >= 0; --i) {
        QRectF r(3 + i * 3, 2 + i * 2, 17, 22);
        p.setPen(QColor(80, 80, 80));
        p.setBrush(i == 0 ? QColor(250, 250, 250) : QColor(215, 215, 215));
        p.drawRect(r);
      }
      draw_note(p, QRectF(4, 4, 14, 18), kDiscBlue);
      p.setPen(QPen(QColor(20, 150, 40), 4, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(24, 18), QPointF(24, 29));
      p.drawLine(QPointF(18.5, 23.5), QPointF(29.5, 23.5));
      break;
    }
    case ButtonPicture::Save: {
      // A disk with a label.
      p.setPen(QColor(20, 20, 60));
      p.setBrush(kDiscBlue);
      p.drawRoundedRect(QRectF(3, 3, 26, 26), 3, 3);
      p.setBrush(QColor(235, 235, 235));
      p.drawRect(QRectF(8, 3, 16, 10));
      p.setBrush(QColor(60, 60, 60));
      p.drawRect(QRectF(19, 5, 3, 6));
      p.setBrush(Qt::white);
      p.drawRect(QRectF(7, 17, 18, 11));
      break;
    }
    case ButtonPicture::Cancel: {
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(200, 30, 30));
      p.drawEllipse(QRectF(3, 3, 26, 26));
      p.setPen(QPen(Qt::white, 4, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(11, 11), QPointF(21, 21));
      p.drawLine(QPointF(21, 11), QPointF(11, 21));
      break;
    }
  }
  return pm;
}
