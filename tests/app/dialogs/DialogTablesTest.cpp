#include "app/dialogs/HeightDialogs.h"
#include "app/dialogs/ScaleUnitsDialogs.h"
#include "app/dialogs/WaterFillDialogs.h"

#include "DialogDriver.h"

#include <gtest/gtest.h>

#include <memory>
#include <tuple>
#include <type_traits>

namespace hs {
namespace {

QRect inDialog(const vDialog &d, int id) {
  QWidget *w = d.control(id);
  return QRect(w->mapTo(&d, QPoint(0, 0)), w->size());
}

template <class D> void checkDialog(const char *title) {
  SCOPED_TRACE(title);
  QWidget main;
  ProgramValues values;
  Document document;
  const auto make = [&] {
    if constexpr (std::is_constructible_v<D, QWidget *, const char *, Document &>)
      return std::make_unique<D>(&main, title, document);
    else if constexpr (std::is_constructible_v<D, QWidget *, const char *, ProgramValues &,
                                               Document &>)
      return std::make_unique<D>(&main, title, values, document);
    else
      return std::make_unique<D>(&main, title, values);
  };
  const std::unique_ptr<D> made = make();
  D &d = *made;
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
  checkDialog<GscalModalDialog>("Scale HF");
  checkDialog<PPlacModalDialog>("Display Unit Values");
  checkDialog<CatDialog>("Camera at Height");
  checkDialog<CLatDialog>("Look at Height");
  checkDialog<CLatObjectDialog>("Height of object");
  checkDialog<GwatDialog>("Water Level");
  checkDialog<FillDialog>("Fill Style");
}

} // namespace
} // namespace hs
