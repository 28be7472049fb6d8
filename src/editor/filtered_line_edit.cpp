#include "editor/filtered_line_edit.h"

#include <QKeyEvent>
#include <QValidator>
#include <algorithm>

#include "editor/key_filters.h"

namespace {
constexpr int kNoCharacter = -1;
constexpr int kEnterCode = 13;
constexpr int kDeleteCode = 127;

// Drops the refused characters from every change before the box takes it.
class CharacterFilter : public QValidator {
 public:
  explicit CharacterFilter(const FilteredLineEdit* box) : QValidator(nullptr), box_(box) {}
  State validate(QString& input, int& pos) const override {
    box_->filter_change(input, pos);
    return Acceptable;
  }

 private:
  const FilteredLineEdit* box_;
};

}  // namespace

FilteredLineEdit::FilteredLineEdit(KeyFilter key_filter, QWidget* parent)
    : QLineEdit(parent), key_filter_(std::move(key_filter)) {
  auto* filter = new CharacterFilter(this);
  filter->setParent(this);
  setValidator(filter);
  // textEdited comes before textChanged: shown_text_ still holds the text
  // before the edit. Typed keys are announced on their own.
  connect(this, &QLineEdit::textEdited, this, [this] {
    if (!typing_ && text() != shown_text_) emit edited_by_user();
  });
  connect(this, &QLineEdit::textChanged, this, [this] { shown_text_ = text(); });
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

void FilteredLineEdit::set_stored_text(const QString& text) {
  const QValidator* filter = validator();
  setValidator(nullptr);
  setText(text);
  setValidator(filter);
}

void FilteredLineEdit::filter_change(QString& input, int& pos) const {
  // Only what the change brings in is filtered: the part before and after it
  // is the text the box held already (a stored title keeps its characters).
  const QString& before = shown_text_;
  const qsizetype limit = std::min(before.size(), input.size());
  qsizetype head = 0;
  while (head < limit && before[head] == input[head]) ++head;
  qsizetype tail = 0;
  while (head + tail < limit && before[before.size() - 1 - tail] == input[input.size() - 1 - tail])
    ++tail;
  const qsizetype middle_end = input.size() - tail;
  const QString middle = input.mid(head, middle_end - head);
  const QString kept = filtered(middle);
  if (kept == middle) return;
  if (pos > head) {
    pos = pos >= middle_end ? pos - static_cast<int>(middle.size() - kept.size())
                            : static_cast<int>(head + filtered(input.mid(head, pos - head)).size());
  }
  input = input.left(head) + kept + input.right(tail);
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
