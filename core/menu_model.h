#pragma once

#include <QObject>
#include <QString>
#include <array>

// The hidden File menu: every command of the window, shown only as a pop-up.
enum class MenuItem {
  mFile, mOpen, mOpenURL, mSaveAs, mPlaySetup, mRnd, mReplay, mTop, FileReg,
  mZoom, mZ1, mZ2, mZ3, mZ4, mRun,
};
inline constexpr int MenuItemCount = static_cast<int>(MenuItem::mRun) + 1;

struct MenuEntry {
  MenuItem item;
  const char16_t* caption;
  MenuItem parent;      // mFile for the top level (mFile's own parent is itself)
  bool submenu;
  const char* shortcut; // shown next to the caption; the window's key handler does the work
  bool option;          // an on/off option that shows a check mark
};

// In pop-up order.
const std::array<MenuEntry, MenuItemCount>& menuTree();

// The check marks: the program's record of the on/off options while it runs.
// The Qt menu mirrors this model.
class MenuModel : public QObject {
  Q_OBJECT
public:
  bool checked(MenuItem item) const { return m_checked[index(item)]; }
  void setChecked(MenuItem item, bool on);

signals:
  void changed(MenuItem item);

private:
  static int index(MenuItem item) { return static_cast<int>(item); }
  std::array<bool, MenuItemCount> m_checked{};
};
