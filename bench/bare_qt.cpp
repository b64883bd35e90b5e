// The yardstick for a second start: a Qt process that starts and exits at once.
#include <QCoreApplication>

int main(int argc, char** argv)
{
  QCoreApplication app(argc, argv);
  return 0;
}
