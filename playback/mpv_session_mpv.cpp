#include "playback/mpv_session_mpv.h"

#include <clocale>
#include <mpv/client.h>

MpvSession::MpvSession(const std::vector<Option>& options)
{
  // libmpv parses numbers with the C library and refuses to start in a
  // locale whose decimal mark is not a point; QApplication sets the user's.
  std::setlocale(LC_NUMERIC, "C");
  m_mpv = mpv_create();
  for (const auto& [name, value] : options)
    mpv_set_option_string(m_mpv, name, value.constData());
  mpv_initialize(m_mpv);
  mpv_set_wakeup_callback(m_mpv, &MpvSession::onWakeup, this);
}

MpvSession::~MpvSession()
{
  mpv_set_wakeup_callback(m_mpv, nullptr, nullptr);
  mpv_terminate_destroy(m_mpv);
}

// Called on one of libmpv's threads; the queue is read on the GUI thread.
void MpvSession::onWakeup(void* self)
{
  auto* session = static_cast<MpvSession*>(self);
  if (!session->m_wakeupPosted.exchange(true))
    QMetaObject::invokeMethod(session, &MpvSession::drain, Qt::QueuedConnection);
}

void MpvSession::drain()
{
  m_wakeupPosted = false;
  for (;;) {
    const mpv_event* event = mpv_wait_event(m_mpv, 0);
    if (event->event_id == MPV_EVENT_NONE)
      break;
    dispatch(*event);
  }
  emit drained();
}

void MpvSession::dispatch(const mpv_event& event)
{
  switch (event.event_id) {
  case MPV_EVENT_PROPERTY_CHANGE:
    if (const auto observer = m_observers.find(event.reply_userdata); observer != m_observers.end())
      observer->second(*static_cast<const mpv_event_property*>(event.data));
    return;
  case MPV_EVENT_COMMAND_REPLY:
  case MPV_EVENT_SET_PROPERTY_REPLY:
  case MPV_EVENT_GET_PROPERTY_REPLY:
    if (const auto reply = m_replies.find(event.reply_userdata); reply != m_replies.end()) {
      const Handler handler = std::move(reply->second);
      m_replies.erase(reply);
      handler(event);
    }
    return;
  case MPV_EVENT_LOG_MESSAGE:
    if (m_log) {
      const auto& message = *static_cast<const mpv_event_log_message*>(event.data);
      m_log(QString::fromUtf8(message.prefix), QString::fromUtf8(message.text));
    }
    return;
  default:
    if (const auto handlers = m_handlers.find(event.event_id); handlers != m_handlers.end())
      for (const Handler& handler : handlers->second)
        handler(event);
    return;
  }
}

// Replies are told apart by the number each request was sent with; 0 is a
// request nobody waits for.
uint64_t MpvSession::expect(Handler reply)
{
  if (!reply)
    return 0;
  const uint64_t id = m_nextId++;
  m_replies.emplace(id, std::move(reply));
  return id;
}

namespace {

MpvSession::Handler errorOf(MpvSession::Done done)
{
  if (!done)
    return {};
  return [done = std::move(done)](const mpv_event& event) { done(event.error); };
}

} // namespace

void MpvSession::set(const char* name, bool value, Done done)
{
  int flag = value;
  write(name, MPV_FORMAT_FLAG, &flag, std::move(done));
}

void MpvSession::set(const char* name, int64_t value, Done done)
{
  write(name, MPV_FORMAT_INT64, &value, std::move(done));
}

void MpvSession::set(const char* name, double value, Done done)
{
  write(name, MPV_FORMAT_DOUBLE, &value, std::move(done));
}

void MpvSession::set(const char* name, const QByteArray& value, Done done)
{
  const char* text = value.constData();
  write(name, MPV_FORMAT_STRING, &text, std::move(done));
}

void MpvSession::write(const char* name, int format, void* value, Done done)
{
  const uint64_t id = expect(errorOf(std::move(done)));
  refuseIf(mpv_set_property_async(m_mpv, id, name, mpv_format(format), value), id);
}

// A request the core would not even queue is answered at once.
void MpvSession::refuseIf(int sent, uint64_t id)
{
  if (sent >= 0 || id == 0)
    return;
  const Handler reply = m_replies.extract(id).mapped();
  reply(mpv_event{MPV_EVENT_NONE, sent, id, nullptr});
}

void MpvSession::get(const char* name, int format,
                     std::function<void(const mpv_event_property*)> done)
{
  const uint64_t id = expect([done](const mpv_event& event) {
    const auto* value = static_cast<const mpv_event_property*>(event.data);
    const bool has = event.error >= 0 && value && value->format != MPV_FORMAT_NONE && value->data;
    done(has ? value : nullptr);
  });
  refuseIf(mpv_get_property_async(m_mpv, id, name, mpv_format(format)), id);
}

void MpvSession::command(std::initializer_list<QByteArray> words, Done done)
{
  command(std::vector<QByteArray>(words), std::move(done));
}

void MpvSession::command(const std::vector<QByteArray>& words, Done done)
{
  send(words, errorOf(std::move(done)));
}

void MpvSession::request(std::initializer_list<QByteArray> words,
                         std::function<void(const mpv_node* result)> answered)
{
  send(words, [answered = std::move(answered)](const mpv_event& event) {
    const auto* reply = static_cast<const mpv_event_command*>(event.data);
    answered(event.error >= 0 && reply ? &reply->result : nullptr);
  });
}

void MpvSession::send(const std::vector<QByteArray>& words, Handler reply)
{
  std::vector<const char*> args;
  args.reserve(words.size() + 1);
  for (const QByteArray& word : words)
    args.push_back(word.constData());
  args.push_back(nullptr);
  const uint64_t id = expect(std::move(reply));
  refuseIf(mpv_command_async(m_mpv, id, args.data()), id);
}

void MpvSession::observe(const char* name, int format, Changed changed)
{
  const uint64_t id = m_nextId++;
  m_observers.emplace(id, std::move(changed));
  mpv_observe_property(m_mpv, id, name, mpv_format(format));
}

void MpvSession::on(int eventId, Handler handler)
{
  m_handlers[eventId].push_back(std::move(handler));
}

void MpvSession::onLog(const char* level,
                       std::function<void(const QString& part, const QString& line)> line)
{
  m_log = std::move(line);
  mpv_request_log_messages(m_mpv, level);
}
