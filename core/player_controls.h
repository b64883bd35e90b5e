#pragma once

#include <QObject>

// What a person does with the player control itself: its bar's buttons,
// sliders and track menus, and the mouse over the picture. The control only
// asks; what each request does is the player's logic.
class PlayerControls : public QObject {
  Q_OBJECT
public:
  using QObject::QObject;

signals:
  void playPauseClicked();
  void stopClicked();
  void previousClicked();
  void nextClicked();
  void seekRequested(double seconds);
  // The seek handle dragged to a time, not yet let go.
  void scrubRequested(double seconds);
  void muteClicked();
  void volumeRequested(int volume);
  void audioChosen(int id);
  void subtitleChosen(int id); // 0 for none
  void subtitleFileWanted();
  // Over the picture: the wheel turned by this many notches (up positive),
  // and a double click.
  void wheelTurned(int notches);
  void doubleClicked();
};
