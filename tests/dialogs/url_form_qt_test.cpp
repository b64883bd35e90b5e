#include "dialogs/url_form_qt.h"

#include "core/file_name_bytes.h"
#include "dialogs/url_frm.h"
#include "fake_dialogs.h"
#include "fake_engine.h"
#include "qt_printers.h"
#include "temporary_files.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

// The real dialog over a real main window, with the player and the message
// boxes as doubles and the history in a temporary folder.
class UrlFormQtTest : public testing::Test {
protected:
  QTemporaryDir dir;
  QString history = dir.filePath("URL.m3u");
  QWidget mainWindow;
  FakeEngine player;
  FakeMessageBoxes messages;
  UrlFormQt view{&mainWindow};
  UrlFrm form{view, player, messages, history};

  void SetUp() override
  {
    mainWindow.resize(640, 480);
    mainWindow.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&mainWindow));
  }

  QComboBox* combo() { return view.findChild<QComboBox*>(); }
  QPushButton* button(const QString& text)
  {
    for (QPushButton* b : view.findChildren<QPushButton*>())
      if (b->text() == text)
        return b;
    return nullptr;
  }

  // Shows the dialog modally and runs `user` once it is on the screen; the
  // dialog is closed after a while should the user leave it open.
  void whileShown(const std::function<void()>& user)
  {
    QTimer::singleShot(0, &view, [this, user] {
      if (QTest::qWaitForWindowExposed(&view)) {
        QTest::qWait(150); // the window manager's frame and placement
        user();
      }
    });
    QTimer::singleShot(8000, &view, [this] { view.done(QDialog::Rejected); });
    form.Show();
  }
};

QRect pixels(int left, int top, int width, int height)
{
  return QRect(qRound(left / 15.0), qRound(top / 15.0), qRound(width / 15.0), qRound(height / 15.0));
}

} // namespace

TEST_F(UrlFormQtTest, TheLayoutCaptionsAndFontAreTheDesignedOnes)
{
  QSize client;
  bool modal = false;
  QPoint centreOffset;
  whileShown([&] {
    client = view.geometry().size();
    modal = QApplication::activeModalWidget() == &view;
    const QRect screen = view.screen()->geometry();
    centreOffset = view.frameGeometry().center() - screen.center();
    button("取消")->click();
  });
  EXPECT_EQ(client, QSize(453, 111)) << "6795 × 1665 twips";
  EXPECT_TRUE(modal);
  EXPECT_LE(centreOffset.manhattanLength(), 2) << "centred on the screen";

  EXPECT_EQ(view.windowTitle(), "打开URL");
  EXPECT_EQ(view.minimumSize(), view.maximumSize()) << "a fixed dialog border";
  const Qt::WindowFlags flags = view.windowFlags();
  EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
  EXPECT_FALSE(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
  EXPECT_EQ(view.parentWidget(), &mainWindow);
  EXPECT_TRUE(view.windowIcon().availableSizes().contains(QSize(128, 128)))
      << "the program's icon at 128 × 128 pixels";

  auto* label = view.findChild<QLabel*>();
  ASSERT_TRUE(label);
  for (QLabel* other : view.findChildren<QLabel*>())
    EXPECT_TRUE(other == label || other->isHidden()) << "no notice without a problem";
  EXPECT_EQ(label->text(), "请输入 Internet、计算机或网络上您要播放的媒体文件的URL 或路径。");
  EXPECT_EQ(label->geometry(), pixels(360, 120, 5640, 255));
  EXPECT_EQ(combo()->geometry().topLeft(), pixels(360, 480, 0, 0).topLeft());
  EXPECT_EQ(combo()->width(), pixels(0, 0, 6135, 0).width());
  EXPECT_TRUE(combo()->isEditable());
  EXPECT_EQ(button("确定")->geometry(), pixels(2880, 1080, 1215, 400));
  EXPECT_EQ(button("取消")->geometry(), pixels(4200, 1080, 1095, 400));
  EXPECT_EQ(button("清除")->geometry(), pixels(5400, 1080, 1095, 400));

  // The designed face first; fontconfig stands in a CJK face for it.
  const QFont font = label->font();
  EXPECT_EQ(font.families().value(0), "微软雅黑");
  EXPECT_EQ(font.pointSize(), 9);
  EXPECT_EQ(font.weight(), QFont::Normal);
  EXPECT_TRUE(QFontInfo(font).family().contains("CJK")) << QFontInfo(font).family().toStdString();
  EXPECT_EQ(button("确定")->font(), font);
}

TEST_F(UrlFormQtTest, TheHistoryFillsTheListAndTheFieldStartsEmpty)
{
  ASSERT_TRUE(putContent(history, "http://a/1.mp3\r\n/m/b.mkv\r\n"));
  QStringList items;
  QString field = "<unread>";
  whileShown([&] {
    for (int i = 0; i < combo()->count(); ++i)
      items << combo()->itemText(i);
    field = combo()->currentText();
    button("取消")->click();
  });
  EXPECT_EQ(items, (QStringList{"http://a/1.mp3", "/m/b.mkv"}));
  EXPECT_EQ(field, "");
}

TEST_F(UrlFormQtTest, AnUnreadableHistoryIsToldInTheDialogInTwoLinesLeftOfTheButtons)
{
  ASSERT_TRUE(QDir(dir.path()).mkpath("URL.m3u/inside"));
  QLabel* notice = nullptr;
  bool visible = false;
  QRect area;
  int neededHeight = 0;
  whileShown([&] {
    for (QLabel* label : view.findChildren<QLabel*>())
      if (label->isVisible() && label->text().startsWith("无法读取"))
        notice = label;
    if (notice) {
      visible = true;
      area = notice->geometry();
      neededHeight = notice->heightForWidth(notice->width());
    }
    button("取消")->click();
  });
  ASSERT_TRUE(notice) << "a visible notice";
  EXPECT_TRUE(visible);
  EXPECT_EQ(notice->toolTip(), history);
  EXPECT_LE(neededHeight, area.height()) << "the whole text fits";
  EXPECT_TRUE(QRect(QPoint(), view.size()).contains(area));
  EXPECT_FALSE(area.intersects(button("确定")->geometry()));
  EXPECT_FALSE(area.intersects(combo()->geometry()));
}

TEST_F(UrlFormQtTest, EnterAndEscapeDoNothingAndOKPlaysTheTypedAddress)
{
  bool openAfterKeys = false;
  int urlsAfterKeys = -1;
  whileShown([&] {
    QLineEdit* field = combo()->lineEdit();
    field->setFocus();
    QTest::keyClicks(field, "/m/typed clip.mp4");
    QTest::keyClick(field, Qt::Key_Return);
    QTest::keyClick(field, Qt::Key_Enter);
    QTest::keyClick(field, Qt::Key_Escape);
    QTest::keyClick(&view, Qt::Key_Escape);
    QTest::qWait(100);
    openAfterKeys = view.isVisible();
    urlsAfterKeys = int(player.urls.size());
    button("确定")->click();
  });
  EXPECT_TRUE(openAfterKeys);
  EXPECT_EQ(urlsAfterKeys, 0) << "Enter pressed no button";
  EXPECT_EQ(player.urls, QStringList{"/m/typed clip.mp4"});
  EXPECT_EQ(contentOf(history), "/m/typed clip.mp4\r\n");
  EXPECT_FALSE(view.isVisible());
}

TEST_F(UrlFormQtTest, ClearEmptiesTheListAndTheFieldAndKeepsTheDialogOpen)
{
  ASSERT_TRUE(putContent(history, "http://a/1.mp3\r\n"));
  int count = -1;
  QString field;
  bool open = false;
  whileShown([&] {
    combo()->setEditText("/m/x.mp4");
    button("清除")->click();
    count = combo()->count();
    field = combo()->currentText();
    open = view.isVisible();
    button("取消")->click();
  });
  EXPECT_EQ(count, 0);
  EXPECT_EQ(field, "");
  EXPECT_TRUE(open);
  EXPECT_EQ(contentOf(history), "\r\n");
  EXPECT_TRUE(player.urls.isEmpty());
}

TEST_F(UrlFormQtTest, DroppedFilesGiveTheFirstPathAndADroppedLinkItsText)
{
  QString afterFiles, afterLink, afterNothing;
  whileShown([&] {
    auto drop = [this](QMimeData& data) {
      const QPoint at = combo()->rect().center();
      QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
      QApplication::sendEvent(combo(), &enter);
      QDropEvent dropped(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
      QApplication::sendEvent(combo(), &dropped);
      return enter.isAccepted();
    };
    QMimeData files;
    // A file manager escapes a name's bytes; those that are not UTF-8 stay bytes.
    files.setUrls(
        {QUrl::fromEncoded("file:///d/one%FF%20clip.mkv"), QUrl::fromLocalFile("/d/two.mkv")});
    EXPECT_TRUE(drop(files));
    afterFiles = combo()->currentText();

    QMimeData link;
    link.setUrls({QUrl("https://example.org/v.mp4")});
    link.setText("https://example.org/v.mp4");
    EXPECT_TRUE(drop(link));
    afterLink = combo()->currentText();

    QMimeData nothing;
    nothing.setData("application/x-other", "x");
    EXPECT_FALSE(drop(nothing)) << "a drop with neither file nor text is refused";
    afterNothing = combo()->currentText();
    button("取消")->click();
  });
  EXPECT_EQ(afterFiles, decodeFileName("/d/one\xff clip.mkv"));
  EXPECT_EQ(afterLink, "https://example.org/v.mp4");
  EXPECT_EQ(afterNothing, "https://example.org/v.mp4");
  EXPECT_TRUE(player.urls.isEmpty()) << "nothing plays until OK";
}
