#include "app/media_frm.h"

#include "app/hand_off.h"
#include "app/instance_channel.h"
#include "app/instance_server.h"
#include "app/main_window_port.h"
#include "app/program_folder.h"
#include "app/saved_rectangle.h"
#include "playback/media_engine.h"
#include "presentation/mod_icon.h"
#include <QCoreApplication>
#include <QDir>

namespace {
const QString Option = QStringLiteral("Option");
}

MediaFrm::MediaFrm(StartInfo start, InstanceChannel* channel)
    : m_start(std::move(start)), m_channel(channel)
{
  TTask.setInterval(500);
  TSeelp.setInterval(KeepAwakeIntervalMs);
  // The minute is carried from item to item; a coarse timer would round it up.
  TSeelp.setTimerType(Qt::PreciseTimer);
  connect(&TTask, &QTimer::timeout, this, &MediaFrm::TTask_Timer);
  connect(&TSeelp, &QTimer::timeout, this, &MediaFrm::TSeelp_Timer);
}

MediaFrm::~MediaFrm()
{
  // The progress goes while the desktop connection it speaks through is
  // still there.
  TaskbarPtr.reset();
}

QString MediaFrm::programFolder() const
{
  return programFolderOf(m_start.executablePath);
}

MainWindowPort& MediaFrm::window() const
{
  return m_gui->window();
}

MediaEngine& MediaFrm::WMP() const
{
  return m_gui->engine();
}

void MediaFrm::Form_Initialize()
{
  // The name the desktop knows the program by, set before any window exists.
  QCoreApplication::setApplicationName(QStringLiteral("Kelvarino"));
  QCoreApplication::setApplicationVersion(QStringLiteral(KELVARINO_VERSION));
}

bool MediaFrm::Form_Load(GuiFactory& factory)
{
  // Every start asks for the instance lock, so that some instance answers
  // second starts even when several may run; only without that option does a
  // start that finds another instance hand over and end, answered or not.
  const bool anotherRunning = m_channel && m_channel->anotherInstanceRunning();
  if (ReadIni(Option, QStringLiteral("mRun")) == QLatin1String("True")) {
    menus.setChecked(MenuItem::mRun, true);
  } else if (anotherRunning) {
    SendDDE(handOffCommand(m_start.arguments, m_start.workingFolder));
    return false;
  }

  m_gui = factory.create(*this);
  listenForSecondStarts();

  // A folder that cannot be made is no reason to stop: only the play list
  // commands need it, and they report their own failures.
  QDir().mkpath(playlistFolder(programFolder()));
  ModIcon::SetFormIcon(window(), 32);
  TaskbarPtr = CreateTaskbarList();

  if (!m_start.commandTail().isEmpty())
    openCommandLine(m_start.arguments);

  checkFileType();
  applySavedSettings();
  placeWindow();
  return true;
}

void MediaFrm::listenForSecondStarts()
{
  const QString path = m_channel ? m_channel->serverPath() : QString();
  if (path.isEmpty())
    return;
  // Commands arrive through the event loop, so none is handled before the
  // start-up has finished.
  gui().instanceServer().listen(path, [this](const QString& command) {
    int cancel = 0;
    Form_LinkExecute(command, cancel);
  });
}

void MediaFrm::applySavedSettings()
{
  bool isNumber = false;
  const int volume = ReadIni(Option, QStringLiteral("Volume")).toInt(&isNumber);
  // The program only ever stores the control's own volume; anything else
  // leaves the design volume.
  if (isNumber && volume >= 0 && volume <= 100)
    WMP().setVolume(volume);

  if (ReadIni(Option, QStringLiteral("mReplay")) == QLatin1String("True")) {
    menus.setChecked(MenuItem::mReplay, true);
    WMP().setMode(QStringLiteral("loop"), true);
  }
  if (ReadIni(Option, QStringLiteral("mRnd")) == QLatin1String("True")) {
    menus.setChecked(MenuItem::mRnd, true);
    WMP().setMode(QStringLiteral("shuffle"), true);
  }
  if (ReadIni(Option, QStringLiteral("mTop")) == QLatin1String("True"))
    menus.setChecked(MenuItem::mTop, true);
}

void MediaFrm::placeWindow()
{
  MainWindowPort& w = window();
  w.setTop((w.screenHeight() - w.Height()) / 2);
  w.setLeft((w.screenWidth() - w.Width()) / 2);

  const QString zoom = ReadIni(Option, QStringLiteral("zoom"));
  MenuItem preset = MenuItem::mZ2;
  if (zoom == QLatin1String("50%"))
    preset = MenuItem::mZ1;
  else if (zoom == QLatin1String("200%"))
    preset = MenuItem::mZ3;
  else if (zoom == QLatin1String("0"))
    preset = MenuItem::mZ4;
  menus.setChecked(preset, true);

  if (preset != MenuItem::mZ4)
    return;
  // Only a rectangle that can be a window here is restored; anything else
  // keeps the centred window. The frame's height stands for the title bar.
  const std::optional<QRectF> saved = usableSavedRectangle(
      ReadIni(Option, QStringLiteral("move")), w.screens(), w.Height() - w.ScaleHeight());
  if (!saved)
    return;
  w.setLeft(Twips(saved->left()));
  w.setTop(Twips(saved->top()));
  w.setWidth(Twips(saved->width()));
  w.setHeight(Twips(saved->height()));
}
