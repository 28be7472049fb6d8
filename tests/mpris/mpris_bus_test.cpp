// The media-player service on a private session bus, called as a desktop's
// media controls call it: from another connection.
#include <gtest/gtest.h>

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusObjectPath>
#include <QDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <thread>

#include "mpris_rig.h"
#include "settings/frm_settings.h"
#include "shell/single_instance.h"
#include "signal_recorder.h"

namespace {

const QString kProps = QStringLiteral("org.freedesktop.DBus.Properties");
const QString kRoot = QString::fromLatin1(kMprisRootInterface);
const QString kPlayer = QString::fromLatin1(kMprisPlayerInterface);

QVariantMap as_map(const QVariant& v) {
  return v.canConvert<QDBusArgument>() ? qdbus_cast<QVariantMap>(v) : v.toMap();
}

struct Mpris : ::testing::Test, MprisRig {
  QDBusConnection client = QDBusConnection::connectToBus(QDBusConnection::SessionBus, "client");

  void SetUp() override { ASSERT_TRUE(start()) << "no private session bus"; }
  void TearDown() override { QDBusConnection::disconnectFromBus("client"); }

  QDBusMessage call(const QString& iface, const QString& method, const QVariantList& args = {}) {
    QDBusMessage m = QDBusMessage::createMethodCall(
        QString::fromLatin1(kMprisBusName), QString::fromLatin1(kMprisObjectPath), iface, method);
    m.setArguments(args);
    // The service answers on this same thread: keep its events running.
    return client.call(m, QDBus::BlockWithGui, 2000);
  }
  void press(const char* method, const QVariantList& args = {}) {
    EXPECT_EQ(call(kPlayer, method, args).type(), QDBusMessage::ReplyMessage) << method;
  }
  QVariant get(const QString& iface, const char* name) {
    const QDBusMessage r = call(kProps, "Get", {iface, QString::fromLatin1(name)});
    EXPECT_EQ(r.type(), QDBusMessage::ReplyMessage) << name << r.errorMessage().toStdString();
    return r.arguments().value(0).value<QDBusVariant>().variant();
  }
  QVariantMap get_all(const QString& iface) {
    return as_map(call(kProps, "GetAll", {iface}).arguments().value(0));
  }
  void set(const char* name, const QVariant& value) {
    const QDBusMessage r =
        call(kProps, "Set",
             {kPlayer, QString::fromLatin1(name), QVariant::fromValue(QDBusVariant(value))});
    EXPECT_EQ(r.type(), QDBusMessage::ReplyMessage) << name << r.errorMessage().toStdString();
  }
  QVariantMap metadata() { return as_map(get(kPlayer, "Metadata")); }
  void settle() { QTest::qWait(50); }  // deferred commands and signals in flight
};

}  // namespace

TEST_F(Mpris, AnswersEveryPropertyOfBothInterfaces) {
  const QVariantMap root = get_all(kRoot);
  EXPECT_EQ(root.value("Identity").toString(), "Davrin Audio Player");
  EXPECT_EQ(root.value("DesktopEntry").toString(), "davrin-audio-player");
  EXPECT_TRUE(root.value("CanQuit").toBool());
  EXPECT_TRUE(root.value("CanRaise").toBool());
  EXPECT_FALSE(root.value("HasTrackList").toBool());
  EXPECT_EQ(qdbus_cast<QStringList>(root.value("SupportedUriSchemes")), QStringList{"file"});
  const QStringList types = qdbus_cast<QStringList>(root.value("SupportedMimeTypes"));
  for (const char* t :
       {"audio/mpeg", "audio/x-wav", "audio/midi", "audio/flac", "audio/ogg", "audio/x-opus+ogg"}) {
    EXPECT_TRUE(types.contains(QString::fromLatin1(t))) << t;
  }

  player.position = 1500000;
  const QVariantMap p = get_all(kPlayer);
  EXPECT_EQ(p.value("PlaybackStatus").toString(), "Playing");
  EXPECT_EQ(p.value("LoopStatus").toString(), "Playlist");
  EXPECT_FALSE(p.value("Shuffle").toBool());
  EXPECT_EQ(p.value("Position").typeId(), QMetaType::LongLong);
  EXPECT_EQ(p.value("Position").toLongLong(), 1500000);
  for (const char* one : {"Rate", "MinimumRate", "MaximumRate", "Volume"}) {
    EXPECT_EQ(p.value(one).toDouble(), 1.0) << one;
  }
  for (const char* yes : {"CanGoNext", "CanGoPrevious", "CanPlay", "CanPause", "CanControl"}) {
    EXPECT_TRUE(p.value(yes).toBool()) << yes;
  }
  EXPECT_TRUE(p.value("CanSeek").toBool()) << "a track plays";
  EXPECT_TRUE(p.contains("Metadata"));
  set("Volume", 0.2);  // the music's own loudness, kept for the options
  EXPECT_EQ(get(kPlayer, "Volume").toDouble(), 0.2);
  EXPECT_EQ(player.loudness, 0.2);
  EXPECT_EQ(state.volume, 0.2);
  set("Volume", 7.0);
  EXPECT_EQ(get(kPlayer, "Volume").toDouble(), 1.0) << "held within 0 .. 1";
}

TEST_F(Mpris, MethodsDoWhatTheMenuEntriesDo) {
  // Serviced at once, once each; the rig's Timer1 does not run.
  press("Next");
  EXPECT_TRUE(QTest::qWaitFor([&] { return state.current_track == 2; }, 2000));
  press("Previous");
  EXPECT_TRUE(QTest::qWaitFor([&] { return state.current_track == 1; }, 2000));
  settle();
  EXPECT_EQ(state.current_track, 1);
  EXPECT_EQ(player.started.size(), 3u);

  // Stop is Stop Music; Play is Start Music and plays the stopped track again.
  press("Stop");
  EXPECT_EQ(state.music_stopped, 1);
  EXPECT_TRUE(entry("Startmusic")->isEnabled());
  EXPECT_FALSE(entry("Stopmusic")->isEnabled());
  EXPECT_EQ(get(kPlayer, "PlaybackStatus").toString(), "Stopped");
  press("Pause");  // Stop Music is disabled now: nothing more happens
  EXPECT_EQ(state.music_stopped, 1);
  press("Play");
  EXPECT_EQ(state.music_stopped, 0);
  EXPECT_FALSE(entry("Startmusic")->isEnabled());
  EXPECT_TRUE(entry("Stopmusic")->isEnabled());
  settle();
  EXPECT_EQ(state.current_track, 1);
  EXPECT_EQ(player.started.back(), track1);
  EXPECT_EQ(get(kPlayer, "PlaybackStatus").toString(), "Playing");

  // PlayPause pauses a playing track at its place and goes on from there.
  press("PlayPause");
  EXPECT_EQ(get(kPlayer, "PlaybackStatus").toString(), "Paused");
  EXPECT_TRUE(player.paused);
  press("PlayPause");
  EXPECT_EQ(state.music_stopped, 0);
  EXPECT_FALSE(player.paused);
  EXPECT_EQ(player.started.back(), track1) << "went on, not started again";

  // Seeking within the playing track; a place for another track, or past the
  // end, is ignored. No files from outside the play lists.
  player.tags[track1].duration_us = 60000000;
  player.position = 1000000;
  const size_t starts_before_seek = player.started.size();
  press("Seek", {qlonglong(5000000)});
  EXPECT_EQ(player.seeks, std::vector<int64_t>{6000000});
  press("SetPosition",
        {QVariant::fromValue(QDBusObjectPath("/com/davrin_software/AudioPlayer/track/1")),
         qlonglong(30000000)});
  press("SetPosition",
        {QVariant::fromValue(QDBusObjectPath("/com/davrin_software/AudioPlayer/track/2")),
         qlonglong(20000000)});
  press("SetPosition",
        {QVariant::fromValue(QDBusObjectPath("/com/davrin_software/AudioPlayer/track/1")),
         qlonglong(90000000)});
  EXPECT_EQ(player.seeks, (std::vector<int64_t>{6000000, 30000000}));
  const QDBusMessage open = call(kPlayer, "OpenUri", {QStringLiteral("file:///tmp/x.mp3")});
  EXPECT_EQ(open.type(), QDBusMessage::ErrorMessage);
  EXPECT_EQ(player.started.size(), starts_before_seek);
  // Stop keeps its meaning: the track is let go, and nothing can be sought.
  press("Stop");
  EXPECT_EQ(get(kPlayer, "PlaybackStatus").toString(), "Stopped");
  EXPECT_EQ(get(kPlayer, "CanSeek").toBool(), false);
}

TEST_F(Mpris, RaiseOpensTheSettingsOrBringsTheOpenWindowForwardAndQuitExits) {
  EXPECT_EQ(call(kRoot, "Raise").type(), QDBusMessage::ReplyMessage);
  settle();
  EXPECT_EQ(settings_opened, 1);
  EXPECT_EQ(state.music_stopped, 0);  // the Settings entry starts the music again

  QDialog open_window;
  open_window.setWindowModality(Qt::ApplicationModal);
  open_window.show();
  EXPECT_EQ(call(kRoot, "Raise").type(), QDBusMessage::ReplyMessage);
  settle();
  EXPECT_EQ(settings_opened, 1);
  EXPECT_TRUE(open_window.isVisible());
  open_window.hide();

  bool ended = false;
  QObject::connect(main.get(), &frm_main::exit_requested, [&] { ended = true; });
  state.player_random = 1;
  EXPECT_EQ(call(kRoot, "Quit").type(), QDBusMessage::ReplyMessage);
  settle();
  EXPECT_TRUE(ended);
  EXPECT_EQ(store.option("player_random"), "1");  // options saved as by Exit
}

TEST_F(Mpris, LoopAndShuffleAreTheMenusRepeatAndTheRandomOrder) {
  set("LoopStatus", "Track");
  EXPECT_EQ(state.repeat_track_on, 1);
  EXPECT_TRUE(entry("repeat_track")->isChecked());
  EXPECT_EQ(get(kPlayer, "LoopStatus").toString(), "Track");
  set("LoopStatus", "Track");  // already on: not flipped back
  EXPECT_EQ(state.repeat_track_on, 1);
  entry("repeat_track")->trigger();
  EXPECT_EQ(get(kPlayer, "LoopStatus").toString(), "Playlist");
  set("LoopStatus", "Track");
  set("LoopStatus", "None");
  EXPECT_EQ(state.repeat_track_on, 0);
  EXPECT_FALSE(entry("repeat_track")->isChecked());

  set("Shuffle", true);
  EXPECT_EQ(state.player_random, 1);
  EXPECT_TRUE(get(kPlayer, "Shuffle").toBool());
  EXPECT_TRUE(store.writes.empty());  // stored at exit, like the settings window's option
}

TEST_F(Mpris, ShuffleMovesTheOpenSettingsWindowsOrderAndALaterClickWins) {
  auto option = [](QWidget& w, const char* name) {
    return w.findChild<QRadioButton*>(QString::fromLatin1(name));
  };
  in_settings = [&] {
    frm_settings window(ctx);
    window.show();
    ASSERT_TRUE(option(window, "Option2_0")->isChecked());
    set("Shuffle", true);
    EXPECT_TRUE(option(window, "Option2_1")->isChecked());
    EXPECT_EQ(state.player_random, 1);
    option(window, "Option2_0")->click();
    EXPECT_EQ(state.player_random, 0);
    EXPECT_FALSE(get(kPlayer, "Shuffle").toBool());
    set("Shuffle", true);
    window.findChild<QPushButton*>(QStringLiteral("Command1"))->click();  // Ok
  };
  main->on_settings();
  EXPECT_EQ(state.player_random, 1);  // Ok keeps the newer order
}

TEST_F(Mpris, MetadataNamesTheTrackFromItsTagsOrItsFileAndList) {
  player.tags[track2] = {"Morning", "Ann", "Dawn", 4000000};
  QVariantMap m = metadata();
  EXPECT_EQ(m.value("mpris:trackid").value<QDBusObjectPath>().path(),
            "/com/davrin_software/AudioPlayer/track/1");
  EXPECT_EQ(m.value("xesam:url").toString(),
            QUrl::fromLocalFile(QString::fromStdString(track1)).toString());
  EXPECT_EQ(m.value("xesam:title").toString(), "tone440.wav");  // no tags: the file name
  EXPECT_EQ(m.value("xesam:album").toString(), "Tones");        // and the play list
  EXPECT_FALSE(m.contains("xesam:artist"));
  EXPECT_FALSE(m.contains("mpris:length"));

  press("Next");
  main->engine().tick();
  m = metadata();
  EXPECT_EQ(m.value("mpris:trackid").value<QDBusObjectPath>().path(),
            "/com/davrin_software/AudioPlayer/track/2");
  EXPECT_TRUE(m.value("xesam:url").toString().endsWith("/tone%20660.wav"));
  EXPECT_EQ(m.value("xesam:title").toString(), "Morning");
  EXPECT_EQ(qdbus_cast<QStringList>(m.value("xesam:artist")), QStringList{"Ann"});
  EXPECT_EQ(m.value("xesam:album").toString(), "Dawn");
  EXPECT_EQ(m.value("mpris:length").toLongLong(), 4000000);

  // The editor's preview plays another file while the music is off: the
  // current track keeps its own tags.
  in_settings = [this] {
    player.set_file_name(track3);
    player.play();
  };
  player.tags[track3] = {"Preview", "", "", 1};
  main->on_settings();
  EXPECT_EQ(metadata().value("xesam:title").toString(), "Morning");

  // No position chosen: no track.
  state.current_track = 0;
  EXPECT_EQ(metadata().value("mpris:trackid").value<QDBusObjectPath>().path(),
            "/org/mpris/MediaPlayer2/TrackList/NoTrack");
}

TEST_F(Mpris, ChangesAreSignalledOnceFromTheMenuTheSettingsWindowAndTheBus) {
  state.play_order = {0, 1, 2, 3};  // the random order plays the same tracks
  SignalRecorder rec;
  ASSERT_TRUE(client.connect(QString::fromLatin1(kMprisBusName),
                             QString::fromLatin1(kMprisObjectPath), kProps, "PropertiesChanged",
                             &rec, SLOT(on_signal(QDBusMessage))));
  ASSERT_TRUE(client.connect(QString::fromLatin1(kMprisBusName),
                             QString::fromLatin1(kMprisObjectPath), kPlayer, "Seeked", &rec,
                             SLOT(on_seeked(qlonglong))));
  auto next_change = [&](size_t n) {
    EXPECT_TRUE(QTest::qWaitFor([&] { return rec.changes.size() >= n; }, 2000));
    return rec.changes.size() >= n ? rec.changes[n - 1].changed : QVariantMap();
  };

  main->engine().tick();  // the same track still plays: nothing to tell
  entry("track_forward")->trigger();
  main->engine().tick();
  QVariantMap c = next_change(1);
  EXPECT_EQ(rec.changes[0].interface, kPlayer);
  EXPECT_EQ(c.keys(), QStringList{"Metadata"});
  EXPECT_EQ(as_map(c.value("Metadata")).value("xesam:title").toString(), "tone 660.wav");

  entry("Stopmusic")->trigger();
  EXPECT_EQ(next_change(2), (QVariantMap{{"PlaybackStatus", "Stopped"}, {"CanSeek", false}}));
  set("LoopStatus", "Track");
  EXPECT_EQ(next_change(3), (QVariantMap{{"LoopStatus", "Track"}}));

  // The settings window picks the random order while the music is off; the
  // music goes on at once when it closes, with repeat on at the stopped
  // track's predecessor.
  in_settings = [this] { state.player_random = 1; };
  main->on_settings();
  EXPECT_EQ(next_change(4), (QVariantMap{{"Shuffle", true}}));
  c = next_change(5);
  EXPECT_EQ(c.value("PlaybackStatus").toString(), "Playing");
  EXPECT_EQ(as_map(c.value("Metadata")).value("xesam:title").toString(), "tone440.wav");
  set("Shuffle", false);
  EXPECT_EQ(next_change(6), (QVariantMap{{"Shuffle", false}}));

  // Repeat starts the track again: only the position jumps back.
  player.end_track();
  main->engine().tick();
  EXPECT_TRUE(QTest::qWaitFor([&] { return !rec.seeks.empty(); }, 2000));
  EXPECT_EQ(rec.seeks, std::vector<qlonglong>{0});
  EXPECT_EQ(rec.changes.size(), 6u);
}

TEST_F(Mpris, SecondLaunchAsksTheRunningCopyOverTheBus) {
  SingleInstance first;
  ASSERT_TRUE(first.acquired());
  SingleInstance second;
  ASSERT_FALSE(second.acquired());
  bool answered = false;
  std::thread later_start([&] { answered = second.ask_running_copy(); });
  EXPECT_TRUE(QTest::qWaitFor([&] { return settings_opened == 1; }, 3000));
  later_start.join();
  EXPECT_TRUE(answered);
}

TEST_F(Mpris, ATakenNameLeavesTheProgramAsItIs) {
  service.reset();
  ASSERT_TRUE(client.registerService(QString::fromLatin1(kMprisBusName)));
  MprisService late(state, player, main->engine(), *commands);
  EXPECT_FALSE(late.start());
  entry("track_forward")->trigger();
  main->engine().tick();
  EXPECT_EQ(state.current_track, 2);
  EXPECT_EQ(call(kPlayer, "Next").type(), QDBusMessage::ErrorMessage);  // nobody serves it
}
