#pragma once
// A text box that lets through only the typed characters its key filter
// accepts (title_key_filter, link_key_filter). Text that arrives another way
// (paste from the context menu, Shift+Insert, drag and drop, or put in by
// the program) loses the refused characters, so nobody can put one in; only
// a stored text shown with set_stored_text keeps its own. Keys that type no
// character (arrows, Delete, Home, End) work as usual.
#include <QLineEdit>
#include <functional>

class FilteredLineEdit : public QLineEdit {
  Q_OBJECT
 public:
  using KeyFilter = std::function<bool(int code)>;
  explicit FilteredLineEdit(KeyFilter key_filter, QWidget* parent = nullptr);

  // The code a key press types, as the filters see it: 8 for Backspace, 13
  // for Enter, 1 to 26 for Ctrl+A to Ctrl+Z; -1 for a key that types nothing.
  static int typed_code(const QKeyEvent& event);
  // The text without the characters the filter refuses.
  QString filtered(const QString& text) const;
  // Shows a saved text (a play-list name, a stored web link) exactly as
  // stored; later changes are filtered, the stored characters stay.
  void set_stored_text(const QString& text);
  // Filters the part of input that differs from the text shown now.
  void filter_change(QString& input, int& pos) const;

 signals:
  void typed_key_accepted();  // a typed key passed the filter (Backspace included)
  void edited_by_user();      // a paste, drop or cut changed the text

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  KeyFilter key_filter_;
  QString shown_text_;  // the text before the change being handled
  bool typing_ = false;
};
