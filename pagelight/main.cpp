// Pagelight: shows one help file, named as the only argument, in a window of its own.
#include <QApplication>
#include <QStyleFactory>

#include "pagelight/help_document.h"
#include "pagelight/help_window.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Pagelight"));
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));

  pagelight::HelpWindow window;
  const QString help_file = pagelight::HelpFileArgument(QApplication::arguments());
  if (help_file.isEmpty()) {
    window.ShowUsage();
  } else {
    window.ShowFile(help_file);
  }
  window.show();
  QApplication::exec();
  // Closing the window is the normal way out, whatever was shown.
  return 0;
}
