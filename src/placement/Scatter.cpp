// Applying a scatter's plan to the document, and the scatter on the map pane's scene.
#include "placement/Scatter.h"

#include "placement/DensityMask.h"

#include <algorithm>
#include <new>

namespace hs {

ScatterResult applyScatter(Document &document, const ScatterPlan &plan) {
  ScatterResult result;
  for (std::size_t i = 0; i < plan.items.size(); ++i) {
    if (document.append(static_cast<int>(plan.types[i]), plan.items[i]) != 0) {
      result.stopped = true;
      return result;
    }
    ++result.placed;
  }
  result.stopped = plan.limited;
  return result;
}

std::string scatterLimitMessage(long long placed) {
  return "Too many objects!!\n\nThe scatter stopped at the limit\nafter placing " +
         std::to_string(placed) + " objects";
}

std::string scatterDoneMessage(long long placed) {
  return "Placed " + std::to_string(placed) + " objects.";
}

long long scatterOnScene(Scene &scene, const ProgramValues &values, const ScatterRules &rules,
                         const ScatterRegion &region) {
  if (rules.unreadable != nullptr) {
    const std::string why = std::string("Nothing was scattered: not a good ") + rules.unreadable +
                            " in the Scatter dialog.";
    scene.services().notice("Notice", why.c_str());
    return 0;
  }
  ScatterPlan plan;
  const long long room =
      std::max(0LL, scene.document().budget().limit - scene.document().budget().used);
  bool finished = false;
  try {
    finished = scene.services().runWithProgress(
        "Scattering objects...", [&](const ProgressReport &report) {
          // Read afresh each time, as the command-line tool reads it, off the event loop.
          ScatterRules read = rules;
          if (const std::string why = readDensityRule(read); !why.empty())
            plan.whyNone = "Nothing was scattered: " + rules.densityFile + ": " + why;
          else
            plan = planScatter(scene.document(), values, read, region, room, report);
        });
  } catch (const std::bad_alloc &) {
    scene.services().notice("Notice", "Nothing was scattered: not enough memory for this region.");
    return 0;
  }
  if (!finished || plan.cancelled)
    return 0;
  if (!plan.whyNone.empty()) {
    scene.services().notice("Notice", plan.whyNone.c_str());
    return 0;
  }
  const ScatterResult done = applyScatter(scene.document(), plan);
  // The map shows what was placed while a notice stands.
  scene.document().publish();
  scene.services().setStatusText(scatterDoneMessage(done.placed).c_str());
  if (done.stopped)
    scene.services().notice("Notice", scatterLimitMessage(done.placed).c_str());
  return done.placed;
}

} // namespace hs
