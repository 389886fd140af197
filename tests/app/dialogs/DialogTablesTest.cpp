#include "app/dialogs/HeightDialogs.h"
#include "app/dialogs/ScaleUnitsDialogs.h"
#include "app/dialogs/WaterFillDialogs.h"

#include "DialogDriver.h"

namespace hs {
namespace {

QRect inDialog(const vDialog &d, int id) {
  QWidget *w = d.control(id);
  return QRect(w->mapTo(&d, QPoint(0, 0)), w->size());
}

template <class D> void checkDialog(const char *title, D &&d) {
  SCOPED_TRACE(title);
  EXPECT_EQ(d.windowTitle(), title);
  for (const CommandObject &r : D::commands()) {
    ASSERT_NE(d.control(r.id), nullptr) << r.id;
    EXPECT_EQ(d.getText(r.id), r.label) << r.id;
    if (r.kind == CmdKind::CheckBox || r.kind == CmdKind::RadioButton) {
      EXPECT_EQ(d.getValue(r.id), r.value) << r.id;
    }
  }
  d.showDialog("");
  for (const CommandObject &r : D::commands()) {
    const QRect g = inDialog(d, r.id);
    EXPECT_TRUE(d.control(r.id)->isVisible()) << r.id;
    EXPECT_TRUE(d.rect().contains(g)) << r.id;
    if (r.frame != 0) {
      EXPECT_TRUE(inDialog(d, r.frame).contains(g)) << r.id;
    }
    for (const CommandObject &o : D::commands()) {
      if (&o == &r || o.kind == CmdKind::BlankLabel || r.kind == CmdKind::BlankLabel ||
          o.kind == CmdKind::Frame || r.kind == CmdKind::Frame)
        continue;
      EXPECT_FALSE(g.intersects(inDialog(d, o.id))) << r.id << " overlaps " << o.id;
    }
  }
  d.cancelDialog();
}

TEST(DialogTables, EveryDialogShowsEveryControlOfItsTable) {
  QWidget main;
  ProgramValues values;
  Document document;
  checkDialog("Scale HF", GscalModalDialog(&main, "Scale HF", document));
  checkDialog("Display Unit Values", PPlacModalDialog(&main, "Display Unit Values", values));
  checkDialog("Camera at Height", CatDialog(&main, "Camera at Height", values));
  checkDialog("Look at Height", CLatDialog(&main, "Look at Height", values));
  checkDialog("Height of object", CLatObjectDialog(&main, "Height of object", values));
  checkDialog("Water Level", GwatDialog(&main, "Water Level", values, document));
  checkDialog("Fill Style", FillDialog(&main, "Fill Style", values));
}

} // namespace
} // namespace hs
