#pragma once

#include <QImage>
#include <QObject>
#include <QSize>
#include <QString>
#include <atomic>
#include <memory>

class MpvSession;
class SeekingMpv;
struct mpv_render_context;

// A second core of our own that makes the pictures of the seek bar's
// preview: no sound, no subtitles, no notes, software decoding on two
// threads and little read ahead, so that it never takes from playback. While
// the pointer moves it goes to keyframes, one seek at a time; once the
// pointer rests, to the very time. It draws in memory at the preview's size,
// with libmpv's software renderer: a picture this small needs no GPU, and no
// shaders to compile, which cost a software OpenGL tens of megabytes.
class PreviewCoreMpv : public QObject {
  Q_OBJECT
public:
  explicit PreviewCoreMpv(QObject* parent = nullptr);
  ~PreviewCoreMpv() override;

  // Whether it could draw: without a renderer there are no pictures.
  bool ready() const { return m_render != nullptr; }
  // The picture of the local file `path` at about `seconds` (exactly when
  // `exact`), `size` pixels large; tone-mapped to SDR when `hdr`.
  void show(const QString& path, double seconds, QSize size, bool exact, bool hdr);

signals:
  // A picture of the file asked for; a null one when another file is asked
  // for, until its first picture comes.
  void pictureReady(const QImage& picture);
  // The core could not open the file.
  void failed(const QString& path);

private:
  static void onRenderUpdate(void* self);
  void takeUpdate();

  std::unique_ptr<MpvSession> m_session;
  std::unique_ptr<SeekingMpv> m_seeking;
  QSize m_size;
  bool m_hdr = false;
  mpv_render_context* m_render = nullptr;
  std::atomic_bool m_updatePosted{false};
  QString m_path;
  bool m_loaded = false; // the file is open: seeks may go
  double m_shown = -1;   // the time last asked for
  double m_start = -1;   // the time the file was opened at
};
