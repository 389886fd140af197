#pragma once

#include <QByteArray>

#include <deque>
#include <string>

class QIODevice;

namespace hs {

// The picture a POV-Ray INI file asks for, as the INI names it: the value of
// Output_File_Name, or the input file's base name when there is none (or when
// it names a folder), with the extension of Output_File_Type when the name has
// none. Keys are matched without regard to case, ';' starts a comment, and
// reading stops at the first [section] line, as POV-Ray does when no section
// is asked for. Input_File_Name defaults to "Preview.pov".
std::string renderOutputName(QIODevice &ini);

// The full path of the picture the preview INI in startDir asks for, resolved
// against startDir; the default "Preview.png" when the INI cannot be read.
std::string renderOutputPath(const std::string &startDir, const char *iniName);

// The full path of the scene the preview INI in startDir renders (its
// Input_File_Name, "Preview.pov" by default), resolved against startDir.
std::string renderInputPath(const std::string &startDir, const char *iniName);

// What the engine says on its error stream, read as it comes: the last
// percentage of its "Rendered N of M pixels (P%)" lines, and its last lines of
// anything else, which is where a parse error or a missing file is named.
// From a "==== [" line (POV-Ray's start of a stage) on, the lines before it,
// its option listing, are dropped. Memory and work stay bounded whatever the
// engine writes: a line keeps only its last kLineBytes bytes, and a NUL byte
// is shown as "\0" rather than ending the text.
class RenderLog {
public:
  static constexpr std::size_t kKeptLines = 12;
  static constexpr qsizetype kLineBytes = 1024;

  // Takes the next bytes; returns true when the percentage changed.
  bool feed(const QByteArray &bytes);
  // Takes a last line that had no line end.
  void finish();
  int percent() const { return percent_; }
  // The kept lines, each ended by "\n".
  std::string lastLines() const;

private:
  void append(const char *bytes, qsizetype size);
  void line(const QByteArray &text);

  QByteArray partial_;
  bool cut_ = false;    // partial_ lost its start
  bool staged_ = false; // lines_ starts with a "==== [" line
  std::deque<std::string> lines_;
  int percent_ = -1;
  bool changed_ = false;
};

} // namespace hs
