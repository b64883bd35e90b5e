#include "presentation/program_icon_qt.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

namespace {

constexpr int RenderedSizes[] = {16, 24, 32, 48, 128, 256};

QString renderedImage(int size)
{
  return QStringLiteral(":/kelvarino/icons/hicolor/%1x%1/apps/kelvarino.png").arg(size);
}

} // namespace

QPixmap programIconPixmap(int size)
{
  if (QFile::exists(renderedImage(size)))
    return QPixmap(renderedImage(size));
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QSvgRenderer svg(QStringLiteral(":/kelvarino/icons/kelvarino.svg"));
  QPainter painter(&image);
  svg.render(&painter);
  painter.end();
  return QPixmap::fromImage(image);
}

QIcon programIcon()
{
  QIcon icon;
  for (int size : RenderedSizes)
    icon.addPixmap(programIconPixmap(size));
  return icon;
}

QIcon programBigIcon(int size)
{
  QIcon icon(programIconPixmap(16));
  icon.addPixmap(programIconPixmap(size));
  return icon;
}
