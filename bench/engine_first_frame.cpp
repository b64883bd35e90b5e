// Shows only the engine's player control in a window, as the program does at
// start-up: the URL is set before the window is shown. With KELVARINO_TRACE
// set, the engine prints its milestones; this program adds window-shown.
//   bench_engine_first_frame FILE          quits once the file plays
//   bench_engine_first_frame FILE SECONDS  plays on for SECONDS, then quits
#include "core/milestone_trace.h"
#include "playback/engine_mpv.h"
#include "playback/player_control_qt.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

int main(int argc, char** argv)
{
  QApplication app(argc, argv);
  if (argc < 2)
    return 2;
  const int seconds = argc > 2 ? QString::fromLocal8Bit(argv[2]).toInt() : 0;
  EngineMpv engine;
  PlayerControlQt control(engine);
  engine.setURL(QString::fromLocal8Bit(argv[1]));
  // A 640 x 360 picture with the 65 px control bar below.
  control.view()->resize(640, 360 + 65);
  control.view()->show();
  traceMilestone("window-shown");
  if (seconds > 0)
    QTimer::singleShot(seconds * 1000, &app, &QApplication::quit);
  else
    QObject::connect(&engine, &MediaEngine::PlayStateChange, &app, [](int state) {
      if (state == PlayState::Playing)
        QApplication::quit();
    });
  return app.exec();
}
