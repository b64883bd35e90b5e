#include "dialogs/url_form_qt.h"

#include "core/file_name_bytes.h"
#include "core/frame_extents_x11.h"
#include "core/twips.h"
#include "dialogs/url_frm.h"
#include "dialogs/window_hints_x11.h"
#include "presentation/program_icon_qt.h"
#include <QComboBox>
#include <QDropEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QUrl>

namespace {

QRect twipsRect(int left, int top, int width, int height)
{
  return QRect(toPixels(left), toPixels(top), toPixels(width), toPixels(height));
}

// The designed face first; where it is missing, a CJK face that has every
// character of the captions, before Qt's own per-character fallback.
QFont dialogFont()
{
  QFont font;
  font.setFamilies({QStringLiteral("微软雅黑"), QStringLiteral("Noto Sans CJK SC"),
                    QStringLiteral("Noto Sans CJK")});
  font.setPointSize(9);
  font.setWeight(QFont::Normal);
  return font;
}

QPushButton* button(QWidget* parent, const QString& text, const QRect& rect)
{
  auto* b = new QPushButton(text, parent);
  // No button answers Enter: none is the default, none becomes it by focus.
  b->setAutoDefault(false);
  b->setDefault(false);
  b->setGeometry(rect);
  return b;
}

DropData dropData(const QMimeData& mime)
{
  DropData data;
  QStringList otherUrls;
  for (const QUrl& url : mime.urls()) {
    if (url.isLocalFile())
      data.files << localFileOfUrl(url); // the name's bytes, UTF-8 or not
    else
      otherUrls << url.toString();
  }
  data.text = mime.hasText() ? mime.text() : otherUrls.value(0);
  return data;
}

} // namespace

UrlFormQt::UrlFormQt(QWidget* mainWindow)
    : QDialog(mainWindow, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
{
  setWindowTitle(QStringLiteral("打开URL"));
  setFont(dialogFont());
  setFixedSize(toPixels(6795), toPixels(1665));

  // Created in tab order: the label, the field, then 确定, 取消, 清除.
  Label1 = new QLabel(
      QStringLiteral("请输入 Internet、计算机或网络上您要播放的媒体文件的URL 或路径。"), this);
  Label1->setGeometry(twipsRect(360, 120, 5640, 255));

  Combo1 = new QComboBox(this);
  Combo1->setEditable(true);
  // The list is the history, in the order UrlFrm gives it: Enter adds nothing.
  Combo1->setInsertPolicy(QComboBox::NoInsert);
  Combo1->setDuplicatesEnabled(true);
  Combo1->setCompleter(nullptr);
  Combo1->setGeometry(QRect(toPixels(360), toPixels(480), toPixels(6135), Combo1->sizeHint().height()));
  // Drops go to UrlFrm, not into the text at the cursor.
  Combo1->lineEdit()->setAcceptDrops(false);
  Combo1->setAcceptDrops(true);
  Combo1->installEventFilter(this);

  // Problems are told in the free corner left of the buttons, in two lines.
  m_notice = new QLabel(this);
  m_notice->setGeometry(twipsRect(360, 1000, 2400, 600));
  m_notice->setWordWrap(true);
  m_notice->setStyleSheet(QStringLiteral("color: #b00000"));
  m_notice->hide();

  Command1 = button(this, QStringLiteral("确定"), twipsRect(2880, 1080, 1215, 400));
  Command2 = button(this, QStringLiteral("取消"), twipsRect(4200, 1080, 1095, 400));
  Command3 = button(this, QStringLiteral("清除"), twipsRect(5400, 1080, 1095, 400));
  connect(Command1, &QPushButton::clicked, this, [this] { if (m_form) m_form->Command1_Click(); });
  connect(Command2, &QPushButton::clicked, this, [this] { if (m_form) m_form->Command2_Click(); });
  connect(Command3, &QPushButton::clicked, this, [this] { if (m_form) m_form->Command3_Click(); });
}

QStringList UrlFormQt::items() const
{
  QStringList list;
  for (int i = 0; i < Combo1->count(); ++i)
    list << Combo1->itemText(i);
  return list;
}

void UrlFormQt::addItem(const QString& item)
{
  // Adding to an empty list would select the item and fill the field.
  const QString text = Combo1->currentText();
  Combo1->addItem(item);
  Combo1->setEditText(text);
}

void UrlFormQt::clearItems()
{
  Combo1->clear();
  Combo1->clearEditText();
}

QString UrlFormQt::text() const
{
  return Combo1->currentText();
}

void UrlFormQt::setText(const QString& text)
{
  Combo1->setEditText(text);
}

void UrlFormQt::setBigIcon(int size)
{
  setWindowIcon(programBigIcon(size));
}

void UrlFormQt::showNotice(const QString& text, const QString& detail)
{
  m_notice->setText(text);
  m_notice->setToolTip(detail);
  m_notice->show();
}

void UrlFormQt::showModal(UrlFrm& form)
{
  m_form = &form;
  centreOnScreen();
  skipTaskbar(this);
  Combo1->setFocus();
  exec();
  m_form = nullptr;
}

void UrlFormQt::unload()
{
  done(QDialog::Rejected);
}

void UrlFormQt::centreOnScreen()
{
  const QMargins frame = requestFrameExtents(this);
  const QSize outer(width() + frame.left() + frame.right(), height() + frame.top() + frame.bottom());
  const QRect screen = (parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen())
                           ->geometry();
  const QPoint outerTopLeft(screen.x() + (screen.width() - outer.width()) / 2,
                            screen.y() + (screen.height() - outer.height()) / 2);
  // The native window exists already (the frame was asked for through it), so
  // move() places the client area, not the frame.
  move(outerTopLeft + QPoint(frame.left(), frame.top()));
}

void UrlFormQt::changeEvent(QEvent* event)
{
  // The dialog has no minimise box, but a window manager may minimise it all
  // the same (openbox offers it on every dialog, whatever the hints say, and
  // takes the main window along): it comes straight back.
  if (event->type() == QEvent::WindowStateChange && (windowState() & Qt::WindowMinimized)) {
    const auto restore = [this] { setWindowState(windowState() & ~Qt::WindowMinimized); };
    QMetaObject::invokeMethod(this, restore, Qt::QueuedConnection);
  }
  QDialog::changeEvent(event);
}

void UrlFormQt::keyPressEvent(QKeyEvent* event)
{
  // Escape is bound to no button and does not close the dialog either.
  if (event->matches(QKeySequence::Cancel)) {
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

bool UrlFormQt::eventFilter(QObject* watched, QEvent* event)
{
  if (watched != Combo1)
    return QDialog::eventFilter(watched, event);
  switch (event->type()) {
  case QEvent::DragEnter:
  case QEvent::DragMove: {
    auto* drag = static_cast<QDragMoveEvent*>(event);
    const bool usable = drag->mimeData()->hasUrls() || drag->mimeData()->hasText();
    if (usable)
      drag->acceptProposedAction();
    else
      drag->ignore();
    return true;
  }
  case QEvent::Drop: {
    auto* drop = static_cast<QDropEvent*>(event);
    drop->acceptProposedAction();
    if (m_form)
      m_form->Combo1_OLEDragDrop(dropData(*drop->mimeData()));
    return true;
  }
  default:
    return QDialog::eventFilter(watched, event);
  }
}
