#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// Logic tests run without a display; the application object exists so that
// timers and signals behave as in the program.
int main(int argc, char** argv)
{
  QCoreApplication app(argc, argv);
  // Lock files go to the runtime folder: the tests' own, not the user's.
  const QTemporaryDir runtime;
  qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
