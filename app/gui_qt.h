#pragma once

#include "app/gui.h"
#include <QApplication>
#include <memory>

class MainWindowQt;
class EngineMpv;
class KeyRouterQt;
class PlayerControlQt;
class MessageBoxesQt;
class FileDialogsQt;
class ProcessLauncherQt;
class ScreenSaverDbus;
class ClassStoreXdg;
class InstanceServerQt;
class MprisDbus;
class TerminationQt;

// The real desktop: the application object, the main window with the player
// and the dialogs, wired to the form.
class GuiQt : public Gui {
public:
  GuiQt(int& argc, char** argv, MediaFrm& form);
  ~GuiQt() override;

  MainWindowPort& window() override;
  MediaEngine& engine() override;
  PlayerControls& playerControls() override;
  FileDialogs& fileDialogs() override;
  MessageBoxes& messageBoxes() override;
  ProcessLauncher& processes() override;
  std::unique_ptr<TaskbarList> createTaskbarList() override;
  ExecutionState& executionState() override;
  ClassStore& classStore() override;
  InstanceServer& instanceServer() override;
  std::unique_ptr<UrlFormView> createUrlForm() override;
  std::future<void> runAside(std::function<void()> work) override;
  int exec() override;

private:
  QApplication m_app;
  // Goes last but the application: second starts find the socket gone only
  // just before this process lets go of the instance lock.
  std::unique_ptr<InstanceServerQt> m_instanceServer;
  std::unique_ptr<MainWindowQt> m_window;
  std::unique_ptr<EngineMpv> m_engine;
  std::unique_ptr<PlayerControlQt> m_control;
  std::unique_ptr<KeyRouterQt> m_keys;
  std::unique_ptr<MessageBoxesQt> m_messages;
  std::unique_ptr<FileDialogsQt> m_fileDialogs;
  std::unique_ptr<ProcessLauncherQt> m_processes;
  std::unique_ptr<ScreenSaverDbus> m_idle;
  std::unique_ptr<ClassStoreXdg> m_classStore;
  // Null without a session bus.
  std::unique_ptr<MprisDbus> m_mpris;
  std::unique_ptr<TerminationQt> m_termination;
};
