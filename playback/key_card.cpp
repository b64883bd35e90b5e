#include "playback/key_card.h"

#include <QHash>
#include <algorithm>
#include <map>

namespace KeyCard {

namespace {

QString groupName(KeyGroup group)
{
  switch (group) {
  case KeyGroup::Playback: return QStringLiteral("播放");
  case KeyGroup::Seeking: return QStringLiteral("跳转");
  case KeyGroup::Volume: return QStringLiteral("音量");
  case KeyGroup::SubtitlesAndAudio: return QStringLiteral("字幕与音轨");
  case KeyGroup::Picture: return QStringLiteral("画面");
  case KeyGroup::Window: return QStringLiteral("窗口");
  }
  return {};
}

QString namedKey(int key)
{
  static const QHash<int, QString> names{
      {Qt::Key_Space, QStringLiteral("空格")},  {Qt::Key_Left, QStringLiteral("←")},
      {Qt::Key_Right, QStringLiteral("→")},     {Qt::Key_Up, QStringLiteral("↑")},
      {Qt::Key_Down, QStringLiteral("↓")},      {Qt::Key_Home, QStringLiteral("Home")},
      {Qt::Key_End, QStringLiteral("End")},     {Qt::Key_PageUp, QStringLiteral("PgUp")},
      {Qt::Key_PageDown, QStringLiteral("PgDn")}, {Qt::Key_Escape, QStringLiteral("Esc")},
      {Qt::Key_Backspace, QStringLiteral("Backspace")}, {Qt::Key_Return, QStringLiteral("Enter")},
      {Qt::Key_Enter, QStringLiteral("Enter")}, {Qt::Key_Tab, QStringLiteral("Tab")},
      {Qt::Key_Delete, QStringLiteral("Delete")}, {Qt::Key_Insert, QStringLiteral("Insert")}};
  if (const auto name = names.constFind(key); name != names.cend())
    return *name;
  if (key >= Qt::Key_F1 && key <= Qt::Key_F35)
    return QStringLiteral("F%1").arg(key - Qt::Key_F1 + 1);
  return {};
}

bool isSymbol(int key)
{
  return key > 0x20 && key < 0x7f && !QChar(key).isLetterOrNumber();
}

} // namespace

QString keyText(int key, Qt::KeyboardModifiers modifiers)
{
  if (isSymbol(key))
    return QString(QChar(key));
  const bool shifted = modifiers & Qt::ShiftModifier;
  QString name = namedKey(key);
  // A letter reads as it is typed: "s", and "Shift+S" beside it.
  if (name.isEmpty())
    name = key > 0x20 && key <= 0xffff
               ? (shifted ? QString(QChar(key)).toUpper() : QString(QChar(key)).toLower())
               : QStringLiteral("0x%1").arg(key, 0, 16);
  return shifted ? QStringLiteral("Shift+") + name : name;
}

QVector<CardSection> sections(const std::vector<KeyBinding>& map)
{
  struct Row {
    PlayerKey action;
    QStringList keys;
    QString words;
  };
  std::map<KeyGroup, QVector<Row>> rows;
  for (const KeyBinding& binding : map) {
    QVector<Row>& group = rows[binding.group];
    auto row = std::find_if(group.begin(), group.end(),
                            [&](const Row& r) { return r.action == binding.action; });
    if (row == group.end())
      row = group.insert(group.end(), {binding.action, {}, QString::fromUtf8(binding.words)});
    const QString key = keyText(binding.key, binding.modifiers);
    if (!row->keys.contains(key))
      row->keys << key;
  }
  QVector<CardSection> card;
  for (const KeyGroup group : {KeyGroup::Playback, KeyGroup::Seeking, KeyGroup::Volume,
                               KeyGroup::SubtitlesAndAudio, KeyGroup::Picture, KeyGroup::Window}) {
    const auto found = rows.find(group);
    if (found == rows.end())
      continue;
    CardSection section{groupName(group), {}};
    for (const Row& row : found->second)
      section.rows.append({row.keys.join(QStringLiteral(" / ")), row.words});
    card.append(section);
  }
  return card;
}

} // namespace KeyCard
