#include "qt_base/qt_ui_services.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>

namespace {
// Boxes belong to the window the user works in, so they stay on top of it.
QWidget* box_parent() {
  return QApplication::activeModalWidget();
}
}  // namespace

QString box_text(const std::string& text) {
  QString s = QString::fromStdString(text);
  s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return s;
}

void QtUiServices::yield() {
  QCoreApplication::processEvents();
}

MsgAnswer QtUiServices::message_box(const MessageBoxRequest& request) {
  const QString title =
      QString::fromStdString(request.title.empty() ? std::string(kAppTitle) : request.title);
  QMessageBox box(request.icon == MsgIcon::Critical ? QMessageBox::Critical : QMessageBox::NoIcon,
                  title, box_text(request.text), QMessageBox::NoButton, box_parent());
  if (request.buttons == MsgButtons::Ok) {
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return MsgAnswer::Ok;
  }
  box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
  box.setDefaultButton(request.default_button == MsgDefault::Second ? QMessageBox::No
                                                                    : QMessageBox::Yes);
  box.setEscapeButton(QMessageBox::No);
  return box.exec() == QMessageBox::Yes ? MsgAnswer::Yes : MsgAnswer::No;
}

std::string QtUiServices::input_box(const std::string& prompt, const std::string& title,
                                    const std::string& default_text) {
  bool ok = false;
  QString answer = QInputDialog::getText(box_parent(), QString::fromStdString(title),
                                         QString::fromStdString(prompt), QLineEdit::Normal,
                                         QString::fromStdString(default_text), &ok);
  return ok ? answer.toStdString() : std::string();
}
