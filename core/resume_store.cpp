#include "core/resume_store.h"

#include "core/atomic_file.h"
#include "core/file_name_bytes.h"
#include "core/regular_file.h"
#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <cmath>

namespace {

// A week: no media item is longer, and a number past it is damage.
constexpr double LongestPosition = 7 * 24 * 3600.0;

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

std::optional<double> ResumeStore::position(const QString& key)
{
  load();
  const auto entry = find(key);
  if (entry == m_entries.end())
    return std::nullopt;
  return entry->seconds;
}

void ResumeStore::remember(const QString& key, double seconds)
{
  load();
  const auto entry = find(key);
  if (entry != m_entries.end() && entry == m_entries.begin() && entry->seconds == seconds)
    return;
  if (entry != m_entries.end())
    m_entries.erase(entry);
  m_entries.insert(m_entries.begin(), {key, seconds});
  if (int(m_entries.size()) > Capacity)
    m_entries.pop_back();
  m_changed = true;
}

void ResumeStore::forget(const QString& key)
{
  load();
  const auto entry = find(key);
  if (entry == m_entries.end())
    return;
  m_entries.erase(entry);
  m_changed = true;
}

bool ResumeStore::save(QString* error)
{
  if (!m_changed)
    return true;
  QByteArray content;
  for (const Entry& entry : m_entries)
    content += QByteArray::number(entry.seconds, 'f', 3) + '\t' + escapedKey(entry.key) + '\n';
  QDir().mkpath(QFileInfo(m_path).absolutePath());
  if (!writeFileAtomically(m_path, content, error))
    return false;
  m_changed = false;
  return true;
}

void ResumeStore::load()
{
  if (std::exchange(m_loaded, true))
    return;
  const FileRead file = readRegularFile(m_path, MaximumFileSize);
  if (file.status != FileRead::Status::Read) {
    if (file.status != FileRead::Status::Missing)
      m_readProblem = QStringLiteral("无法读取“%1”：%2，保存时将替换它").arg(m_path, file.reason());
    return;
  }
  for (const QByteArray& line : file.bytes.split('\n')) {
    const qsizetype tab = line.indexOf('\t');
    if (tab <= 0)
      continue;
    bool isNumber = false;
    const double seconds = line.first(tab).toDouble(&isNumber);
    const QString key = unescapedKey(line.sliced(tab + 1));
    if (!isNumber || !std::isfinite(seconds) || seconds < 0 || seconds > LongestPosition || key.isEmpty()
        || find(key) != m_entries.end())
      continue;
    m_entries.push_back({key, seconds});
    if (int(m_entries.size()) == Capacity)
      break;
  }
}

QString ResumeStore::readProblem() const
{
  return m_readProblem;
}

std::vector<ResumeStore::Entry>::iterator ResumeStore::find(const QString& key)
{
  return std::find_if(m_entries.begin(), m_entries.end(), [&](const Entry& e) { return e.key == key; });
}
