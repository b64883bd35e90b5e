#include "core/resume_store.h"

#include "core/atomic_file.h"
#include "core/file_lock.h"
#include "core/file_name_bytes.h"
#include "core/regular_file.h"
#include "core/runtime_folder.h"
#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <cmath>
#include <sys/stat.h>

namespace {

// A week: no media item is longer, and a number past it is damage.
constexpr double LongestPosition = 7 * 24 * 3600.0;
// Another window holds the lock only while it rewrites a small file.
constexpr std::chrono::milliseconds LockTimeout{1000};

bool keptAsItIs(char byte)
{
  return byte > 0x20 && byte < 0x7f && byte != '%';
}

QByteArray escapedKey(const QString& key)
{
  QByteArray out;
  for (const char byte : encodeFileName(key)) {
    if (keptAsItIs(byte))
      out += byte;
    else
      out += '%' + QByteArray::number(quint8(byte), 16).rightJustified(2, '0').toUpper();
  }
  return out;
}

// The key an escaped field stands for; empty when it is none we wrote.
QString unescapedKey(const QByteArray& field)
{
  QByteArray bytes;
  for (qsizetype i = 0; i < field.size(); ++i) {
    if (field[i] != '%') {
      if (!keptAsItIs(field[i]))
        return {};
      bytes += field[i];
      continue;
    }
    bool isHex = false;
    const int value = i + 2 < field.size() ? field.mid(i + 1, 2).toInt(&isHex, 16) : 0;
    if (!isHex || value == 0)
      return {};
    bytes += char(value);
    i += 2;
  }
  return decodeFileName(bytes);
}

} // namespace

QString ResumeStore::defaultPath()
{
  QString state = qEnvironmentVariable("XDG_STATE_HOME");
  // XDG base directories are absolute; a relative one is to be ignored.
  if (!QDir::isAbsolutePath(state))
    state = QDir::homePath() + QStringLiteral("/.local/state");
  return state + QStringLiteral("/Kelvarino/positions");
}

const ResumeStore::Entry* ResumeStore::find(const QString& key)
{
  const Entries& entries = current();
  const auto entry =
      std::find_if(entries.begin(), entries.end(), [&](const Entry& e) { return e.key == key; });
  return entry == entries.end() ? nullptr : &*entry;
}

std::optional<double> ResumeStore::position(const QString& key)
{
  const Entry* entry = find(key);
  return entry ? entry->seconds : std::nullopt;
}

ItemChoices ResumeStore::choices(const QString& key)
{
  const Entry* entry = find(key);
  return entry ? entry->choices : ItemChoices{};
}

void ResumeStore::remember(const QString& key, double seconds)
{
  const Entries& entries = current();
  if (!entries.empty() && entries.front().key == key && entries.front().seconds == seconds)
    return;
  record({key, false, seconds, {}});
}

void ResumeStore::forget(const QString& key)
{
  const Entry* entry = find(key);
  if (entry && entry->seconds)
    record({key, false, std::nullopt, {}});
}

void ResumeStore::choose(const QString& key, const ItemChoices& choices)
{
  const Entry* entry = find(key);
  ItemChoices updated = entry ? entry->choices : ItemChoices{};
  updated.update(choices);
  if (entry && updated == entry->choices)
    return;
  record({key, true, std::nullopt, choices});
}

bool ResumeStore::save(QString* error)
{
  if (m_changes.empty())
    return true;
  QDir().mkpath(QFileInfo(m_path).absolutePath());
  const FileLock lock(lockPathFor(m_path), LockTimeout);
  if (!lock.isLocked()) {
    if (error)
      *error = QStringLiteral("无法写入“%1”：另一个程序一直占用着它").arg(m_path);
    return false;
  }
  Entries merged = readFile();
  for (const Change& change : m_changes)
    apply(merged, change);
  QByteArray content;
  for (const Entry& entry : merged) {
    content += entry.seconds ? QByteArray::number(*entry.seconds, 'f', 3) : QByteArray("-");
    content += '\t' + escapedKey(entry.key);
    if (!entry.choices.isEmpty())
      content += '\t' + entry.choices.text();
    content += '\n';
  }
  if (!writeFileAtomically(m_path, content, error))
    return false;
  m_stamp = stampOf(m_path);
  m_entries = std::move(merged);
  m_changes.clear();
  return true;
}

void ResumeStore::load()
{
  if (!std::exchange(m_loaded, true))
    m_entries = readFile();
}

QString ResumeStore::readProblem() const
{
  return m_readProblem;
}

ResumeStore::Stamp ResumeStore::stampOf(const QString& path)
{
  struct stat info {};
  if (::stat(encodeFileName(path).constData(), &info) != 0)
    return {};
  return {info.st_dev, info.st_ino, info.st_size,
          info.st_mtim.tv_sec * 1'000'000'000LL + info.st_mtim.tv_nsec};
}

void ResumeStore::apply(Entries& entries, const Change& change)
{
  const auto found =
      std::find_if(entries.begin(), entries.end(),
                   [&](const Entry& e) { return e.key == change.key; });
  Entry entry{change.key, std::nullopt, {}};
  if (found != entries.end()) {
    entry = *found;
    entries.erase(found);
  }
  if (change.choosing)
    entry.choices.update(change.choices);
  else
    entry.seconds = change.seconds;
  if (!entry.seconds && entry.choices.isEmpty())
    return;
  entries.insert(entries.begin(), entry);
  if (int(entries.size()) > Capacity)
    entries.pop_back();
}

// "<seconds>\t<key>" or "-\t<key>", and "\t<choices>" where there are some.
std::optional<ResumeStore::Entry> ResumeStore::entryOf(const QByteArray& line)
{
  const QList<QByteArray> fields = line.split('\t');
  if (fields.size() < 2 || fields.size() > 3)
    return std::nullopt;
  Entry entry{unescapedKey(fields[1]), std::nullopt, {}};
  if (fields[0] != "-") {
    bool isNumber = false;
    const double seconds = fields[0].toDouble(&isNumber);
    if (!isNumber || !std::isfinite(seconds) || seconds < 0 || seconds > LongestPosition)
      return std::nullopt;
    entry.seconds = seconds;
  }
  if (fields.size() == 3) {
    const std::optional<ItemChoices> choices = ItemChoices::fromText(fields[2]);
    if (!choices)
      return std::nullopt;
    entry.choices = *choices;
  }
  if (entry.key.isEmpty() || (!entry.seconds && entry.choices.isEmpty()))
    return std::nullopt;
  return entry;
}

ResumeStore::Entries ResumeStore::readFile()
{
  // The stamp first: a write in between makes the next look read again.
  m_stamp = stampOf(m_path);
  m_readProblem.clear();
  Entries entries;
  const FileRead file = readRegularFile(m_path, MaximumFileSize);
  if (file.status != FileRead::Status::Read) {
    if (file.status != FileRead::Status::Missing)
      m_readProblem = QStringLiteral("无法读取“%1”：%2，保存时将替换它").arg(m_path, file.reason());
    return entries;
  }
  for (const QByteArray& line : file.bytes.split('\n')) {
    std::optional<Entry> entry = entryOf(line);
    if (!entry || std::any_of(entries.begin(), entries.end(),
                              [&](const Entry& e) { return e.key == entry->key; }))
      continue;
    entries.push_back(std::move(*entry));
    if (int(entries.size()) == Capacity)
      break;
  }
  return entries;
}

ResumeStore::Entries& ResumeStore::current()
{
  load();
  if (stampOf(m_path) != m_stamp) {
    m_entries = readFile();
    for (const Change& change : m_changes)
      apply(m_entries, change);
  }
  return m_entries;
}

void ResumeStore::record(const Change& change)
{
  // A playing video is remembered again and again: the newest position of a
  // run of them does all they do.
  const bool repeats = !m_changes.empty() && m_changes.back().key == change.key
                       && m_changes.back().choosing == change.choosing
                       && m_changes.back().seconds.has_value() == change.seconds.has_value();
  if (repeats && change.choosing)
    m_changes.back().choices.update(change.choices);
  else if (repeats)
    m_changes.back() = change;
  else
    m_changes.push_back(change);
  apply(m_entries, change);
}
