#pragma once

#include <QString>
#include <functional>

class MenuModel;
enum class MenuItem;

// The settings file, read and written one key at a time with the semantics of
// the private-profile functions. There is no copy in memory: the check marks
// and the player hold the current state, the file what the next start applies.
class Settings {
public:
  // Every key lives in this section.
  static inline const QString Option = QStringLiteral("Option");

  QString ReadIni(const QString& section, const QString& key) const;
  bool WriteIni(const QString& section, const QString& key, const QString& value) const;

  // On/off options are stored as the exact texts "True" and "False".
  bool isTrue(const QString& key) const;
  // Flips an on/off option: `apply` gets the new state first, then the key is
  // written, then the check mark follows. Returns the new state.
  bool toggle(MenuModel& menus, MenuItem item, const QString& key,
              const std::function<void(bool)>& apply = {}) const;
};
