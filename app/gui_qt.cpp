#include "app/gui_qt.h"

#include "app/gui_library_posix.h"
#include "app/instance_server_qt.h"
#include "app/key_router_qt.h"
#include "app/main_window_qt.h"
#include "app/media_frm.h"
#include "app/termination_qt.h"
#include "dialogs/file_dialogs_qt.h"
#include "dialogs/message_boxes_qt.h"
#include "dialogs/url_form_qt.h"
#include "playback/engine_mpv.h"
#include "playback/player_control_qt.h"
#include "core/milestone_trace.h"
#include "playback/mpris_dbus.h"
#include "presentation/launcher_entry_dbus.h"
#include "presentation/program_icon_qt.h"
#include "presentation/screensaver_dbus.h"
#include "shell/class_store_xdg.h"
#include "shell/process_launcher_qt.h"
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {

// Window placement, the frame and the always-on-top band need X11: under a
// Wayland session with XWayland, run on it; without X, on Wayland itself.
// On X11, OpenGL goes through EGL rather than Qt's default GLX: only there
// does hardware decoding hand its frames over without a copy, and the first
// picture comes no later. A person's own choice of either stands.
int& choosePlatform(int& argc)
{
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY") &&
      !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
    qputenv("QT_QPA_PLATFORM", "xcb");
  if (qEnvironmentVariableIsEmpty("QT_XCB_GL_INTEGRATION"))
    qputenv("QT_XCB_GL_INTEGRATION", "xcb_egl");
  return argc;
}

// The interface is Simplified Chinese whatever the locale says, Qt's own
// texts too: the file dialogs, the overwrite question, message box buttons.
// The translation file is mapped, not read, so this costs well under a
// millisecond at start-up.
void speakChinese(QApplication& app)
{
  QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
  auto* translator = new QTranslator(&app);
  if (translator->load(QStringLiteral("qtbase_zh_CN"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QCoreApplication::installTranslator(translator);
  else
    delete translator;
}

} // namespace

GuiQt::GuiQt(int& argc, char** argv, MediaFrm& form) : m_app(choosePlatform(argc), argv)
{
  speakChinese(m_app);
  QGuiApplication::setDesktopFileName(QStringLiteral("kelvarino"));
  // Every window, dialogs included, carries the program's icon.
  QApplication::setWindowIcon(programIcon());
  m_instanceServer = std::make_unique<InstanceServerQt>();
  m_window = std::make_unique<MainWindowQt>(form, form.menus);
  m_engine = std::make_unique<EngineMpv>();
  m_control = std::make_unique<PlayerControlQt>(*m_engine);
  m_window->setPlayer(m_control->view());
  m_engine->setFullScreenHost(m_window.get());
  m_keys = std::make_unique<KeyRouterQt>(*m_window, form);
  m_messages = std::make_unique<MessageBoxesQt>(m_window.get());
  m_fileDialogs = std::make_unique<FileDialogsQt>(m_window.get());
  m_processes = std::make_unique<ProcessLauncherQt>();
  m_idle = std::make_unique<ScreenSaverDbus>(QDBusConnection::sessionBus());
  m_classStore = std::make_unique<ClassStoreXdg>(XdgFolders::ofUser());

  QObject::connect(m_engine.get(), &MediaEngine::PlayStateChange, &form,
                   &MediaFrm::WMP_PlayStateChange);
  QObject::connect(m_engine.get(), &MediaEngine::MouseDown, &form, &MediaFrm::WMP_MouseDown);
  m_mpris = MprisDbus::publish(QDBusConnection::sessionBus(), form, *m_engine, form.menus);
  m_termination = std::make_unique<TerminationQt>([this] { m_window->closeWindow(); });
}

GuiQt::~GuiQt()
{
  // The player goes before the window that hosts it, and what reports on it
  // before the player.
  m_termination.reset();
  m_mpris.reset();
  m_keys.reset();
  m_control.reset();
  m_engine.reset();
  m_window.reset();
}

MainWindowPort& GuiQt::window() { return *m_window; }
MediaEngine& GuiQt::engine() { return *m_engine; }
PlayerControls& GuiQt::playerControls() { return *m_control; }
FileDialogs& GuiQt::fileDialogs() { return *m_fileDialogs; }
MessageBoxes& GuiQt::messageBoxes() { return *m_messages; }
ProcessLauncher& GuiQt::processes() { return *m_processes; }
ExecutionState& GuiQt::executionState() { return *m_idle; }

std::unique_ptr<TaskbarList> GuiQt::createTaskbarList()
{
  // The dock's progress needs the session bus; without one there is none.
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected())
    return nullptr;
  return std::make_unique<LauncherEntryDbus>(bus);
}
ClassStore& GuiQt::classStore() { return *m_classStore; }
InstanceServer& GuiQt::instanceServer() { return *m_instanceServer; }

std::unique_ptr<UrlFormView> GuiQt::createUrlForm()
{
  return std::make_unique<UrlFormQt>(m_window.get());
}

std::future<void> GuiQt::runAside(std::function<void()> work)
{
  return std::async(std::launch::async, std::move(work));
}

int GuiQt::exec()
{
  m_window->show();
  traceMilestone("window-shown");
  return m_app.exec();
}

extern "C" Q_DECL_EXPORT Gui* kelvarino_create_gui(int& argc, char** argv, MediaFrm& form)
{
  return new GuiQt(argc, argv, form);
}
