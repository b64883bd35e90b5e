#include "core/settings.h"

#include "core/menu_model.h"
#include "core/private_profile.h"
#include "core/settings_file.h"
#include <QDir>
#include <QFileInfo>

namespace {

// The read buffer holds 127 bytes and the terminating NUL; a written value is
// cut to 128 characters.
constexpr int readBufferSize = 128;
constexpr qsizetype writtenCharacters = 128;

// Only spaces, not tabs or other blanks.
QString withoutOuterSpaces(const QString& text)
{
  qsizetype begin = 0;
  qsizetype end = text.size();
  while (begin < end && text[begin] == u' ')
    ++begin;
  while (end > begin && text[end - 1] == u' ')
    --end;
  return text.sliced(begin, end - begin);
}

// Never leaves half of a surrogate pair at the end.
QString firstCharacters(const QString& text, qsizetype count)
{
  if (text.size() <= count)
    return text;
  return text.first(text[count - 1].isHighSurrogate() ? count - 1 : count);
}

} // namespace

QString Settings::ReadIni(const QString& section, const QString& key) const
{
  return withoutOuterSpaces(
      GetPrivateProfileString(section, key, QString(), readBufferSize, settingsFilePath()));
}

bool Settings::WriteIni(const QString& section, const QString& key, const QString& value) const
{
  const QString path = settingsFilePath();
  // The user's configuration folder may not exist yet on a fresh account.
  QDir().mkpath(QFileInfo(path).absolutePath());
  return WritePrivateProfileString(section, key, firstCharacters(value, writtenCharacters), path);
}

bool Settings::isTrue(const QString& key) const
{
  return ReadIni(Option, key) == QLatin1String("True");
}

bool Settings::toggle(MenuModel& menus, MenuItem item, const QString& key,
                      const std::function<void(bool)>& apply) const
{
  const bool on = !menus.checked(item);
  if (apply)
    apply(on);
  WriteIni(Option, key, on ? QStringLiteral("True") : QStringLiteral("False"));
  menus.setChecked(item, on);
  return on;
}
