#include "core/Scene.h"
#include "core/Names.h"

#include <gtest/gtest.h>

namespace hs {
namespace {

void fill(Scene &s) {
  s.objects[0].append(1, 2, 3, 0, 0.5);
  s.objects[15].append(4, 5, 6, 2, 1.5);
  s.objects[15].append(7, 8, 9, 1, 2.5);
}

TEST(Scene, KillAllKeepsTheCameraAndUndoBringsTheKeptSceneBack) {
  Scene s;
  fill(s);
  keep(s);
  s.camera.x = 3;
  killAll(s);
  EXPECT_EQ(s.objectCount(), 0);
  EXPECT_EQ(s.keptObjects[15].count(), 2);
  EXPECT_EQ(s.camera.x, 3); // the camera stays
  undo(s);
  EXPECT_EQ(s.objectCount(), 3);
  EXPECT_EQ(s.camera.x, 200); // the kept camera comes back too
  EXPECT_EQ(s.objects[15][1], (ScItem{7, 8, 9, 1, 2.5}));
  s.objects[15].clear();
  undo(s); // and Undo can be repeated
  EXPECT_EQ(s.objectCount(), 3);
}

TEST(Names, LongNamesAreRefusedWhole) {
  std::string field = "old";
  EXPECT_FALSE(setName(field, std::string(kMaxNameLength + 1, 'a')));
  EXPECT_EQ(field, "old");
  EXPECT_TRUE(setName(field, std::string(kMaxNameLength, 'a')));
  EXPECT_EQ(field.size(), kMaxNameLength);
}

} // namespace
} // namespace hs
