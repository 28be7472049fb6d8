#include "export/progress_bar_accessible.h"

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QAccessibleWidget>

#include "export/progress_bar.h"

namespace {

class ProgressBarAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
 public:
  explicit ProgressBarAccessible(ProgressBar* bar)
      : QAccessibleWidget(bar, QAccessible::ProgressBar) {}

  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::ValueInterface) return static_cast<QAccessibleValueInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
  }
  QString text(QAccessible::Text type) const override {
    if (type == QAccessible::Name && !bar()->line().text.isEmpty()) return bar()->line().text;
    if (type == QAccessible::Value) return QString::number(bar()->percent()) + QLatin1String(" %");
    return QAccessibleWidget::text(type);
  }
  QVariant currentValue() const override { return bar()->percent(); }
  void setCurrentValue(const QVariant&) override {}  // only the export moves it
  QVariant maximumValue() const override { return 100; }
  QVariant minimumValue() const override { return 0; }
  QVariant minimumStepSize() const override { return 1; }

 private:
  ProgressBar* bar() const { return static_cast<ProgressBar*>(widget()); }
};

// The bar has no meta-object of its own: Qt asks for it as a QFrame.
QAccessibleInterface* progress_bar_factory(const QString& class_name, QObject* object) {
  if (class_name != QLatin1String("QFrame")) return nullptr;
  auto* bar = dynamic_cast<ProgressBar*>(object);
  return bar != nullptr ? new ProgressBarAccessible(bar) : nullptr;
}

}  // namespace

void install_progress_bar_accessible() {
  static const bool installed = [] {
    QAccessible::installFactory(progress_bar_factory);
    return true;
  }();
  (void)installed;
}

void tell_progress_changed(ProgressBar& bar) {
  if (!QAccessible::isActive()) return;
  QAccessibleValueChangeEvent value(&bar, bar.percent());
  QAccessible::updateAccessibility(&value);
  QAccessibleEvent name(&bar, QAccessible::NameChanged);
  QAccessible::updateAccessibility(&name);
}
