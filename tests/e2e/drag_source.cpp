// Another program to drag files from: it shows a small square at the given
// screen position and, when pressed, drags the paths of its arguments as file
// URLs, so that the player receives a real XDND drag from a separate process.
// It prints "ready" once the square is on the screen, "over <action>" each
// time the target under the pointer answers with another action (0: it
// refuses), and "dropped <action>" when the drag ends, then exits a little
// later: 0 when the target took the drop, 1 when not.
#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QUrl>
#include <QWidget>
#include <cstdio>

namespace {

constexpr int KeepServingMs = 2000;

class DragSource : public QWidget {
public:
  explicit DragSource(QList<QUrl> urls) : m_urls(std::move(urls))
  {
    // Not managed by the window manager: it maps where it is told and on top
    // of a full screen window.
    setWindowFlags(Qt::X11BypassWindowManagerHint | Qt::FramelessWindowHint |
                   Qt::WindowStaysOnTopHint);
    resize(100, 100);
  }

protected:
  void paintEvent(QPaintEvent*) override
  {
    QPainter(this).fillRect(rect(), Qt::darkCyan);
    if (!m_announced) {
      m_announced = true;
      std::printf("ready\n");
      std::fflush(stdout);
    }
  }

  void mousePressEvent(QMouseEvent* event) override
  {
    if (event->button() != Qt::LeftButton)
      return;
    auto* drag = new QDrag(this);
    auto* data = new QMimeData;
    data->setUrls(m_urls);
    drag->setMimeData(data);
    QObject::connect(drag, &QDrag::actionChanged, [](Qt::DropAction action) {
      std::printf("over %d\n", int(action));
      std::fflush(stdout);
    });
    const Qt::DropAction action = drag->exec(Qt::CopyAction | Qt::LinkAction, Qt::CopyAction);
    std::printf("dropped %d\n", int(action));
    std::fflush(stdout);
    // The drag returns once the drop is sent; the target asks for the data
    // afterwards, and only a source that is still there can answer.
    const int status = action == Qt::IgnoreAction ? 1 : 0;
    QTimer::singleShot(KeepServingMs, qApp, [status] { QApplication::exit(status); });
  }

private:
  QList<QUrl> m_urls;
  bool m_announced = false;
};

} // namespace

int main(int argc, char** argv)
{
  QApplication app(argc, argv);
  QStringList args = app.arguments().mid(1);
  if (args.size() < 2 || !args.front().contains(u',')) {
    std::fprintf(stderr, "usage: %s X,Y PATH...\n", argv[0]);
    return 2;
  }
  const QStringList at = args.takeFirst().split(u',');
  // From the arguments' bytes: a name that is not UTF-8 travels as its escapes.
  QList<QUrl> urls;
  for (int i = 2; i < argc; ++i)
    urls << QUrl::fromEncoded("file://" + QByteArray(argv[i]).toPercentEncoding("/"));
  DragSource source(urls);
  source.move(at.value(0).toInt(), at.value(1).toInt());
  source.show();
  return app.exec();
}
