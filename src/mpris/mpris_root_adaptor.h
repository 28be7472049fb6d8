#pragma once
// org.mpris.MediaPlayer2: who the player is, and Raise and Quit.
#include <QDBusAbstractAdaptor>
#include <QStringList>

class MenuCommands;

class MprisRootAdaptor : public QDBusAbstractAdaptor {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2")
  Q_PROPERTY(bool CanQuit READ can_quit)
  Q_PROPERTY(bool CanRaise READ can_raise)
  Q_PROPERTY(bool HasTrackList READ has_track_list)
  Q_PROPERTY(QString Identity READ identity)
  Q_PROPERTY(QString DesktopEntry READ desktop_entry)
  Q_PROPERTY(QStringList SupportedUriSchemes READ supported_uri_schemes)
  Q_PROPERTY(QStringList SupportedMimeTypes READ supported_mime_types)

 public:
  MprisRootAdaptor(QObject* owner, MenuCommands& commands);

  bool can_quit() const { return true; }
  bool can_raise() const { return true; }
  bool has_track_list() const { return false; }
  QString identity() const { return QStringLiteral("Davrin Audio Player"); }
  QString desktop_entry() const { return QStringLiteral("davrin-audio-player"); }
  QStringList supported_uri_schemes() const { return {QStringLiteral("file")}; }
  QStringList supported_mime_types() const;

 public slots:
  void Raise();
  void Quit();

 private:
  MenuCommands& commands_;
};
