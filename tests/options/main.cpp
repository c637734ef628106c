// The options suites on the offscreen platform.

#include <QApplication>
#include <QTest>

#include "tests/options/options_tests.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  int status = 0;
  {
    ColorGridTest test;
    status |= QTest::qExec(&test, argc, argv);
  }
  {
    OptionsDialogTest test;
    status |= QTest::qExec(&test, argc, argv);
  }
  return status;
}
