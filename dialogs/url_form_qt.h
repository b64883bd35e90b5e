#pragma once

#include "core/url_form_view.h"
#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;

// The open-URL window: a fixed dialog over the main window, laid out in twips
// at 15 per pixel, in "微软雅黑" 9 pt with a CJK fallback. Its buttons and the
// drops on its address field go to UrlFrm.
class UrlFormQt : public QDialog, public UrlFormView {
  Q_OBJECT
public:
  explicit UrlFormQt(QWidget* mainWindow);

  QStringList items() const override;
  void addItem(const QString& item) override;
  void clearItems() override;
  QString text() const override;
  void setText(const QString& text) override;
  void setBigIcon(int size) override;
  void showNotice(const QString& text, const QString& detail) override;
  void showModal(UrlFrm& form) override;
  void unload() override;

protected:
  void changeEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void centreOnScreen();

  UrlFrm* m_form = nullptr;
  QLabel* Label1;
  QLabel* m_notice;
  QComboBox* Combo1;
  QPushButton* Command1;
  QPushButton* Command2;
  QPushButton* Command3;
};
