#include "playback/mpris_dbus.h"

#include "playback/mpris_properties_dbus.h"
#include "playback/play_speed.h"

#include <QDBusAbstractAdaptor>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QVariantMap>
#include <unistd.h>

namespace {

const QString ServiceName = QStringLiteral("org.mpris.MediaPlayer2.kelvarino");
const QString ObjectPath = QStringLiteral("/org/mpris/MediaPlayer2");
const QString PlayerInterface = QStringLiteral("org.mpris.MediaPlayer2.Player");

QVariantMap metadataMap(const std::optional<MprisTrack>& track)
{
  QVariantMap map;
  map[QStringLiteral("mpris:trackid")] =
      QVariant::fromValue(QDBusObjectPath(track ? track->trackId : Mpris::NoTrack));
  if (!track)
    return map;
  if (track->length > 0)
    map[QStringLiteral("mpris:length")] = qlonglong(track->length);
  map[QStringLiteral("xesam:title")] = track->title;
  if (!track->artist.isEmpty())
    map[QStringLiteral("xesam:artist")] = track->artist;
  if (!track->album.isEmpty())
    map[QStringLiteral("xesam:album")] = track->album;
  map[QStringLiteral("xesam:url")] = track->url;
  if (!track->artUrl.isEmpty())
    map[QStringLiteral("mpris:artUrl")] = track->artUrl;
  return map;
}

} // namespace

// The root interface: who the player is, and the window's raise and close.
class MprisRootAdaptor : public QDBusAbstractAdaptor {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2")
  Q_PROPERTY(QString Identity READ identity)
  Q_PROPERTY(QString DesktopEntry READ desktopEntry)
  Q_PROPERTY(bool CanQuit READ yes)
  Q_PROPERTY(bool CanRaise READ yes)
  Q_PROPERTY(bool HasTrackList READ no)
  Q_PROPERTY(QStringList SupportedUriSchemes READ uriSchemes)
  Q_PROPERTY(QStringList SupportedMimeTypes READ mimeTypes)
public:
  MprisRootAdaptor(QObject* parent, MprisRequests& form)
      : QDBusAbstractAdaptor(parent), m_form(form)
  {
  }

  QString identity() const { return QStringLiteral("Kelvarino"); }
  QString desktopEntry() const { return QStringLiteral("kelvarino"); }
  bool yes() const { return true; }
  bool no() const { return false; }
  QStringList uriSchemes() const { return Mpris::uriSchemes(); }
  QStringList mimeTypes() const
  {
    // Reading the MIME database costs some 8 ms; the start-up does not wait for it.
    if (!m_mimeTypes)
      m_mimeTypes = Mpris::mimeTypes();
    return *m_mimeTypes;
  }

public slots:
  void Raise() { m_form.Mpris_Raise(); }
  void Quit()
  {
    // The answer leaves before the window closes and the program ends.
    QMetaObject::invokeMethod(this, [this] { m_form.Mpris_Quit(); }, Qt::QueuedConnection);
  }

private:
  MprisRequests& m_form;
  mutable std::optional<QStringList> m_mimeTypes;
};

// The player interface: the engine's state and its controls.
class MprisPlayerAdaptor : public QDBusAbstractAdaptor {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2.Player")
  Q_PROPERTY(QString PlaybackStatus READ playbackStatus)
  Q_PROPERTY(double Rate READ rate WRITE setRate)
  Q_PROPERTY(double MinimumRate READ minimumRate)
  Q_PROPERTY(double MaximumRate READ maximumRate)
  Q_PROPERTY(QVariantMap Metadata READ metadata)
  Q_PROPERTY(double Volume READ volume WRITE setVolume)
  Q_PROPERTY(qlonglong Position READ position)
  Q_PROPERTY(bool CanGoNext READ canGoNext)
  Q_PROPERTY(bool CanGoPrevious READ canGoPrevious)
  Q_PROPERTY(bool CanPlay READ canPlay)
  Q_PROPERTY(bool CanPause READ canPause)
  Q_PROPERTY(bool CanSeek READ canSeek)
  Q_PROPERTY(bool CanControl READ canControl)
  Q_PROPERTY(QString LoopStatus READ loopStatus WRITE setLoopStatus)
  Q_PROPERTY(bool Shuffle READ shuffle WRITE setShuffle)
public:
  MprisPlayerAdaptor(QObject* parent, const QDBusConnection& bus, MprisState& state,
                     MediaEngine& engine, MprisRequests& form)
      : QDBusAbstractAdaptor(parent), m_bus(bus), m_state(state), m_engine(engine), m_form(form)
  {
  }

  QString playbackStatus() const { return m_state.properties().PlaybackStatus; }
  double rate() const { return m_state.properties().Rate; }
  void setRate(double rate) { m_state.setRate(rate); }
  double minimumRate() const { return PlaySpeed::Minimum; }
  double maximumRate() const { return PlaySpeed::Maximum; }
  QVariantMap metadata() const { return metadataMap(m_state.properties().Metadata); }
  double volume() const { return m_state.properties().Volume; }
  void setVolume(double volume) { m_state.setVolume(volume); }
  qlonglong position() const { return m_state.position(); }
  bool canGoNext() const { return m_state.properties().CanGoNext; }
  bool canGoPrevious() const { return m_state.properties().CanGoPrevious; }
  bool canPlay() const { return m_state.properties().CanPlay; }
  bool canPause() const { return m_state.properties().CanPause; }
  bool canSeek() const { return m_state.properties().CanSeek; }
  bool canControl() const { return true; }
  QString loopStatus() const { return m_state.properties().LoopStatus; }
  void setLoopStatus(const QString& status)
  {
    if (const std::optional<bool> on = Mpris::repeatOf(status))
      m_form.Mpris_SetRepeat(*on);
  }
  bool shuffle() const { return m_state.properties().Shuffle; }
  void setShuffle(bool on) { m_form.Mpris_SetShuffle(on); }

public slots:
  void Next() { m_engine.next(); }
  void Previous() { m_engine.previous(); }
  void Pause() { m_engine.pause(); }
  void PlayPause() { m_state.playPause(); }
  void Stop() { m_engine.stop(); }
  void Play() { m_engine.play(); }
  void Seek(qlonglong Offset) { m_state.seek(Offset); }
  void SetPosition(const QDBusObjectPath& TrackId, qlonglong Position)
  {
    m_state.setPosition(TrackId.path(), Position);
  }
  void OpenUri(const QString& Uri, const QDBusMessage& message)
  {
    if (m_form.Mpris_OpenUri(Uri))
      return;
    message.setDelayedReply(true);
    m_bus.send(message.createErrorReply(QDBusError::NotSupported,
                                        QStringLiteral("Kelvarino does not open ") + Uri));
  }

signals:
  void Seeked(qlonglong Position);

private:
  QDBusConnection m_bus;
  MprisState& m_state;
  MediaEngine& m_engine;
  MprisRequests& m_form;
};

MprisDbus::MprisDbus(const QDBusConnection& bus, MprisRequests& form, MediaEngine& engine,
                     const MenuModel& menus)
    : m_bus(bus), m_state(engine, menus)
{
  connect(&menus, &MenuModel::changed, this, &MprisDbus::update);
  new MprisRootAdaptor(this, form);
  m_player = new MprisPlayerAdaptor(this, bus, m_state, engine, form);
  // A LoopStatus the player has no mode for is refused, not taken as repeat.
  new MprisPropertiesAdaptor(this, bus, [](const QString& interface, const QString& name,
                                           const QVariant& value) {
    return interface != PlayerInterface || name != QLatin1String("LoopStatus")
        || Mpris::repeatOf(value.toString());
  });
  connect(&engine, &MediaEngine::PlayStateChange, this, &MprisDbus::update);
  connect(&engine, &MediaEngine::currentMediaChanged, this, &MprisDbus::update);
  connect(&engine, &MediaEngine::volumeChanged, this, &MprisDbus::update);
  connect(&engine, &MediaEngine::rateChanged, this, &MprisDbus::update);
  connect(&engine, &MediaEngine::positionJumped, m_player,
          [this](double seconds) { emit m_player->Seeked(Mpris::microseconds(seconds)); });
}

MprisDbus::~MprisDbus()
{
  if (m_service.isEmpty())
    return;
  m_bus.unregisterService(m_service);
  m_bus.unregisterObject(ObjectPath);
}

std::unique_ptr<MprisDbus> MprisDbus::publish(const QDBusConnection& bus, MprisRequests& form,
                                              MediaEngine& engine, const MenuModel& menus)
{
  if (!bus.isConnected())
    return nullptr;
  std::unique_ptr<MprisDbus> mpris(new MprisDbus(bus, form, engine, menus));
  QDBusConnection connection = bus;
  if (!connection.registerObject(ObjectPath, mpris.get(), QDBusConnection::ExportAdaptors))
    return nullptr;
  const QString ownName = ServiceName + QStringLiteral(".instance%1").arg(getpid());
  for (const QString& name : {ServiceName, ownName}) {
    if (connection.registerService(name)) {
      mpris->m_service = name;
      return mpris;
    }
  }
  connection.unregisterObject(ObjectPath);
  return nullptr;
}

void MprisDbus::update()
{
  const QStringList names = m_state.refresh();
  if (names.isEmpty())
    return;
  QVariantMap changed;
  for (const QString& name : names)
    changed[name] = m_player->property(name.toLatin1().constData());
  QDBusMessage signal = QDBusMessage::createSignal(
      ObjectPath, QStringLiteral("org.freedesktop.DBus.Properties"),
      QStringLiteral("PropertiesChanged"));
  signal << PlayerInterface << changed << QStringList();
  m_bus.send(signal);
}

#include "mpris_dbus.moc"
