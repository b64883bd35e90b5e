#pragma once

#include <QString>
#include <functional>
#include <memory>

class MediaEngine;
class MessageBoxes;
class UrlFormView;

// 打开 URL: the open-URL dialog, made afresh at every opening and discarded
// when it closes; the history lives in URL.m3u of the play list folder.
class OpenUrlCommand {
public:
  using FormFactory = std::function<std::unique_ptr<UrlFormView>()>;

  OpenUrlCommand(MediaEngine& player, MessageBoxes& messages, FormFactory createForm,
                 QString programFolder);

  void mOpenURL_Click();
  QString urlHistoryPath() const;

private:
  MediaEngine& m_player;
  MessageBoxes& m_messages;
  FormFactory m_createForm;
  QString m_programFolder;
};
