#pragma once

#include <QIODevice>

#include <functional>

namespace hs {

// How far a long piece of work has got, 0..1; it answers false when the user
// asked it to stop. The work calls it now and then, from its own thread.
using ProgressReport = std::function<bool(double done)>;

// Reads through to another device, telling report how much of it has been
// read at every read; once report answers false every further read fails, so
// any reader stops as it would at a damaged file. Random access follows the
// source. The source must be open; this one opens itself.
class ProgressInput final : public QIODevice {
public:
  ProgressInput(QIODevice &source, ProgressReport report);

  // Whether the report asked the reading to stop.
  bool cancelled() const { return cancelled_; }

  bool isSequential() const override { return source_.isSequential(); }
  qint64 size() const override { return source_.size(); }
  bool seek(qint64 pos) override;

protected:
  qint64 readData(char *data, qint64 maxSize) override;
  qint64 writeData(const char * /*data*/, qint64 /*maxSize*/) override { return -1; }

private:
  QIODevice &source_;
  ProgressReport report_;
  bool cancelled_ = false;
};

} // namespace hs
