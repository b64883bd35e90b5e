#include <QApplication>
#include <clocale>
#include <gtest/gtest.h>

// Adapter tests run in the X session that with_display.sh provides.
int main(int argc, char** argv)
{
  QApplication app(argc, argv);
  std::setlocale(LC_NUMERIC, "C");
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
