#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <atomic>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <unordered_map>
#include <utility>
#include <vector>

struct mpv_handle;
struct mpv_event;
struct mpv_event_property;
struct mpv_node;

// One libmpv core: its handle and options, its event queue drained on the GUI
// thread, and every request the GUI thread makes of it, each answered through
// the callback it was made with. No request waits for the core: the GUI
// thread also renders the video, and a core waiting for a frame would wait on
// the request in turn (libmpv breaks that cycle only after 200 ms).
class MpvSession : public QObject {
  Q_OBJECT
public:
  using Option = std::pair<const char*, QByteArray>;
  using Done = std::function<void(int error)>; // error < 0 when the core refused
  using Changed = std::function<void(const mpv_event_property& value)>;
  using Handler = std::function<void(const mpv_event& event)>;

  // Creates and starts a core with these options; numbers are parsed in the
  // C locale, which libmpv insists on.
  explicit MpvSession(const std::vector<Option>& options);
  ~MpvSession() override;
  MpvSession(const MpvSession&) = delete;
  MpvSession& operator=(const MpvSession&) = delete;

  // For the render context and for clients of their own (hooks on other threads).
  mpv_handle* handle() const { return m_mpv; }

  // Writes a property; `done` hears whether the core took it.
  void set(const char* name, bool value, Done done = {});
  void set(const char* name, int64_t value, Done done = {});
  void set(const char* name, double value, Done done = {});
  void set(const char* name, const QByteArray& value, Done done = {});
  // Reads a property in libmpv's `format`; `value` is null when it is unavailable.
  void get(const char* name, int format, std::function<void(const mpv_event_property* value)> done);
  // A command of literal words: nothing in them is expanded.
  void command(std::initializer_list<QByteArray> words, Done done = {});
  void command(const std::vector<QByteArray>& words, Done done = {});
  // A command whose answer is data (screenshot-raw); `result` is null when it failed.
  void request(std::initializer_list<QByteArray> words,
               std::function<void(const mpv_node* result)> answered);
  // Every change of the property that libmpv reports, in `format`.
  void observe(const char* name, int format, Changed changed);
  // Every event of this kind (start-file, end-file, playback-restart…).
  void on(int eventId, Handler handler);
  // The core's log from `level` up, a line at a time, with the part that wrote it.
  void onLog(const char* level, std::function<void(const QString& part, const QString& line)> line);

signals:
  // A pass over the queue has ended: what the core told until now has been
  // handed out, the log included, which libmpv gives after the events.
  void drained();

private:
  static void onWakeup(void* self);
  void drain();
  void dispatch(const mpv_event& event);
  uint64_t expect(Handler reply);
  void write(const char* name, int format, void* value, Done done);
  void send(const std::vector<QByteArray>& words, Handler reply);
  void refuseIf(int sent, uint64_t id);

  mpv_handle* m_mpv;
  std::atomic_bool m_wakeupPosted{false};
  uint64_t m_nextId = 1;
  std::unordered_map<uint64_t, Handler> m_replies;
  std::unordered_map<uint64_t, Changed> m_observers;
  std::unordered_map<int, std::vector<Handler>> m_handlers;
  std::function<void(const QString&, const QString&)> m_log;
};
