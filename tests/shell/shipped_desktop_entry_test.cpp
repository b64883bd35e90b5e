#include "core/media_types.h"
#include "shell/mod_reg_name.h"
#include <QFile>
#include <QMimeDatabase>
#include <gtest/gtest.h>

namespace {

// The MimeType list of the desktop entry that is installed with the program.
QStringList shippedMimeTypes()
{
  QFile file(qEnvironmentVariable("KELVARINO_SOURCE_DIR") + "/resources/kelvarino.desktop");
  if (!file.open(QIODevice::ReadOnly))
    return {};
  for (const QByteArray& line : file.readAll().split('\n'))
    if (line.startsWith("MimeType="))
      return QString::fromUtf8(line.mid(9)).split(u';', Qt::SkipEmptyParts);
  return {};
}

} // namespace

// The installed entry offers the player for every type that 文件关联 can
// make its default, so "open with" lists it before and after the question.
TEST(ShippedDesktopEntryTest, OffersEveryTypeTheUserCanAssociateAndTheOwnOne)
{
  const QStringList shipped = shippedMimeTypes();
  ASSERT_FALSE(shipped.isEmpty()) << "no MimeType in resources/kelvarino.desktop";
  EXPECT_TRUE(shipped.contains("application/x-kelvarino"));
  for (const QString& extension : MediaTypes::associatedExtensions()) {
    const QList<QMimeType> types = QMimeDatabase().mimeTypesForFileName(u'x' + extension);
    EXPECT_FALSE(types.isEmpty()) << qPrintable(extension);
    for (const QMimeType& type : types)
      EXPECT_TRUE(shipped.contains(type.name())) << qPrintable(extension + " " + type.name());
  }
  QStringList once = shipped;
  EXPECT_EQ(once.removeDuplicates(), 0);
}
