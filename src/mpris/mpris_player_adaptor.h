#pragma once
// org.mpris.MediaPlayer2.Player: the transport buttons, the place in the
// track, the loudness and what plays.
#include <QDBusAbstractAdaptor>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QVariantMap>

class MprisService;

class MprisPlayerAdaptor : public QDBusAbstractAdaptor {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2.Player")
  Q_PROPERTY(QString PlaybackStatus READ playback_status)
  Q_PROPERTY(QString LoopStatus READ loop_status WRITE set_loop_status)
  Q_PROPERTY(double Rate READ rate WRITE set_rate)
  Q_PROPERTY(bool Shuffle READ shuffle WRITE set_shuffle)
  Q_PROPERTY(QVariantMap Metadata READ metadata)
  Q_PROPERTY(double Volume READ volume WRITE set_volume)
  Q_PROPERTY(qlonglong Position READ position)
  Q_PROPERTY(double MinimumRate READ rate)
  Q_PROPERTY(double MaximumRate READ rate)
  Q_PROPERTY(bool CanGoNext READ can_control)
  Q_PROPERTY(bool CanGoPrevious READ can_control)
  Q_PROPERTY(bool CanPlay READ can_control)
  Q_PROPERTY(bool CanPause READ can_control)
  Q_PROPERTY(bool CanSeek READ can_seek)
  Q_PROPERTY(bool CanControl READ can_control)

 public:
  explicit MprisPlayerAdaptor(MprisService& service);

  QString playback_status() const;
  QString loop_status() const;
  void set_loop_status(const QString& status);
  bool shuffle() const;
  void set_shuffle(bool on);
  QVariantMap metadata() const;
  qlonglong position() const;
  // One speed: writes change nothing.
  double rate() const { return 1.0; }
  void set_rate(double) {}
  double volume() const;
  void set_volume(double volume);
  bool can_control() const { return true; }
  bool can_seek() const;

 public slots:
  void Next();
  void Previous();
  void Pause();
  void PlayPause();
  void Stop();
  void Play();
  void Seek(qlonglong Offset);
  void SetPosition(const QDBusObjectPath& TrackId, qlonglong Position);
  void OpenUri(const QString& Uri, const QDBusMessage& message);

 signals:
  void Seeked(qlonglong Position);

 private:
  MprisService& service_;
};
