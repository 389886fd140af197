#include "core/RelativeNames.h"

#include "core/Names.h"
#include "core/QtPaths.h"

#include <QDir>
#include <QFileInfo>

namespace hs {

namespace {

QString withSlash(QString folder) {
  if (!folder.endsWith('/'))
    folder += '/';
  return folder;
}

// The absolute, cleaned folder of namingFile, ending in '/'; empty when it
// has none usable.
QString folderOf(const std::string &namingFile) {
  const QString file = toQtPath(namingFile);
  return file.isEmpty() ? QString() : withSlash(QFileInfo(file).absolutePath());
}

std::string writtenIn(const std::string &name, const QString &folder) {
  const QString named = toQtPath(name);
  if (named.isEmpty() || folder.isEmpty())
    return name;
  const QString absolute = QDir::cleanPath(QFileInfo(named).absoluteFilePath());
  if (absolute.startsWith(folder) && absolute.size() > folder.size())
    return fromQtPath(absolute.mid(folder.size()));
  return fromQtPath(absolute);
}

} // namespace

std::string nameWrittenIn(const std::string &name, const std::string &namingFile) {
  return writtenIn(name, folderOf(namingFile));
}

std::string nameWrittenFor(const std::string &name, const std::string &folder) {
  const QString f = toQtPath(folder);
  return writtenIn(name,
                   f.isEmpty() ? QString() : withSlash(QDir::cleanPath(QDir(f).absolutePath())));
}

FoundName nameReadFrom(const std::string &written, const std::string &namingFile) {
  const QString named = toQtPath(written);
  const QString folder = folderOf(namingFile);
  FoundName found{written, {}};
  if (named.isEmpty() || folder.isEmpty())
    return found;
  std::string name;
  if (QDir::isRelativePath(named)) {
    name = fromQtPath(QDir::cleanPath(folder + named));
  } else if (!QFileInfo::exists(named)) {
    const QString beside = folder + QFileInfo(named).fileName();
    if (QFileInfo(named).fileName().isEmpty() || !QFileInfo::exists(beside))
      return found;
    name = fromQtPath(beside);
    found.notice = written + "\nwas not found; using\n" + name + "\nbeside " +
                   fromQtPath(QFileInfo(toQtPath(namingFile)).fileName()) + ".";
  } else {
    return found;
  }
  if (!setName(found.name, name))
    found.notice.clear();
  return found;
}

} // namespace hs
