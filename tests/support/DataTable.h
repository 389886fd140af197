#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace hs::test {

// The rows of tests/data/name, fields split at " | ", '#' lines skipped; none fails.
inline std::vector<std::vector<std::string>> dataTable(const std::string &name) {
  std::ifstream in(std::string(HS_TEST_DATA) + "/" + name);
  std::vector<std::vector<std::string>> rows;
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#')
      continue;
    std::vector<std::string> &row = rows.emplace_back();
    for (std::size_t at = 0;;) {
      const std::size_t bar = line.find(" | ", at);
      row.push_back(line.substr(at, bar - at));
      if (bar == std::string::npos)
        break;
      at = bar + 3;
    }
  }
  EXPECT_FALSE(rows.empty()) << "no rows in " << name;
  return rows;
}

// A field with \n, \r, \t, \f and \xHH written as the characters they stand for.
inline std::string unescaped(const std::string &field) {
  std::string out;
  for (std::size_t i = 0; i < field.size(); ++i) {
    const char next = i + 1 < field.size() ? field[i + 1] : '\0';
    if (field[i] == '\\' && (next == 'n' || next == 'r' || next == 't' || next == 'f')) {
      out += next == 'n' ? '\n' : next == 'r' ? '\r' : next == 't' ? '\t' : '\f';
      ++i;
    } else if (field[i] == '\\' && next == 'x' && i + 3 < field.size()) {
      out += static_cast<char>(std::stoi(field.substr(i + 2, 2), nullptr, 16));
      i += 3;
    } else {
      out += field[i];
    }
  }
  return out;
}

// The whitespace-separated numbers of a field.
template <typename T = int> std::vector<T> numbers(const std::string &field) {
  std::istringstream in(field);
  std::vector<T> out;
  for (T n; in >> n;)
    out.push_back(n);
  return out;
}

} // namespace hs::test
