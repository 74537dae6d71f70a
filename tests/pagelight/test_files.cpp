#include "tests/pagelight/test_files.h"

#include <QDir>
#include <QFile>

namespace pagelight_test {

QStringList ShippedHelpFiles() {
  const QDir folder(QStringLiteral(PAGELIGHT_HELP_DIR));
  QStringList paths;
  for (const QString& name :
       folder.entryList({QStringLiteral("*.help")}, QDir::Files, QDir::Name)) {
    paths << folder.filePath(name);
  }
  return paths;
}

Outline ReadOutline(const QString& path) {
  QFile file(path);
  Outline outline;
  if (!file.open(QIODevice::ReadOnly))
    return outline;
  bool in_code = false;
  for (const QByteArray& raw_line : file.readAll().split('\n')) {
    const QString line = QString::fromUtf8(raw_line).trimmed();
    if (line.startsWith(QStringLiteral("```")))
      in_code = !in_code;
    if (in_code)
      continue;
    if (line.startsWith(QStringLiteral("# ")) && outline.title.isEmpty()) {
      outline.title = line.mid(2).trimmed();
    } else if (line.startsWith(QStringLiteral("## "))) {
      outline.sections << line.mid(3).trimmed();
    }
  }
  return outline;
}

QString Scratch::Write(const QString& name, const QByteArray& bytes) {
  QFile file(Path(name));
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
    return {};
  return file.fileName();
}

QString Scratch::Path(const QString& name) const {
  return folder_.filePath(name);
}

}  // namespace pagelight_test
