#include "info/info_window.h"

#include <QAbstractButton>
#include <QFont>
#include <QFrame>
#include <QList>
#include <QPushButton>
#include <algorithm>

#include "qt_base/twips.h"

namespace info_window {

void set_up_dialog(QDialog& dialog, const QString& title, int width_twips, int height_twips) {
  dialog.setWindowTitle(title);
  dialog.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                        Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
  dialog.setFixedSize(twips(width_twips), twips(height_twips));
  QFont font = dialog.font();
  font.setPixelSize(kTextPixels);
  dialog.setFont(font);
}

QLabel* add_label(QDialog& dialog, const char* name, const QString& text, int left, int top,
                  int width, int height, bool bold, int pixels) {
  auto* label = new QLabel(&dialog);
  label->setObjectName(QString::fromLatin1(name));
  label->setTextFormat(Qt::PlainText);
  label->setText(text);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label->setWordWrap(height > 300);
  QFont font = dialog.font();
  font.setPixelSize(pixels);
  font.setBold(bold);
  label->setFont(font);
  label->setGeometry(twips_rect(left, top, width, height));
  return label;
}

QLabel* add_picture(QDialog& dialog, const char* name, const QPixmap& picture, int left, int top,
                    int width, int height, bool sunken) {
  auto* box = new QLabel(&dialog);
  box->setObjectName(QString::fromLatin1(name));
  if (sunken) box->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
  box->setAlignment(Qt::AlignCenter);
  box->setPixmap(picture);
  box->setGeometry(twips_rect(left, top, width, height));
  return box;
}

bool text_fits(const QWidget& control) {
  if (auto* label = qobject_cast<const QLabel*>(&control); label && label->wordWrap()) {
    return label->heightForWidth(label->width()) <= label->height();
  }
  // A push button's size hint has a minimum width of its own; measure its caption.
  if (auto* button = qobject_cast<const QPushButton*>(&control)) {
    QString caption = button->text();
    caption.remove('&');
    return button->fontMetrics().horizontalAdvance(caption) + 12 <= button->width();
  }
  return control.sizeHint().width() <= control.width();
}

namespace {
// An unset stretch is the normal width.
int stretch_of(const QFont& font) {
  return font.stretch() == QFont::AnyStretch ? QFont::Unstretched : font.stretch();
}
}  // namespace

void fit_texts(QDialog& dialog, int smallest_pixels) {
  QList<QWidget*> controls;
  for (QLabel* label : dialog.findChildren<QLabel*>()) {
    if (!label->text().isEmpty()) controls.append(label);
  }
  for (QAbstractButton* button : dialog.findChildren<QAbstractButton*>()) controls.append(button);

  // Texts of one kind (same class and font) keep one look: each gets the
  // narrowest font any of them needed.
  struct Kind {
    QString key;
    QFont narrowest;
    QList<QWidget*> members;
  };
  QList<Kind> kinds;
  for (QWidget* control : controls) {
    const bool wraps = qobject_cast<QLabel*>(control) && static_cast<QLabel*>(control)->wordWrap();
    const QString key = QString::fromLatin1(control->metaObject()->className()) +
                        (wraps ? "/wrap/" : "/line/") + control->font().toString();
    QFont font = control->font();
    if (!text_fits(*control)) {
      font.setStretch(QFont::Condensed);
      control->setFont(font);
      while (!text_fits(*control) && font.pixelSize() > smallest_pixels) {
        font.setPixelSize(font.pixelSize() - 1);
        control->setFont(font);
      }
    }
    auto kind =
        std::find_if(kinds.begin(), kinds.end(), [&](const Kind& k) { return k.key == key; });
    if (kind == kinds.end()) {
      kinds.append({key, font, {control}});
      continue;
    }
    kind->members.append(control);
    if (font.pixelSize() < kind->narrowest.pixelSize() ||
        (font.pixelSize() == kind->narrowest.pixelSize() &&
         stretch_of(font) < stretch_of(kind->narrowest))) {
      kind->narrowest = font;
    }
  }
  for (const Kind& kind : kinds) {
    for (QWidget* control : kind.members) control->setFont(kind.narrowest);
  }
}

void centre_on(QDialog& dialog, const QRect& area) {
  QRect frame = dialog.frameGeometry();
  frame.moveCenter(area.center());
  dialog.move(frame.topLeft());
}

}  // namespace info_window
