#include "dialogs/message_boxes_qt.h"

#include <QMessageBox>

MessageBoxes::Answer MessageBoxesQt::show(Icon icon, const QString& title, const QString& text,
                                          Buttons buttons)
{
  static constexpr QMessageBox::Icon icons[] = {QMessageBox::NoIcon, QMessageBox::Information,
                                                QMessageBox::Warning, QMessageBox::Critical,
                                                QMessageBox::Question};
  QMessageBox box(icons[int(icon)], title, text, QMessageBox::NoButton, m_parent);
  if (buttons == Buttons::YesNo) {
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::No);
  } else {
    box.setStandardButtons(QMessageBox::Ok);
  }
  const int result = box.exec();
  if (buttons == Buttons::Ok)
    return Answer::Ok;
  return result == QMessageBox::Yes ? Answer::Yes : Answer::No;
}
