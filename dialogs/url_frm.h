#pragma once

#include "core/url_form_view.h"
#include <QString>

class MediaEngine;
class MessageBoxes;

// The open-URL dialog: the user types, picks from the history or drops the
// address of one media item, and OK hands it to the main window's player. The
// addresses played from here are remembered in a history file, oldest first.
class UrlFrm {
public:
  UrlFrm(UrlFormView& view, MediaEngine& player, MessageBoxes& messages, QString historyPath);

  // Loads the dialog and shows it modally; returns once it is closed.
  void Show();

  void Form_Load();
  void Command1_Click(); // 确定
  void Command2_Click(); // 取消
  void Command3_Click(); // 清除
  void Combo1_OLEDragDrop(const DropData& data);

private:
  void writeHistory(const QStringList& entries);

  UrlFormView& m_view;
  MediaEngine& m_player;
  MessageBoxes& m_messages;
  QString m_historyPath;
  // A history that exists but could not be read is never written over: its
  // entries are not in the list, so a rewrite would lose them.
  bool m_historyUnreadable = false;
};
