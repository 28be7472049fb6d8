#include "qt_base/return_clicks.h"

#include <QAbstractButton>
#include <QEvent>
#include <QKeyEvent>

namespace {

class ReturnClicks : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) ||
        (key->modifiers() & ~Qt::KeypadModifier) != 0) {
      return false;
    }
    auto* button = static_cast<QAbstractButton*>(watched);
    if (button->isEnabled()) button->click();
    return true;
  }
};

}  // namespace

void click_on_return(QAbstractButton* button) {
  // One filter a button, owned by it.
  button->installEventFilter(new ReturnClicks(button));
}
