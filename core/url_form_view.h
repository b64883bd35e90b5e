#pragma once

#include <QString>
#include <QStringList>

class UrlFrm;

// What a drop onto the address field carried: the full paths of its local
// files, in the order of the drop, and its plain text (a link dragged from a
// browser has no file, only text; of several lines the first is the address).
struct DropData {
  QStringList files;
  QString text;
};

// The open-URL dialog's window as its logic sees it: the combo box `Combo1`
// (an editable field with a drop-down list) and the window itself. Each view
// is one opening of the dialog; it is discarded when it closes.
class UrlFormView {
public:
  virtual ~UrlFormView() = default;

  // The drop-down list, in order, and the text of the field.
  virtual QStringList items() const = 0;
  virtual void addItem(const QString& item) = 0;
  // Empties the list and the field with it.
  virtual void clearItems() = 0;
  virtual QString text() const = 0;
  virtual void setText(const QString& text) = 0;

  // The window's big icon from the program's own icon at size × size pixels.
  virtual void setBigIcon(int size) = 0;
  // A line of text in the window that tells of a problem, with `detail` on
  // demand (as a tool tip).
  virtual void showNotice(const QString& text, const QString& detail) = 0;

  // Shows the window modally over the main window and returns once it is
  // closed; its buttons and drops reach `form` meanwhile.
  virtual void showModal(UrlFrm& form) = 0;
  // Closes the window shown by showModal and discards it.
  virtual void unload() = 0;
};
