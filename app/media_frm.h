#pragma once

#include "app/gui.h"
#include "app/menu_model.h"
#include "presentation/taskbar_list.h"
#include "playback/file_list.h"
#include <QDeadlineTimer>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <memory>

class InstanceChannel;

// What the process was started with.
struct StartInfo {
  QStringList arguments;  // after the program's name, each with its file-system bytes
  QString executablePath; // the running executable's real path
  QString workingFolder;  // where the process was started

  // The arguments joined by single spaces.
  QString commandTail() const { return arguments.join(u' '); }
};

// The main window's logic: its start-up, its handlers and the state the window
// owns (menus, timers, the two text flags). Every handler is defined in the
// source file of its subsystem.
class MediaFrm : public QObject {
  Q_OBJECT
public:
  MediaFrm(StartInfo start, InstanceChannel* channel);
  ~MediaFrm() override;

  // Start-up (app/media_frm.cpp). Form_Load returns false when this start
  // handed its command line to the running instance: the process then ends
  // without a window.
  void Form_Initialize();
  bool Form_Load(GuiFactory& factory);

  // Settings store (app/settings.cpp).
  QString ReadIni(const QString& section, const QString& key) const;
  bool WriteIni(const QString& section, const QString& key, const QString& value) const;

  // Layout, keyboard and shutdown (app/layout.cpp).
  void Form_Resize();
  void Form_KeyDown(int keyCode, int shift);
  void Form_Unload();

  // Single instance and hand-off (app/hand_off.cpp).
  void SendDDE(const QString& command);
  void Form_LinkExecute(const QString& CmdStr, int& Cancel);
  void mRun_Click();

  // File association (shell/file_association.cpp).
  void FileReg_Click();

  // Drag and drop (playback/drag_drop.cpp): the paths dropped on the window.
  void Form_OLEDragDrop(const QStringList& Data);

  // Runs the command of a menu item (app/menu_commands.cpp).
  void menuCommand(MenuItem item);

  // Video zoom (presentation/zoom.cpp).
  void CallZoom();
  void mZ1_Click();
  void mZ2_Click();
  void mZ3_Click();
  void mZ4_Click();

  // Opening media (playback/open_command.cpp, playback/default_playlist.cpp).
  void mOpen_Click();
  // Plays what a start's arguments, or a second start's, name: one path or
  // address, or several files as a list, as the open command does.
  void openCommandLine(const QStringList& arguments);
  QString defaultPlaylistPath() const;
  // Rewrites default.m3u with the entries a play list can hold and tells the
  // user which it left out. False, after telling the user, when it cannot
  // write or left out every entry: there is then nothing to play.
  bool writeDefaultPlaylist(const QStringList& entries);
  QStringList SelectedFiles; // full paths chosen in the open dialog

  // Taskbar progress (presentation/taskbar_progress.cpp).
  std::unique_ptr<TaskbarList> CreateTaskbarList();
  void TTask_Timer();
  // Always on top (presentation/always_on_top.cpp).
  void mTop_Click();
  // Keeping the system awake (presentation/keep_awake.cpp).
  void TSeelp_Timer();
  static constexpr int KeepAwakeIntervalMs = 60000;

  // Requests of the desktop's media controls (playback/mpris_requests.cpp).
  void Mpris_Raise();
  void Mpris_Quit();
  // Opens the URI as an address handed over by a second start; false when
  // the player does not open it.
  bool Mpris_OpenUri(const QString& uri);

  // Player events (playback/player_events.cpp).
  void WMP_PlayStateChange(int NewState);
  void WMP_MouseDown(int nButton, int nShiftState, float fX, float fY);
  // Tells the user which list entry the engine did not open, and why.
  void WMP_ListRefused(const QString& list, bool listsItself);

  // Play modes (playback/play_modes.cpp).
  void mReplay_Click();
  void mRnd_Click();

  // The open-URL and Save As commands (playback/open_url_command.cpp,
  // playback/save_as.cpp).
  void mOpenURL_Click();
  void mSaveAs_Click();
  QString urlHistoryPath() const;

  const StartInfo& startInfo() const { return m_start; }
  QString programFolder() const;
  MainWindowPort& window() const;
  MediaEngine& WMP() const;
  Gui& gui() const { return *m_gui; }

  MenuModel menus;
  QTimer TTask;  // taskbar progress, every 500 ms while enabled
  QTimer TSeelp; // keeps the system awake, every 60 s while enabled
  // The progress on the program's button; null when the desktop has none.
  // Made once at start-up and kept until the form goes.
  std::unique_ptr<TaskbarList> TaskbarPtr;
  // Text flags: each counts as set only when it holds "1".
  QString ScrNor = QStringLiteral("ScrNor");
  QString MusNor = QStringLiteral("MusNor");
  // Lists the media files of a dropped folder.
  FileListBox File1{file1Pattern()};

private:
  void selectZoom(MenuItem preset, const QString& value);
  void applySavedSettings();
  void placeWindow();
  void listenForSecondStarts();
  void checkFileType();
  void startWithMediaInfo(const QString& commandLine);
  void startKeepAwake();
  void stopKeepAwake(int NewState);

  StartInfo m_start;
  InstanceChannel* m_channel;
  std::unique_ptr<Gui> m_gui;
  // When the keep-awake minute that an ended item left running falls due.
  QDeadlineTimer m_keepAwakeCarry{QDeadlineTimer::Forever};
};
