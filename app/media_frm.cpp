#include "app/media_frm.h"

#include "app/after_start_up.h"
#include "app/hand_off_command.h"
#include "app/instance_channel.h"
#include "app/instance_server.h"
#include "app/saved_rectangle.h"
#include "core/main_window_port.h"
#include "core/media_engine.h"
#include "core/program_folder.h"
#include "core/url_form_view.h"
#include "playback/open_url_command.h"
#include "playback/opening.h"
#include "playback/picture_notice.h"
#include "playback/player_actions.h"
#include "playback/resuming.h"
#include "playback/play_modes.h"
#include "playback/player_events.h"
#include "playback/save_as.h"
#include "presentation/always_on_top.h"
#include "presentation/keep_awake.h"
#include "presentation/mod_icon.h"
#include "presentation/taskbar_progress.h"
#include "presentation/zoom.h"
#include "shell/file_association.h"
#include <QCoreApplication>
#include <QDir>

namespace {
const QString& Option = Settings::Option;
}

MediaFrm::MediaFrm(StartInfo start, InstanceChannel* channel)
    : m_start(std::move(start)), m_channel(channel)
{
}

// The features go before the desktop they speak through (members go in the
// reverse order of their declaration).
MediaFrm::~MediaFrm() = default;

QString MediaFrm::ReadIni(const QString& section, const QString& key) const
{
  return m_settings.ReadIni(section, key);
}

bool MediaFrm::WriteIni(const QString& section, const QString& key, const QString& value) const
{
  return m_settings.WriteIni(section, key, value);
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
    SendDDE(withActivationToken(handOffCommand(m_start.arguments, m_start.workingFolder),
                                m_start.activationToken));
    return false;
  }

  m_gui = factory.create(*this);
  makeFeatures();
  listenForSecondStarts();

  // A folder that cannot be made is no reason to stop: only the play list
  // commands need it, and they report their own failures.
  QDir().mkpath(playlistFolder(programFolder()));
  ModIcon::SetFormIcon(window(), 32);
  m_progress = std::make_unique<TaskbarProgress>(WMP(), CreateTaskbarList());
  m_events = std::make_unique<PlayerEvents>(window(), WMP(), menus, *m_zoom, *m_keepAwake,
                                            *m_progress);
  // The title follows an item that opens or fails, not only one that plays.
  connect(&WMP(), &MediaEngine::itemOpening, this,
          [this](const QString& source) { m_events->itemNamed(source); });
  connect(&WMP(), &MediaEngine::itemFailed, this,
          [this](const QString& source) { m_events->itemNamed(source); });

  if (!m_start.commandTail().isEmpty())
    m_opening->openCommandLine(m_start.arguments);

  if (m_fileAssociation->checkFileType(m_events->ScrNor))
    m_afterStartUp = std::make_unique<AfterStartUp>(WMP(), !WMP().URL().isEmpty(), [this] {
      m_repair = gui().runAside([this] { m_fileAssociation->repairFileType(); });
    });
  applySavedSettings();
  placeWindow();
  return true;
}

void MediaFrm::makeFeatures()
{
  Gui& g = gui();
  m_zoom = std::make_unique<Zoom>(window(), WMP(), menus, m_settings, m_start.tilingDesktop);
  m_alwaysOnTop = std::make_unique<AlwaysOnTop>(window(), WMP(), menus, m_settings);
  m_keepAwake = std::make_unique<KeepAwake>(g.executionState());
  m_fileAssociation = std::make_unique<FileAssociation>(g.classStore(), g.messageBoxes(),
                                                        m_start.executablePath);
  m_opening = std::make_unique<Opening>(WMP(), g.fileDialogs(), g.messageBoxes(), programFolder(),
                                        m_start.workingFolder);
  m_playModes = std::make_unique<PlayModes>(WMP(), menus, m_settings);
  m_saveAs = std::make_unique<SaveAs>(WMP(), g.fileDialogs(), g.messageBoxes(), g.processes());
  m_openUrl = std::make_unique<OpenUrlCommand>(
      WMP(), g.messageBoxes(), [&g] { return g.createUrlForm(); }, programFolder());
  m_actions = std::make_unique<PlayerActions>(WMP(), g.playerControls(), g.fileDialogs());
  m_notice = std::make_unique<PictureNotice>(WMP());
  m_resuming = std::make_unique<Resuming>(WMP(), ResumeStore::defaultPath());
  QObject::connect(m_actions.get(), &PlayerActions::trackChosen, m_resuming.get(),
                   &Resuming::trackChosen);
  QObject::connect(m_actions.get(), &PlayerActions::subtitleDelayChosen, m_resuming.get(),
                   &Resuming::subtitleDelayChosen);
}

void MediaFrm::listenForSecondStarts()
{
  const QString path = m_channel ? m_channel->serverPath() : QString();
  if (path.isEmpty())
    return;
  // Commands arrive through the event loop, so none is handled before the
  // start-up has finished.
  gui().instanceServer().listen(path, [this](const QString& received) {
    const ReceivedCommand handOff = splitActivationToken(received);
    if (!handOff.activationToken.isEmpty())
      window().allowActivation(handOff.activationToken);
    int cancel = 0;
    Form_LinkExecute(handOff.command, cancel);
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

  m_playModes->applyStoredModes();
  m_alwaysOnTop->checkStoredOption();
}

void MediaFrm::placeWindow()
{
  MainWindowPort& w = window();
  centreOnScreen(w);
  if (!m_zoom->checkStoredPreset())
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

void MediaFrm::Form_OLEDragDrop(const QStringList& Data) { m_opening->Form_OLEDragDrop(Data); }
void MediaFrm::mOpen_Click() { m_opening->mOpen_Click(); }
void MediaFrm::mOpenURL_Click() { m_openUrl->mOpenURL_Click(); }
void MediaFrm::mSaveAs_Click() { m_saveAs->mSaveAs_Click(); }
void MediaFrm::mReplay_Click() { m_playModes->mReplay_Click(); }
void MediaFrm::mRnd_Click() { m_playModes->mRnd_Click(); }
void MediaFrm::mTop_Click() { m_alwaysOnTop->mTop_Click(); }
void MediaFrm::FileReg_Click() { m_fileAssociation->FileReg_Click(); }
void MediaFrm::CallZoom() { m_zoom->CallZoom(); }
void MediaFrm::mZ1_Click() { m_zoom->mZ1_Click(); }
void MediaFrm::mZ2_Click() { m_zoom->mZ2_Click(); }
void MediaFrm::mZ3_Click() { m_zoom->mZ3_Click(); }
void MediaFrm::mZ4_Click() { m_zoom->mZ4_Click(); }
void MediaFrm::WMP_PlayStateChange(int NewState) { m_events->WMP_PlayStateChange(NewState); }

void MediaFrm::WMP_MouseDown(int nButton, int nShiftState, float fX, float fY)
{
  m_events->WMP_MouseDown(nButton, nShiftState, fX, fY);
}

std::unique_ptr<TaskbarList> MediaFrm::CreateTaskbarList()
{
  return gui().createTaskbarList();
}
