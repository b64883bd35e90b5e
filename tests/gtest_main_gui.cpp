#include <QApplication>
#include <clocale>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// Adapter tests run in the X session that with_display.sh provides.
int main(int argc, char** argv)
{
  QApplication app(argc, argv);
  // Lock files go to the runtime folder: the tests' own, not the user's.
  const QTemporaryDir runtime;
  qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
  std::setlocale(LC_NUMERIC, "C");
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
