// Entry point of the viewer's tests: one application object for all of them, headless.
#include <gtest/gtest.h>

#include <QApplication>
#include <QStyleFactory>

#include <cstdlib>

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication application(argc, argv);
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  return RUN_ALL_TESTS();
}
