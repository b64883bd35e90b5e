#pragma once

#include "core/full_screen.h"
#include "core/main_window_port.h"
#include "core/menu_model.h"
#include <QMargins>
#include <QPointer>
#include <QRect>
#include <QTimer>
#include <QWidget>
#include <optional>

class FormEvents;
class PlayerViewQt;
class MenuModel;
class QMenu;
class QAction;

// The main window: converts between twips and pixels, forwards the window's
// events to MediaFrm, shows the File menu as a pop-up, and owns full screen
// (main_window_full_screen_qt.cpp).
class MainWindowQt : public QWidget, public MainWindowPort, public FullScreenHost {
  Q_OBJECT
public:
  MainWindowQt(FormEvents& form, MenuModel& menus);
  ~MainWindowQt() override;

  // The player control, kept at the client area's top left corner.
  void setPlayer(PlayerViewQt* player);
  // While the player is full screen, and until the window has settled back
  // from it, the window's own size and state are not the form's business: its
  // resize handler stays out of it, the player fills the window, and the
  // window reports the rectangle and state it goes back to. A state or a
  // place asked for meanwhile is given once the window is back.
  void setPlayerFullScreen(bool on) override;
  bool playerFullScreen() const override;

  Twips Left() const override;
  Twips Top() const override;
  Twips Width() const override;
  Twips Height() const override;
  void setLeft(Twips left) override;
  void setTop(Twips top) override;
  void setWidth(Twips width) override;
  void setHeight(Twips height) override;
  Twips ScaleWidth() const override;
  Twips ScaleHeight() const override;
  int windowState() const override;
  void setWindowState(int state) override;
  void bringToFront() override;
  void allowActivation(const QString& token) override;
  void closeWindow() override;
  QString caption() const override;
  void setCaption(const QString& caption) override;
  Twips screenWidth() const override;
  Twips screenHeight() const override;
  QList<QRectF> screens() const override;
  void setPlayerSize(Twips width, Twips height) override;
  void popupFileMenu() override;
  void setStaysOnTop(bool on) override;
  void setBigIcon(int size) override;

protected:
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

private:
  void buildMenu();
  void frameLearned();
  void syncAction(MenuItem item);
  bool qtKnowsFrame() const;
  QMargins frame() const;
  QRect outerRect() const;
  void placeOuter(const QRect& outer);
  void formResize();
  void setUpFullScreen();
  void leaveFullScreen(bool restore);
  void windowStateChanged();
  void returnedFromFullScreen();
  void showState(int state);
  QRect formRect() const;
  QSize formClientSize() const;

  FormEvents& m_form;
  MenuModel& m_menus;
  QPointer<PlayerViewQt> m_player;
  QMenu* m_fileMenu = nullptr;
  QAction* m_actions[MenuItemCount] = {};
  QRect m_requestedOuter;      // the last outer rectangle asked for before Qt knew the frame
  QMargins m_frameBeforeMap;   // asked of the window manager before the first map
  bool m_frameLearned = false;
  enum class FullScreen { Off, On, Returning } m_fullScreen = FullScreen::Off;
  QRect m_outerBeforeFullScreen; // and after it, where the form placed the window meanwhile
  bool m_placeAfterFullScreen = false;
  QMargins m_frameBeforeFullScreen;
  std::optional<int> m_stateAfterFullScreen; // asked for while the window was not back
  bool m_stateAfterFullScreenGiven = false;
  QTimer m_settledAfterFullScreen;
  Qt::WindowStates m_stateBeforeFullScreen;
  QTimer m_leftByWindowManager;       // confirms that the window manager ended full screen
  struct FormView {
    int state = -1;
    QSize size;
    bool operator==(const FormView&) const = default;
  };
  FormView m_lastForwarded;   // the size and state Form_Resize last saw
};
