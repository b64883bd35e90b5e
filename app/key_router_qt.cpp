#include "app/key_router_qt.h"

#include "core/form_events.h"
#include "core/shift_state.h"
#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

KeyRouterQt::KeyRouterQt(QWidget& window, FormEvents& form) : m_window(window), m_form(form)
{
  qApp->installEventFilter(this);
}

KeyRouterQt::~KeyRouterQt()
{
  qApp->removeEventFilter(this);
}

bool KeyRouterQt::eventFilter(QObject* watched, QEvent* event)
{
  // A press counts where it is delivered first, at the focus widget or, with
  // none, at the window, and only as it arrives: when the command it runs (a
  // modal dialog) leaves the focus elsewhere, the unhandled press travels on
  // to the parents, no longer spontaneous, and must not run again. The type
  // first: widgets send events while they are being destroyed.
  if (event->type() != QEvent::KeyPress || !event->spontaneous() || !watched->isWidgetType())
    return false;
  auto* widget = static_cast<QWidget*>(watched);
  QWidget* focus = QApplication::focusWidget();
  if (widget->window() != &m_window || widget != (focus ? focus : &m_window))
    return false;
  const auto* key = static_cast<QKeyEvent*>(event);
  // The form's shortcuts run once a press; the player's keys repeat while held.
  if (!key->isAutoRepeat())
    m_form.Form_KeyDown(key->key(), shiftStateOf(key->modifiers()));
  return m_form.playerKeyPressed(key->key(), key->modifiers());
}
