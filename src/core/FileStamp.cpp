#include "core/FileStamp.h"

#include "core/InputFile.h"

#include <QCryptographicHash>

#include <sys/stat.h>

namespace hs {

namespace {

FileStamp statOf(const std::string &fileName) {
  FileStamp stamp;
  struct stat st {};
  if (::stat(fileName.c_str(), &st) != 0)
    return stamp;
  stamp.exists = true;
  stamp.size = st.st_size;
  stamp.modifiedNs = std::int64_t{st.st_mtim.tv_sec} * 1'000'000'000 + st.st_mtim.tv_nsec;
  return stamp;
}

// Streamed, so a big file costs a read, not its size in memory.
QByteArray hashOf(const std::string &fileName) {
  QFile file;
  QCryptographicHash hash(QCryptographicHash::Sha1);
  if (!openInputFile(fileName, file) || !hash.addData(&file))
    return {};
  return hash.result();
}

} // namespace

FileStamp stampFile(const std::string &fileName) {
  FileStamp stamp = statOf(fileName);
  if (stamp.exists)
    stamp.hash = hashOf(fileName);
  return stamp;
}

bool changedSince(const FileStamp &stamp, const std::string &fileName) {
  const FileStamp now = statOf(fileName);
  if (now.exists != stamp.exists || now.size != stamp.size || now.modifiedNs != stamp.modifiedNs)
    return true;
  return now.exists && hashOf(fileName) != stamp.hash;
}

} // namespace hs
