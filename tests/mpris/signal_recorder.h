#pragma once
// Keeps every PropertiesChanged and Seeked signal a client receives.
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
  std::vector<qlonglong> seeks;

 public slots:
  void on_signal(const QDBusMessage& m) {
    const auto args = m.arguments();
    if (args.size() == 3) changes.push_back({args[0].toString(), qdbus_cast<QVariantMap>(args[1])});
  }
  void on_seeked(qlonglong position) { seeks.push_back(position); }
};
