#pragma once
// What a keyboard user meets in a window: the controls that Tab (or
// Shift+Tab) reaches one after the other, by object name, pressed as real keys.
#include <QApplication>
#include <QTest>
#include <QWidget>
#include <string>
#include <vector>

// Starts at first and presses the key until the focus comes back to it (or
// after a full round of 40 stops); the names start with first's own.
inline std::vector<std::string> tab_stops(QWidget& window, QWidget* first, bool backward = false) {
  window.show();
  window.activateWindow();
  QApplication::setActiveWindow(&window);
  first->setFocus(Qt::TabFocusReason);
  std::vector<std::string> names{first->objectName().toStdString()};
  for (int i = 0; i < 40; ++i) {
    QWidget* at = QApplication::focusWidget();
    if (at == nullptr) break;
    QTest::keyClick(at, Qt::Key_Tab, backward ? Qt::ShiftModifier : Qt::NoModifier);
    at = QApplication::focusWidget();
    if (at == nullptr || at == first) break;
    names.push_back(at->objectName().toStdString());
  }
  return names;
}
