#pragma once

#include "core/class_store.h"
#include <QList>
#include <QStringList>
#include <QString>
#include <utility>

// Where the class store's files live: the user's data and configuration
// folders, and the icons to install (Qt resources in the program).
struct XdgFolders {
  QString dataHome;   // ${XDG_DATA_HOME:-~/.local/share}
  QString configHome; // ${XDG_CONFIG_HOME:-~/.config}
  QString iconSource = QStringLiteral(":/kelvarino/icons");
  // ${XDG_DATA_DIRS}: where installed copies keep their desktop entry.
  QStringList dataDirs;

  static XdgFolders ofUser();
};

// The class store on an XDG desktop. The keys translate to files:
//   ".kq" = "Kelvarino"               the MIME package declaring application/x-kelvarino
//                                     for *.kq, and that type's default application
//   "Kelvarino\DefaultIcon"           Icon=kelvarino, the icon installed in the hicolor theme
//   "Kelvarino\Shell" = "open"        nothing: an entry's Exec is its default action
//   "Kelvarino\Shell\open"            Comment=, the one text of the entry that describes
//                                     what opening with it does (shown with it in menus and
//                                     "open with" lists; there is no per-verb caption)
//   "Kelvarino\Shell\open\Command"    Exec=
//   any other extension = "Kelvarino" its MIME types in MimeType= and mapped to
//                                     kelvarino.desktop in mimeapps.list
// Values of other types (an extension mapped to another program) have no place
// here and are ignored. Only the open command can be read back.
//
// The entry in force is the user's kelvarino.desktop, or else the first one
// installed under the data folders. Reading reads it; writing writes the
// user's entry as that entry edited, and only when a value differs, so an
// installed copy that opens the running program is left in force.
class ClassStoreXdg : public ClassStore {
public:
  explicit ClassStoreXdg(XdgFolders folders);

  bool readDefault(const QString& keyPath, QString* value) override;
  void setDefault(const QString& keyPath, const QString& value) override;
  // Writes each changed file once, atomically, then refreshes the MIME and
  // desktop databases when their input changed.
  void flush() override;

  // The user's entry, which the store writes.
  QString desktopEntryPath() const;
  // The entry that the desktop uses: desktopEntryPath() or an installed one;
  // empty when there is none.
  QString entryInForce() const;
  QString mimePackagePath() const;
  QString mimeAppsPath() const;

private:
  void installIcons();

  XdgFolders m_folders;
  QList<std::pair<QString, QString>> m_pending;
};
