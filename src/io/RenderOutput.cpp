#include "io/RenderOutput.h"

#include "core/InputFile.h"
#include "core/LineReader.h"
#include "core/QtPaths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

namespace hs {

namespace {

// The extension POV-Ray gives each Output_File_Type letter.
QString typeExtension(const QString &type) {
  switch (type.isEmpty() ? 'N' : type.at(0).toUpper().toLatin1()) {
  case 'C':
  case 'T':
    return QStringLiteral(".tga");
  case 'P':
    return QStringLiteral(".ppm");
  case 'B':
    return QStringLiteral(".bmp");
  case 'E':
    return QStringLiteral(".exr");
  case 'H':
    return QStringLiteral(".hdr");
  case 'J':
    return QStringLiteral(".jpg");
  default:
    return QStringLiteral(".png");
  }
}

QString unquoted(QString value) {
  value = value.trimmed();
  if (value.size() >= 2 && value.startsWith(u'"') && value.endsWith(u'"'))
    value = value.mid(1, value.size() - 2);
  return value;
}

// The names a preview INI gives.
struct IniNames {
  QString input = QStringLiteral("Preview.pov");
  QString output;
  QString type;
};

IniNames readIniNames(QIODevice &ini) {
  IniNames names;
  QString &input = names.input;
  QString &output = names.output;
  QString &type = names.type;
  // Lines too long for any setting are passed over, and the reading stops
  // at a bound, so no file makes it run on.
  LineReader reader(ini, 1 << 20);
  std::string_view bytes;
  for (LineReader::Result r; (r = reader.next(bytes)) != LineReader::End;) {
    if (r != LineReader::Line)
      continue;
    QString line = QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
    const qsizetype semicolon = line.indexOf(u';');
    if (semicolon >= 0)
      line.truncate(semicolon);
    line = line.trimmed();
    if (line.startsWith(u'['))
      break;
    const qsizetype equals = line.indexOf(u'=');
    if (equals < 0)
      continue;
    const QString key = line.left(equals).trimmed();
    const QString value = unquoted(line.mid(equals + 1));
    if (key.compare(QStringLiteral("Output_File_Name"), Qt::CaseInsensitive) == 0)
      output = value;
    else if (key.compare(QStringLiteral("Input_File_Name"), Qt::CaseInsensitive) == 0)
      input = value;
    else if (key.compare(QStringLiteral("Output_File_Type"), Qt::CaseInsensitive) == 0)
      type = value;
  }
  return names;
}

} // namespace

std::string renderOutputName(QIODevice &ini) {
  auto [input, output, type] = readIniNames(ini);
  const QString base = QFileInfo(input).completeBaseName();
  // A name ending in a slash is the folder the picture goes into.
  if (output.isEmpty() || output.endsWith(u'/'))
    output += base;
  if (!QFileInfo(output).fileName().contains(u'.'))
    output += typeExtension(type);
  return fromQtPath(output);
}

std::string renderOutputPath(const std::string &startDir, const char *iniName) {
  const QDir dir(toQtPath(startDir));
  QFile ini;
  std::string name = "Preview.png";
  if (openInputFile(fromQtPath(dir.filePath(QString::fromUtf8(iniName))), ini))
    name = renderOutputName(ini);
  return fromQtPath(QDir::cleanPath(dir.filePath(toQtPath(name))));
}

std::string renderInputPath(const std::string &startDir, const char *iniName) {
  const QDir dir(toQtPath(startDir));
  QFile ini;
  QString name = IniNames().input;
  if (openInputFile(fromQtPath(dir.filePath(QString::fromUtf8(iniName))), ini))
    name = readIniNames(ini).input;
  return fromQtPath(QDir::cleanPath(dir.filePath(name)));
}

bool RenderLog::feed(const QByteArray &bytes) {
  changed_ = false;
  const char *at = bytes.constData();
  const char *const end = at + bytes.size();
  while (at != end) {
    // Progress lines end in a carriage return, so each overwrites the last.
    const char *stop = std::find_if(at, end, [](char c) { return c == '\n' || c == '\r'; });
    append(at, stop - at);
    if (stop == end)
      break;
    finish();
    at = stop + 1;
  }
  return changed_;
}

void RenderLog::append(const char *bytes, qsizetype size) {
  // A runaway line keeps only its end, so no output grows the log without
  // bound or costs more than its own length to take in.
  if (size >= kLineBytes) {
    partial_ = QByteArray(bytes + size - kLineBytes, kLineBytes);
    cut_ = true;
    return;
  }
  partial_.append(bytes, size);
  if (partial_.size() > kLineBytes) {
    partial_.remove(0, partial_.size() - kLineBytes);
    cut_ = true;
  }
}

void RenderLog::finish() {
  line(cut_ ? "..." + partial_ : partial_);
  partial_.clear();
  cut_ = false;
}

void RenderLog::line(const QByteArray &text) {
  static const QRegularExpression progress(
      QStringLiteral(R"(^\s*Rendered \d+ of \d+ pixels \((\d+)%\)\s*$)"));
  const QString s = QString::fromUtf8(text);
  const QRegularExpressionMatch m = progress.match(s);
  if (m.hasMatch()) {
    const int p = m.captured(1).toInt();
    changed_ = changed_ || p != percent_;
    percent_ = p;
    return;
  }
  if (s.trimmed().isEmpty())
    return;
  QByteArray kept = text.trimmed();
  // The notice's text is a C string: a NUL would end it early.
  kept.replace('\0', "\\0");
  if (kept.startsWith("==== [")) {
    lines_.clear();
    staged_ = true;
  }
  lines_.push_back(kept.toStdString());
  // The stage line stays first; the lines after it are the last ones.
  if (lines_.size() > kKeptLines + (staged_ ? 1 : 0))
    lines_.erase(lines_.begin() + (staged_ ? 1 : 0));
}

std::string RenderLog::lastLines() const {
  std::string out;
  for (const std::string &l : lines_)
    out += l + "\n";
  return out;
}

} // namespace hs
