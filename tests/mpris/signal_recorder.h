#pragma once
// Keeps every PropertiesChanged signal a client receives.
#include <QDBusArgument>
#include <QDBusMessage>
#include <QObject>
#include <QVariantMap>
#include <vector>

class SignalRecorder : public QObject {
  Q_OBJECT

 public:
  struct Change {
    QString interface;
    QVariantMap changed;
  };
  std::vector<Change> changes;

 public slots:
  void on_signal(const QDBusMessage& m) {
    const auto args = m.arguments();
    if (args.size() == 3) changes.push_back({args[0].toString(), qdbus_cast<QVariantMap>(args[1])});
  }
};
