// Files for the viewer's tests: the shipped help files and small pages written on the spot.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace pagelight_test {

// Full paths of the help files in the source tree, sorted by name.
QStringList ShippedHelpFiles();

// The level-1 and level-2 heading texts of a Markdown file, read line by line (code blocks
// skipped): what the viewer's title and contents must show, found without Qt's reader.
struct Outline {
  QString title;
  QStringList sections;
};
Outline ReadOutline(const QString& path);

// A folder that lives as long as the object, for files written by a test.
class Scratch {
 public:
  QString Write(const QString& name, const QByteArray& bytes);
  QString Path(const QString& name) const;

 private:
  QTemporaryDir folder_;
};

}  // namespace pagelight_test
