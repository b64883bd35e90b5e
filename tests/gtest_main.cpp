#include <QCoreApplication>
#include <gtest/gtest.h>

// Logic tests run without a display; the application object exists so that
// timers and signals behave as in the program.
int main(int argc, char** argv)
{
  QCoreApplication app(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
