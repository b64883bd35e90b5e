#include "playback/track_buttons_qt.h"

#include <QActionGroup>
#include <QHBoxLayout>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QToolButton>

namespace {

const QColor glyphColour(0xe6, 0xe8, 0xeb);

// Drawn on the same 24-unit grid as the bar's other glyphs.
QIcon glyphIcon(void (*draw)(QPainter&))
{
  constexpr int size = 48;
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / 24.0, size / 24.0);
  draw(p);
  p.end();
  pixmap.setDevicePixelRatio(2);
  return QIcon(pixmap);
}

// Bars of a sound's level: the audio tracks.
void drawAudioTracks(QPainter& p)
{
  p.setPen(QPen(glyphColour, 2.2, Qt::SolidLine, Qt::RoundCap));
  const double heights[] = {5, 11, 15, 9, 13, 6};
  for (int i = 0; i < 6; ++i) {
    const double x = 4.5 + i * 3;
    p.drawLine(QPointF(x, 12 - heights[i] / 2), QPointF(x, 12 + heights[i] / 2));
  }
}

// A screen with two lines of text at its foot: the subtitles.
void drawSubtitles(QPainter& p)
{
  p.setPen(QPen(glyphColour, 1.8));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(QRectF(3, 5, 18, 14), 2, 2);
  p.setPen(QPen(glyphColour, 2, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(7, 12.5), QPointF(17, 12.5));
  p.drawLine(QPointF(9, 16), QPointF(15, 16));
}

// Empties a menu for the tracks of this moment; the last ones' group goes too.
QActionGroup* freshGroup(QMenu* menu)
{
  menu->clear();
  qDeleteAll(menu->findChildren<QActionGroup*>(Qt::FindDirectChildrenOnly));
  return new QActionGroup(menu);
}

const char* const menuStyleSheet = R"(
QToolButton::menu-indicator { image: none; }
)";

} // namespace

TrackButtonsQt::TrackButtonsQt(QWidget* parent) : QWidget(parent)
{
  setStyleSheet(QLatin1String(menuStyleSheet));
  m_audioMenu = new QMenu(this);
  m_subtitleMenu = new QMenu(this);
  // Filled as they open, from the tracks of that moment.
  connect(m_audioMenu, &QMenu::aboutToShow, this, &TrackButtonsQt::fillAudioMenu);
  connect(m_subtitleMenu, &QMenu::aboutToShow, this, &TrackButtonsQt::fillSubtitleMenu);
  m_audio = addButton(glyphIcon(drawAudioTracks), QStringLiteral("音轨"), m_audioMenu);
  m_subtitles = addButton(glyphIcon(drawSubtitles), QStringLiteral("字幕"), m_subtitleMenu);
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(2);
  row->addWidget(m_audio);
  row->addWidget(m_subtitles);
  setTracks({}, false);
}

QToolButton* TrackButtonsQt::addButton(const QIcon& icon, const QString& tip, QMenu* menu)
{
  auto* button = new QToolButton(this);
  button->setIcon(icon);
  button->setIconSize(QSize(22, 22));
  button->setToolTip(tip);
  button->setFocusPolicy(Qt::NoFocus);
  button->setAutoRaise(true);
  button->setMenu(menu);
  button->setPopupMode(QToolButton::InstantPopup);
  return button;
}

void TrackButtonsQt::setTracks(const QVector<Track>& tracks, bool picture)
{
  m_tracks = tracks;
  // One audio track leaves nothing to choose; a subtitle file can be added
  // to any video.
  const bool audio = TrackMenu::entries(tracks, Track::Kind::Audio).size() > 1;
  m_audio->setEnabled(audio);
  m_audio->setVisible(audio);
  m_subtitles->setEnabled(picture);
  m_subtitles->setVisible(picture);
  emit buttonsChanged();
}

void TrackButtonsQt::fillAudioMenu()
{
  QActionGroup* group = freshGroup(m_audioMenu);
  for (const TrackEntry& entry : TrackMenu::entries(m_tracks, Track::Kind::Audio)) {
    QAction* action = group->addAction(entry.text);
    action->setCheckable(true);
    action->setChecked(entry.checked);
    connect(action, &QAction::triggered, this, [this, id = entry.id] { emit audioChosen(id); });
  }
  m_audioMenu->addActions(group->actions());
}

void TrackButtonsQt::fillSubtitleMenu()
{
  QActionGroup* group = freshGroup(m_subtitleMenu);
  for (const TrackEntry& entry : TrackMenu::entries(m_tracks, Track::Kind::Subtitle)) {
    if (entry.id == TrackMenu::Off && m_subtitleMenu->actions().size() > 0)
      m_subtitleMenu->addSeparator();
    QAction* action = group->addAction(entry.text);
    action->setCheckable(true);
    action->setChecked(entry.checked);
    m_subtitleMenu->addAction(action);
    connect(action, &QAction::triggered, this, [this, id = entry.id] { emit subtitleChosen(id); });
  }
  m_subtitleMenu->addSeparator();
  // Asked after the menu has closed: the dialog is modal.
  QAction* load = m_subtitleMenu->addAction(QStringLiteral("加载字幕文件…"));
  connect(load, &QAction::triggered, this, &TrackButtonsQt::subtitleFileWanted, Qt::QueuedConnection);
}
