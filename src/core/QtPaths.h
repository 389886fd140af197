#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <string>

namespace hs {

// File names are kept as the bytes the system uses; Qt wants them decoded.
inline QString toQtPath(const std::string &name) {
  return QFile::decodeName(QByteArray::fromStdString(name));
}
inline std::string fromQtPath(const QString &name) { return QFile::encodeName(name).toStdString(); }

} // namespace hs
