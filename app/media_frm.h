#pragma once

#include "app/gui.h"
#include "core/form_events.h"
#include "core/menu_model.h"
#include "core/settings.h"
#include "playback/mpris_state.h"
#include <QObject>
#include <QString>
#include <QStringList>
#include <future>
#include <memory>

class InstanceChannel;
class AfterStartUp;
class AlwaysOnTop;
class FileAssociation;
class KeepAwake;
class OpenUrlCommand;
class Opening;
class PictureNotice;
class PlayModes;
class PlayerActions;
class PlayerEvents;
class Resuming;
class SaveAs;
class TaskbarProgress;
class Zoom;

// What the process was started with.
struct StartInfo {
  QStringList arguments;  // after the program's name, each with its file-system bytes
  QString executablePath; // the running executable's real path
  QString workingFolder;  // where the process was started
  QString activationToken; // the desktop's leave to take the focus, if it gave one
  bool tilingDesktop = false; // see tiling_desktop.h

  // The arguments joined by single spaces.
  QString commandTail() const { return arguments.join(u' '); }
};

// The main window: its start-up, layout, keys, shutdown and hand-off, and the
// entry point of every handler, each forwarded to the feature that owns its
// state (presentation/, playback/, shell/).
class MediaFrm : public QObject, public FormEvents, public MprisRequests {
  Q_OBJECT
public:
  MediaFrm(StartInfo start, InstanceChannel* channel);
  ~MediaFrm() override;

  // Start-up (media_frm.cpp). Form_Load returns false when this start handed
  // its command line to the running instance: the process then ends without
  // a window.
  void Form_Initialize();
  bool Form_Load(GuiFactory& factory);

  // The settings file.
  QString ReadIni(const QString& section, const QString& key) const;
  bool WriteIni(const QString& section, const QString& key, const QString& value) const;

  // Layout, keyboard and shutdown (layout.cpp), drops and the menu.
  void Form_Resize() override;
  void Form_KeyDown(int keyCode, int shift) override;
  bool playerKeyPressed(int key, Qt::KeyboardModifiers modifiers) override;
  void Form_Unload() override;
  void Form_OLEDragDrop(const QStringList& Data) override;
  void menuCommand(MenuItem item) override;

  // Single instance and hand-off (hand_off.cpp).
  void SendDDE(const QString& command);
  void Form_LinkExecute(const QString& CmdStr, int& Cancel);
  void mRun_Click();

  // Requests of the desktop's media controls (mpris_requests.cpp).
  void Mpris_Raise() override;
  void Mpris_Quit() override;
  bool Mpris_OpenUri(const QString& uri) override;
  void Mpris_SetRepeat(bool on) override;
  void Mpris_SetShuffle(bool on) override;

  // Forwarded to the features.
  void mOpen_Click();
  void mOpenURL_Click();
  void mSaveAs_Click();
  void mReplay_Click();
  void mRnd_Click();
  void mTop_Click();
  void FileReg_Click();
  void CallZoom();
  void mZ1_Click();
  void mZ2_Click();
  void mZ3_Click();
  void mZ4_Click();
  void WMP_PlayStateChange(int NewState);
  void WMP_MouseDown(int nButton, int nShiftState, float fX, float fY);
  std::unique_ptr<TaskbarList> CreateTaskbarList();

  QString programFolder() const;
  MainWindowPort& window() const;
  MediaEngine& WMP() const;
  Gui& gui() const { return *m_gui; }

  MenuModel menus;
  // The features, made by Form_Load once the desktop is there.
  Opening& opening() const { return *m_opening; }
  PlayerEvents& events() const { return *m_events; }
  TaskbarProgress& progress() const { return *m_progress; }
  KeepAwake& keepAwake() const { return *m_keepAwake; }
  OpenUrlCommand& openUrl() const { return *m_openUrl; }

private:
  void makeFeatures();
  void applySavedSettings();
  void placeWindow();
  void listenForSecondStarts();
  void startWithMediaInfo(const QString& commandLine);

  StartInfo m_start;
  InstanceChannel* m_channel;
  Settings m_settings;
  std::unique_ptr<Gui> m_gui;
  std::unique_ptr<Zoom> m_zoom;
  std::unique_ptr<AlwaysOnTop> m_alwaysOnTop;
  std::unique_ptr<TaskbarProgress> m_progress;
  std::unique_ptr<KeepAwake> m_keepAwake;
  std::unique_ptr<FileAssociation> m_fileAssociation;
  std::unique_ptr<Opening> m_opening;
  std::unique_ptr<PlayModes> m_playModes;
  std::unique_ptr<SaveAs> m_saveAs;
  std::unique_ptr<OpenUrlCommand> m_openUrl;
  std::unique_ptr<PlayerEvents> m_events;
  std::unique_ptr<PlayerActions> m_actions;
  std::unique_ptr<PictureNotice> m_notice;
  std::unique_ptr<Resuming> m_resuming;
  std::unique_ptr<AfterStartUp> m_afterStartUp;
  std::future<void> m_repair; // the file type's repair, waited for before the store goes
};
