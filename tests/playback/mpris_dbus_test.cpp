#include "form_fixture.h"
#include "playback/mpris_dbus.h"

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QTest>
#include <unistd.h>

namespace {

const QString Service = "org.mpris.MediaPlayer2.kelvarino";
const QString Path = "/org/mpris/MediaPlayer2";
const QString Root = "org.mpris.MediaPlayer2";
const QString Player = "org.mpris.MediaPlayer2.Player";
const QString Properties = "org.freedesktop.DBus.Properties";

// Keeps the signals that reach the client, in order.
class SignalLog : public QObject {
  Q_OBJECT
public:
  QList<QDBusMessage> messages;
public slots:
  void record(const QDBusMessage& message) { messages << message; }
};

} // namespace

// The player published on the private session bus of the test run; a second
// connection plays the part of playerctl or a desktop's media widget.
class MprisDbusTest : public FormTest {
protected:
  QDBusConnection client = QDBusConnection::connectToBus(QDBusConnection::SessionBus, "client");
  std::unique_ptr<MprisDbus> mpris;
  SignalLog changes;
  SignalLog seeks;

  void SetUp() override
  {
    load();
    ASSERT_TRUE(client.isConnected());
    mpris = MprisDbus::publish(QDBusConnection::sessionBus(), *form, engine(), form->menus);
    ASSERT_TRUE(mpris);
    ASSERT_TRUE(client.connect(Service, Path, Properties, "PropertiesChanged", &changes,
                               SLOT(record(QDBusMessage))));
    ASSERT_TRUE(client.connect(Service, Path, Player, "Seeked", &seeks,
                               SLOT(record(QDBusMessage))));
  }
  void TearDown() override { mpris.reset(); }

  QDBusMessage call(const QString& interface, const QString& method, const QVariantList& args = {})
  {
    QDBusMessage message = QDBusMessage::createMethodCall(Service, Path, interface, method);
    message.setArguments(args);
    // The service answers on this thread, so the wait must run its events.
    return client.call(message, QDBus::BlockWithGui, 5000);
  }
  QVariant get(const QString& interface, const QString& name)
  {
    const QDBusMessage reply = call(Properties, "Get", {interface, name});
    EXPECT_EQ(reply.type(), QDBusMessage::ReplyMessage) << reply.errorMessage().toStdString();
    return reply.arguments().value(0).value<QDBusVariant>().variant();
  }
  // A map of strings to variants as it came over the bus, with its signature.
  static QVariantMap dictionary(const QVariant& value, QString* signature = nullptr)
  {
    const auto argument = value.value<QDBusArgument>();
    if (signature)
      *signature = argument.currentSignature();
    QVariantMap map;
    argument >> map;
    return map;
  }
  QVariantMap metadata(QString* signature = nullptr)
  {
    return dictionary(get(Player, "Metadata"), signature);
  }
  void playing(const MediaItem& item)
  {
    engine().url = item.sourceURL;
    engine().item = item;
    engine().state = PlayState::Playing;
    emit engine().PlayStateChange(PlayState::Playing);
  }
  // The changed properties of each PropertiesChanged the client received.
  QList<QVariantMap> changed()
  {
    QList<QVariantMap> all;
    for (const QDBusMessage& m : changes.messages) {
      EXPECT_EQ(m.arguments().value(0).toString(), Player);
      all << dictionary(m.arguments().value(1));
    }
    return all;
  }
  bool waitFor(const std::function<bool()>& done) { return QTest::qWaitFor(done, 5000); }
};

TEST_F(MprisDbusTest, TheRootInterfaceNamesTheProgramAndWhatItOpens)
{
  EXPECT_TRUE(client.interface()->isServiceRegistered(Service));
  EXPECT_EQ(mpris->serviceName(), Service);
  EXPECT_EQ(get(Root, "Identity").toString(), "Kelvarino");
  EXPECT_EQ(get(Root, "DesktopEntry").toString(), "kelvarino");
  EXPECT_TRUE(get(Root, "CanQuit").toBool());
  EXPECT_TRUE(get(Root, "CanRaise").toBool());
  EXPECT_EQ(get(Root, "HasTrackList"), QVariant(false));
  const QStringList schemes = get(Root, "SupportedUriSchemes").toStringList();
  for (const char* scheme : {"file", "http", "https"})
    EXPECT_TRUE(schemes.contains(scheme)) << scheme;
  const QStringList types = get(Root, "SupportedMimeTypes").toStringList();
  EXPECT_TRUE(types.contains("video/mp4") && types.contains("audio/flac"));
}

TEST_F(MprisDbusTest, MetadataAndPositionCarryTheTypesClientsRead)
{
  QString signature;
  EXPECT_EQ(metadata(&signature).value("mpris:trackid").value<QDBusObjectPath>().path(),
            "/org/mpris/MediaPlayer2/TrackList/NoTrack");
  EXPECT_EQ(signature, "a{sv}");

  MediaItem song = FakeEngine::audio("/m/my song.mp3");
  song.author = "Singer";
  song.title = "Song";
  song.album = "Album";
  song.coverArtFile = "/c/cover.png";
  playing(song);
  engine().position = 2.5;
  const QVariantMap m = metadata();
  EXPECT_EQ(m.value("mpris:trackid").metaType(), QMetaType::fromType<QDBusObjectPath>());
  EXPECT_TRUE(m.value("mpris:trackid").value<QDBusObjectPath>().path().startsWith(
      "/org/kelvarino/track/"));
  EXPECT_EQ(m.value("mpris:length"), QVariant(qlonglong(10000000)));
  EXPECT_EQ(m.value("xesam:title"), QVariant(QString("Song")));
  EXPECT_EQ(m.value("xesam:artist"), QVariant(QStringList{"Singer"}));
  EXPECT_EQ(m.value("xesam:url"), QVariant(QString("file:///m/my%20song.mp3")));
  EXPECT_EQ(m.value("xesam:album"), QVariant(QString("Album")));
  EXPECT_EQ(m.value("mpris:artUrl"), QVariant(QString("file:///c/cover.png")));
  EXPECT_EQ(get(Player, "PlaybackStatus").toString(), "Playing");
  EXPECT_EQ(get(Player, "Position"), QVariant(qlonglong(2500000)));
  EXPECT_EQ(get(Player, "Volume"), QVariant(0.5));
  EXPECT_EQ(get(Player, "Rate"), QVariant(1.0));
  EXPECT_TRUE(get(Player, "CanControl").toBool());
}

TEST_F(MprisDbusTest, PropertiesChangedCarriesOnlyTheNewValuesAndSeekedThePosition)
{
  playing(FakeEngine::video(640, 360, "/m/a.mp4"));
  ASSERT_TRUE(waitFor([&] { return changes.messages.size() == 1; }));
  EXPECT_EQ(changed()[0].value("PlaybackStatus").toString(), "Playing");
  EXPECT_TRUE(changed()[0].contains("Metadata"));
  EXPECT_TRUE(changed()[0].value("CanSeek").toBool());

  emit engine().currentMediaChanged(); // nothing new
  engine().state = PlayState::Paused;
  emit engine().PlayStateChange(PlayState::Paused);
  engine().vol = 30;
  emit engine().volumeChanged(30);
  emit engine().positionJumped(4.25);
  engine().setRate(1.5);
  ASSERT_TRUE(waitFor([&] { return changes.messages.size() == 4 && seeks.messages.size() == 1; }));
  EXPECT_EQ(changed()[1], (QVariantMap{{"PlaybackStatus", "Paused"}}));
  EXPECT_EQ(changed()[2], (QVariantMap{{"Volume", 0.3}}));
  EXPECT_EQ(changed()[3], (QVariantMap{{"Rate", 1.5}}));
  EXPECT_EQ(seeks.messages[0].arguments(), QVariantList{qlonglong(4250000)});
}

TEST_F(MprisDbusTest, TheControlsReachTheEngine)
{
  playing(FakeEngine::video(640, 360, "/m/a.mp4"));
  for (const char* method : {"PlayPause", "Next", "Previous", "Stop", "Play", "Pause"})
    EXPECT_EQ(call(Player, method).type(), QDBusMessage::ReplyMessage) << method;
  EXPECT_EQ(engine().pauses, 2) << "PlayPause pauses a playing engine, Pause pauses";
  EXPECT_EQ(engine().plays, 1);
  EXPECT_EQ(engine().nexts, 1);
  EXPECT_EQ(engine().previouses, 1);
  EXPECT_EQ(engine().stops, 1);

  call(Player, "Seek", {qlonglong(3000000)});
  EXPECT_DOUBLE_EQ(engine().position, 3);
  const QString id = metadata().value("mpris:trackid").value<QDBusObjectPath>().path();
  call(Player, "SetPosition", {QVariant::fromValue(QDBusObjectPath(id)), qlonglong(8000000)});
  EXPECT_DOUBLE_EQ(engine().position, 8);

  const QDBusMessage set = call(Properties, "Set",
                                {Player, "Volume", QVariant::fromValue(QDBusVariant(0.3))});
  EXPECT_EQ(set.type(), QDBusMessage::ReplyMessage) << set.errorMessage().toStdString();
  EXPECT_EQ(engine().vol, 30);

  // The speed, within the bounds the player reports.
  EXPECT_EQ(get(Player, "MinimumRate"), QVariant(0.25));
  EXPECT_EQ(get(Player, "MaximumRate"), QVariant(4.0));
  call(Properties, "Set", {Player, "Rate", QVariant::fromValue(QDBusVariant(1.25))});
  EXPECT_DOUBLE_EQ(engine().speed, 1.25);
  call(Properties, "Set", {Player, "Rate", QVariant::fromValue(QDBusVariant(16.0))});
  EXPECT_DOUBLE_EQ(engine().speed, 4.0);
}

TEST_F(MprisDbusTest, AValueWithoutAMeaningIsRefusedAndChangesNothing)
{
  const auto set = [&](const QString& name, const QVariant& value) {
    return call(Properties, "Set", {Player, name, QVariant::fromValue(QDBusVariant(value))});
  };
  const QByteArray before = settings();
  for (const QVariant& value : {QVariant("garbage"), QVariant(""), QVariant("none"), QVariant(1)})
    EXPECT_EQ(set("LoopStatus", value).errorName(), "org.freedesktop.DBus.Error.InvalidArgs");
  EXPECT_EQ(set("Volume", "loud").errorName(), "org.freedesktop.DBus.Error.InvalidArgs");
  EXPECT_EQ(set("Shuffle", "yes").errorName(), "org.freedesktop.DBus.Error.InvalidArgs");
  EXPECT_EQ(set("CanPlay", false).errorName(), "org.freedesktop.DBus.Error.PropertyReadOnly");
  EXPECT_EQ(set("Colour", 1).errorName(), "org.freedesktop.DBus.Error.UnknownProperty");
  EXPECT_FALSE(form->menus.checked(MenuItem::mReplay));
  EXPECT_EQ(settings(), before);
  EXPECT_EQ(engine().vol, 50);

  EXPECT_EQ(set("LoopStatus", "Track").type(), QDBusMessage::ReplyMessage);
  EXPECT_EQ(get(Player, "LoopStatus").toString(), "Playlist") << "repeat goes round a list of one";
  EXPECT_EQ(set("Volume", 1).type(), QDBusMessage::ReplyMessage) << "a whole number is a number";
  EXPECT_EQ(engine().vol, 100);
}

TEST_F(MprisDbusTest, OpenUriRaiseAndQuitReachTheWindow)
{
  win().state = WindowState::Minimized;
  EXPECT_EQ(call(Player, "OpenUri", {"file:///m/a%20b.mkv"}).type(), QDBusMessage::ReplyMessage);
  EXPECT_EQ(engine().url, "/m/a b.mkv");
  EXPECT_EQ(win().state, WindowState::Normal);

  const QDBusMessage refused = call(Player, "OpenUri", {"GetInfo:/bin/sh"});
  EXPECT_EQ(refused.errorName(), "org.freedesktop.DBus.Error.NotSupported");
  EXPECT_TRUE(gui().launcher.started.isEmpty());

  win().state = WindowState::Minimized;
  win().log.clear();
  call(Root, "Raise");
  EXPECT_EQ(win().state, WindowState::Normal);
  EXPECT_TRUE(win().log.contains("front"));

  EXPECT_EQ(call(Root, "Quit").type(), QDBusMessage::ReplyMessage);
  EXPECT_TRUE(waitFor([&] { return win().log.contains("close"); }));
}

TEST_F(MprisDbusTest, ASecondPlayerTakesANameOfItsOwnAndEachGivesItsNameBack)
{
  mpris.reset();
  EXPECT_FALSE(client.interface()->isServiceRegistered(Service)) << "the name goes with the player";
  ASSERT_TRUE(client.registerService(Service)); // the first window's
  mpris = MprisDbus::publish(QDBusConnection::sessionBus(), *form, engine(), form->menus);
  ASSERT_TRUE(mpris);
  const QString own = Service + ".instance" + QString::number(getpid());
  EXPECT_EQ(mpris->serviceName(), own);
  EXPECT_TRUE(client.interface()->isServiceRegistered(own));
  client.unregisterService(Service);
}

TEST_F(MprisDbusTest, WithoutASessionBusThereIsNothingToPublish)
{
  const QDBusConnection none =
      QDBusConnection::connectToBus(QStringLiteral("unix:path=/nonexistent/bus"), "none");
  EXPECT_FALSE(MprisDbus::publish(none, *form, engine(), form->menus));
}

#include "mpris_dbus_test.moc"
