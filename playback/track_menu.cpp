#include "playback/track_menu.h"

#include <QHash>
#include <QLocale>

namespace TrackMenu {

namespace {

// Media files name languages by ISO 639-2 (both its forms) or 639-1 codes;
// subtitle file names also by the customary "chs" and "cht".
const QHash<QString, QString>& languageNames()
{
  static const QHash<QString, QString> names = [] {
    const std::pair<const char*, const char*> table[] = {
        {"chi", "中文"}, {"zho", "中文"}, {"zh", "中文"}, {"chs", "简体中文"}, {"cht", "繁体中文"},
        {"zh-cn", "简体中文"}, {"zh-hans", "简体中文"}, {"zh-sg", "简体中文"},
        {"zh-tw", "繁体中文"}, {"zh-hant", "繁体中文"}, {"zh-hk", "繁体中文"},
        {"yue", "粤语"}, {"eng", "英语"}, {"en", "英语"}, {"jpn", "日语"}, {"ja", "日语"},
        {"kor", "韩语"}, {"ko", "韩语"}, {"fre", "法语"}, {"fra", "法语"}, {"fr", "法语"},
        {"ger", "德语"}, {"deu", "德语"}, {"de", "德语"}, {"spa", "西班牙语"}, {"es", "西班牙语"},
        {"rus", "俄语"}, {"ru", "俄语"}, {"ita", "意大利语"}, {"it", "意大利语"},
        {"por", "葡萄牙语"}, {"pt", "葡萄牙语"}, {"ara", "阿拉伯语"}, {"ar", "阿拉伯语"},
        {"tha", "泰语"}, {"th", "泰语"}, {"vie", "越南语"}, {"vi", "越南语"},
        {"hin", "印地语"}, {"hi", "印地语"}};
    QHash<QString, QString> map;
    for (const auto& [code, name] : table)
      map.insert(QString::fromLatin1(code), QString::fromUtf8(name));
    return map;
  }();
  return names;
}

QVector<Track> ofKind(const QVector<Track>& tracks, Track::Kind kind)
{
  QVector<Track> chosen;
  for (const Track& track : tracks)
    if (track.kind == kind)
      chosen.append(track);
  return chosen;
}

// A title such as "English" or "eng" on an English track says nothing more.
bool repeatsLanguage(const QString& title, const Track& track)
{
  if (languageName(track.language).isEmpty())
    return false;
  const QString english =
      QLocale::languageToString(QLocale::codeToLanguage(track.language.section(u'-', 0, 0)));
  for (const QString& name : {languageName(track.language), track.language, english})
    if (title.compare(name, Qt::CaseInsensitive) == 0)
      return true;
  return false;
}

// Language and title, either alone, or "" when the track has neither.
QString description(const Track& track)
{
  const QString language = languageName(track.language);
  const QString title = track.title.trimmed();
  if (title.isEmpty() || repeatsLanguage(title, track))
    return language;
  if (language.isEmpty())
    return title;
  return language + QStringLiteral("（") + title + QStringLiteral("）");
}

QString trackNumber(int number)
{
  return QStringLiteral("轨道 %1").arg(number);
}

} // namespace

QString languageName(const QString& code)
{
  const QString key = code.trimmed().toLower().replace(u'_', u'-');
  if (key.isEmpty() || key == QLatin1String("und"))
    return {};
  if (const auto found = languageNames().constFind(key); found != languageNames().cend())
    return *found;
  // "zh-Hans-CN", "en-US": the script, else the language before the region.
  for (const QString& script : {QStringLiteral("zh-hans"), QStringLiteral("zh-hant")})
    if (key.startsWith(script + u'-'))
      return languageNames().value(script);
  return languageNames().value(key.section(u'-', 0, 0), code.trimmed());
}

QVector<TrackEntry> entries(const QVector<Track>& tracks, Track::Kind kind)
{
  const QVector<Track> own = ofKind(tracks, kind);
  QVector<TrackEntry> list;
  QHash<QString, int> uses;
  for (int i = 0; i < own.size(); ++i) {
    QString text = description(own[i]);
    list.append({text.isEmpty() ? trackNumber(i + 1) : text, own[i].id, own[i].selected});
    ++uses[list.back().text];
  }
  // Two tracks that read alike are told apart by their place.
  for (int i = 0; i < list.size(); ++i)
    if (uses.value(list[i].text) > 1)
      list[i].text += QStringLiteral("（") + trackNumber(i + 1) + QStringLiteral("）");
  if (kind == Track::Kind::Subtitle) {
    bool any = false;
    for (const Track& track : own)
      any = any || track.selected;
    list.append({QStringLiteral("关闭"), Off, !any});
  }
  return list;
}

int next(const QVector<Track>& tracks, Track::Kind kind)
{
  const QVector<Track> own = ofKind(tracks, kind);
  if (own.isEmpty())
    return Off;
  for (int i = 0; i < own.size(); ++i) {
    if (!own[i].selected)
      continue;
    if (i + 1 < own.size())
      return own[i + 1].id;
    return kind == Track::Kind::Subtitle ? Off : own.front().id;
  }
  return own.front().id;
}

QString note(const QVector<Track>& tracks, Track::Kind kind, int id)
{
  const QVector<Track> own = ofKind(tracks, kind);
  const bool audio = kind == Track::Kind::Audio;
  for (int i = 0; i < own.size(); ++i) {
    if (own[i].id != id)
      continue;
    const QString text = description(own[i]);
    if (audio)
      return QStringLiteral("音轨 %1").arg(i + 1) + (text.isEmpty() ? QString() : QStringLiteral("：") + text);
    return QStringLiteral("字幕：") + (text.isEmpty() ? trackNumber(i + 1) : text);
  }
  return audio ? QStringLiteral("音轨：关闭") : QStringLiteral("字幕：关闭");
}

bool hasSubtitles(const QVector<Track>& tracks)
{
  return !ofKind(tracks, Track::Kind::Subtitle).isEmpty();
}

QString visibilityNote(const QVector<Track>& tracks, bool visible)
{
  if (!hasSubtitles(tracks))
    return QStringLiteral("没有字幕");
  return visible ? QStringLiteral("显示字幕") : QStringLiteral("隐藏字幕");
}

} // namespace TrackMenu
