#pragma once

#include <QObject>

class FormEvents;
class QWidget;

// The one way a key press takes in the main window, whichever of its widgets
// has the focus: the form previews it (Ctrl+O, Ctrl+U) without consuming it,
// then the player takes its own keys, which go no further.
class KeyRouterQt : public QObject {
  Q_OBJECT
public:
  KeyRouterQt(QWidget& window, FormEvents& form);
  ~KeyRouterQt() override;

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  QWidget& m_window;
  FormEvents& m_form;
};
