#include "playback/control_bar_qt.h"
#include "playback/track_buttons_qt.h"

#include <QLabel>
#include <QMap>
#include <QTest>
#include <gtest/gtest.h>

// The bar from full screen down to 1 px, short and long times, two track buttons
// (known once the bar shows) or none: what shows lies inside the bar, apart,
// buttons at their own size, the time not cut; the controls, known by their
// tips, give way in one order.
TEST(ControlBarQtTest, ControlsFitWholeAndGiveWayInOneOrderAsTheBarNarrows)
{
  for (const bool tracks : {false, true}) {
    for (const double duration : {12.0, 5025.0}) {
      SCOPED_TRACE(testing::Message() << "tracks " << tracks << ", duration " << duration);
      QStringList order = {"音量", "音轨", "字幕", "上一个", "下一个",
                           "/" /* the total time */, "静音", "停止", "time", "播放"};
      order.remove(1, tracks ? 0 : 2);
      QWidget window;
      window.resize(1920, ControlBarQt::Height);
      auto* bar = new ControlBarQt(&window);
      bar->resize(window.size());
      bar->setTimes(duration - 1, duration);
      window.show();
      ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
      bar->tracks()->setTracks(QVector<Track>(tracks ? 2 : 0), tracks); // two audio tracks
      auto* time = bar->findChild<QLabel*>();
      qsizetype gone = 0;
      for (int width = 1920; width > 0; --width) {
        bar->resize(width, ControlBarQt::Height);
        QMap<QString, QRect> shown;
        for (QWidget* w : bar->findChildren<QWidget*>()) {
          if (!w->isVisible() || qobject_cast<TrackButtonsQt*>(w))
            continue;
          const QString name = w == time ? "time" : w->toolTip();
          const QRect r(w->mapTo(bar, QPoint()), w->size());
          ASSERT_TRUE(bar->rect().contains(r)) << name.toStdString() << " cut at " << width;
          for (auto [other, o] : shown.asKeyValueRange())
            ASSERT_FALSE(r.intersects(o)) << name.toStdString() << " over " << other.toStdString();
          if (w->inherits("QToolButton")) {
            ASSERT_EQ(w->size(), w->sizeHint()) << name.toStdString() << " at " << width;
          }
          if (w == time) {
            ASSERT_LE(time->fontMetrics().horizontalAdvance(time->text()), r.width()) << width;
          }
          shown.insert(name, r);
          if (w == time && time->text().contains('/'))
            shown.insert("/", {});
        }
        // What has given way is the head of the order, and it only grows.
        while (gone < order.size() && !shown.contains(order[gone]))
          ++gone;
        for (qsizetype i = gone; i < order.size(); ++i)
          ASSERT_TRUE(shown.contains(order[i])) << order[i].toStdString() << " gone at " << width;
      }
      EXPECT_EQ(gone, order.size()) << "nothing left at 1 px";
    }
  }
}
