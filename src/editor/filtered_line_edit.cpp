#include "editor/filtered_line_edit.h"

#include <QKeyEvent>

#include "editor/key_filters.h"

namespace {
constexpr int kNoCharacter = -1;
constexpr int kEnterCode = 13;
constexpr int kDeleteCode = 127;
}  // namespace

FilteredLineEdit::FilteredLineEdit(KeyFilter key_filter, QWidget* parent)
    : QLineEdit(parent), key_filter_(std::move(key_filter)) {
  // textEdited comes before textChanged, so last_text_ still holds the text
  // before the user's edit when it is filtered.
  connect(this, &QLineEdit::textEdited, this, &FilteredLineEdit::filter_user_edit);
  connect(this, &QLineEdit::textChanged, this, [this](const QString& text) { last_text_ = text; });
}

int FilteredLineEdit::typed_code(const QKeyEvent& event) {
  switch (event.key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Delete:
    case Qt::Key_Insert:
    case Qt::Key_Escape:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      return kNoCharacter;
    case Qt::Key_Backspace:
      return event.modifiers() & Qt::ControlModifier ? kDeleteCode : kBackspaceCode;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return kEnterCode;
    default:
      break;
  }
  const Qt::KeyboardModifiers mods = event.modifiers();
  if ((mods & Qt::ControlModifier) && !(mods & Qt::AltModifier)) {
    // Ctrl with a letter types a control character, which no filter accepts.
    if (event.key() >= Qt::Key_A && event.key() <= Qt::Key_Z) return event.key() - Qt::Key_A + 1;
    const QString text = event.text();
    return text.isEmpty() ? 0 : text.at(0).unicode();
  }
  const QString text = event.text();
  if (text.isEmpty()) return kNoCharacter;
  return text.at(0).unicode();
}

QString FilteredLineEdit::filtered(const QString& text) const {
  QString kept;
  kept.reserve(text.size());
  for (const QChar c : text) {
    if (c.unicode() != kBackspaceCode && key_filter_(c.unicode())) kept.append(c);
  }
  return kept;
}

void FilteredLineEdit::keyPressEvent(QKeyEvent* event) {
  const int code = typed_code(*event);
  if (code == kNoCharacter) {
    QLineEdit::keyPressEvent(event);
    return;
  }
  const QString text = event->text();
  bool accepted = key_filter_(code);
  // A key that types several characters at once passes only when all do.
  if (accepted && code != kBackspaceCode && text.size() > 1) accepted = filtered(text) == text;
  if (!accepted) {
    event->accept();  // dropped silently: nothing reaches the box or the window
    return;
  }
  typing_ = true;
  QLineEdit::keyPressEvent(event);
  typing_ = false;
  event->accept();
  emit typed_key_accepted();
}

void FilteredLineEdit::filter_user_edit(const QString& text) {
  if (typing_) return;  // typed keys were filtered already
  const QString before = last_text_;
  const QString kept = filtered(text);
  if (kept != text) {
    // Keep the cursor after the same accepted characters as before.
    const int cursor = filtered(text.left(cursorPosition())).size();
    setText(kept);
    setCursorPosition(cursor);
  }
  if (kept != before) emit edited_by_user();
}
