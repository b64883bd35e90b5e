// Dropping one folder of media files on the window: from the drop until the
// play list is written and URL is set. Runs the form's real handler with
// doubles for the window and the engine; the files and default.m3u are real.
#include "fake_gui.h"
#include "playback/opening.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
  QCoreApplication app(argc, argv);
  const int files = argc > 1 ? std::atoi(argv[1]) : 10000;
  const int rounds = argc > 2 ? std::atoi(argv[2]) : 20;

  QTemporaryDir dir;
  QDir(dir.path()).mkpath("program");
  QDir(dir.path()).mkpath("media");
  qputenv("windir", QFile::encodeName(dir.path()));
  const char* extensions[] = {".mp4", ".MKV", ".avi", ".mp3", ".Wav", ".ogg", ".ts", ".rmvb"};
  for (int i = 0; i < files; ++i) {
    const QString name = QStringLiteral("Clip %1%2").arg(i, 5, 10, QChar('0')).arg(extensions[i % 8]);
    QFile f(dir.filePath("media/" + name));
    if (!f.open(QIODevice::WriteOnly))
      return 1;
  }

  MediaFrm form(StartInfo{{}, dir.filePath("program/kelvarino"), dir.path(), {}, {}}, nullptr);
  FakeGuiFactory factory;
  form.Form_Load(factory);

  std::vector<double> ms;
  for (int r = 0; r < rounds; ++r) {
    factory.gui->eng.urls.clear();
    QElapsedTimer clock;
    clock.start();
    form.Form_OLEDragDrop({dir.filePath("media")});
    ms.push_back(double(clock.nsecsElapsed()) / 1e6);
    if (factory.gui->eng.urls != QStringList{form.opening().defaultPlaylistPath()} || form.opening().File1.ListCount() != files)
      return 2;
  }
  std::sort(ms.begin(), ms.end());
  std::printf("folder drop of %d media files: median %.1f ms (min %.1f, max %.1f) over %d rounds\n",
              files, ms[ms.size() / 2], ms.front(), ms.back(), rounds);
  return 0;
}
