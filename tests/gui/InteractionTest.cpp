#include "support/ScriptedInteraction.h"

#include <gtest/gtest.h>

namespace hs {
namespace {

constexpr const char *kFilters[] = {"*.txt", "*.inc", "*"};

// The chosen name goes into a field of fixed size; an out-of-range filter
// index must not be used to pick the filter.
TEST(FileSelect, RefusesNamesLongerThanTheFieldAndClampsTheFilter) {
  ScriptedInteraction stand;
  stand.answerFile(std::string(20, 'a'));
  stand.answerFile(std::string(19, 'b'));
  vFileSelect chooser;
  std::string name = "keep";
  int filter = 7;
  EXPECT_EQ(chooser.fileSelect("Open", name, 19, kFilters, filter), FileResult::NameTooLong);
  EXPECT_EQ(name, "keep");
  EXPECT_EQ(stand.fileRequests[0].filterIndex, 0);
  EXPECT_EQ(chooser.fileSelect("Open", name, 19, kFilters, filter), FileResult::Chosen);
  EXPECT_EQ(name, std::string(19, 'b'));
}

} // namespace
} // namespace hs
