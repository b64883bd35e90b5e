#pragma once

#include "fake_gui.h"
#include "playback/open_url_command.h"
#include "playback/opening.h"
#include "playback/player_events.h"
#include "presentation/keep_awake.h"
#include "presentation/taskbar_progress.h"
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// A form loaded with doubles: the settings file and the program folder live
// in a temporary folder of the test's own.
class FormTest : public testing::Test {
protected:
  QTemporaryDir dir;
  StartInfo start;
  std::unique_ptr<MediaFrm> form;
  FakeGuiFactory factory;
  InstanceChannel* channel = nullptr; // none: every start runs alone

  FormTest();
  ~FormTest() override;

  QString settingsPath() const { return dir.filePath("windows/Kelvarino.dat"); }
  QString programFolder() const { return dir.filePath("program"); }
  // Writes the settings file as the program would have left it.
  void writeSettings(const QByteArray& lines);
  QByteArray settings() const;
  QString setting(const QString& key) const { return form->ReadIni("Option", key); }
  // Makes and loads the form with the command-line tail as one argument.
  void load(const QString& commandTail = {});
  // The same for a start that may hand over: false when it ended in Form_Load.
  bool tryLoad(const QString& commandTail = {});
  bool tryLoad(const QStringList& arguments);

  FakeGui& gui() { return *factory.gui; }
  FakeWindow& win() { return factory.gui->win; }
  FakeEngine& engine() { return factory.gui->eng; }
};
