#pragma once

#include <QByteArray>
#include <QString>
#include <QStringDecoder>

#include <string>

namespace hs {

// File names are kept as the bytes the system uses; Qt wants them decoded.
// Decoding would turn a byte that is not UTF-8 into U+FFFD, naming some other
// file, so such a name becomes the empty name, which nothing opens.
inline QString toQtPath(const std::string &name) {
  QStringDecoder decode(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString text = decode(QByteArrayView(name.data(), static_cast<qsizetype>(name.size())));
  return decode.hasError() ? QString() : text;
}
// True when name's bytes are UTF-8, the only names Qt can hold as they are.
inline bool isUtf8Name(const std::string &name) {
  return name.empty() || !toQtPath(name).isEmpty();
}
inline std::string fromQtPath(const QString &name) { return name.toUtf8().toStdString(); }

} // namespace hs
