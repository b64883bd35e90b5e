#include "form_fixture.h"

#include <QDir>

FormTest::FormTest()
{
  QDir(dir.path()).mkpath("windows");
  QDir(dir.path()).mkpath("program");
  qputenv("windir", QFile::encodeName(dir.filePath("windows")));
  start.executablePath = dir.filePath("program/kelvarino");
}

FormTest::~FormTest()
{
  qunsetenv("windir");
}

void FormTest::writeSettings(const QByteArray& lines)
{
  QFile file(settingsPath());
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("[Option]\r\n" + lines);
}

QByteArray FormTest::settings() const
{
  QFile file(settingsPath());
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void FormTest::load(const QString& commandTail)
{
  ASSERT_TRUE(tryLoad(commandTail));
}

bool FormTest::tryLoad(const QString& commandTail)
{
  return tryLoad(commandTail.isEmpty() ? QStringList() : QStringList{commandTail});
}

bool FormTest::tryLoad(const QStringList& arguments)
{
  start.arguments = arguments;
  form = std::make_unique<MediaFrm>(start, channel);
  form->Form_Initialize();
  return form->Form_Load(factory);
}
