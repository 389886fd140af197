// What the document records into the open step of the undo history as it changes.
#include "core/History.h"

#include "core/Document.h"
#include "core/HistoryRecords.h"

#include <algorithm>
#include <new>
#include <utility>
#include <variant>

namespace hs {

using namespace history_records;

void History::appended(int type, std::int32_t index) {
  if (!open_ || open_->lost)
    return;
  try {
    if (!open_->records.empty())
      if (auto *r = std::get_if<Appended>(&open_->records.back());
          r != nullptr && r->type == type && r->first + r->count == index) {
        ++r->count;
        return;
      }
    open_->records.emplace_back(Appended{type, index, 1, true, {}});
  } catch (const std::bad_alloc &) {
    open_->lost = true;
  }
}

void History::rolledBack(int type, std::int32_t count) {
  if (!open_)
    return;
  auto &records = open_->records;
  for (auto it = records.begin(); it != records.end();) {
    auto *r = std::get_if<Appended>(&*it);
    if (r != nullptr && r->type == type && r->first + r->count > count) {
      r->count = std::max(count - r->first, 0);
      if (r->count == 0) {
        it = records.erase(it);
        continue;
      }
    }
    ++it;
  }
}

void History::changing(int type, int index, const ScItem &before) {
  if (!open_ || open_->lost)
    return;
  try {
    if (open_->records.empty() || !std::holds_alternative<Changed>(open_->records.back()) ||
        std::get<Changed>(open_->records.back()).type != type)
      open_->records.emplace_back(Changed{type, {}, {}});
    auto &r = std::get<Changed>(open_->records.back());
    r.indices.push_back(index);
    r.items.push_back(before);
  } catch (const std::bad_alloc &) {
    open_->lost = true;
  }
}

void History::removed(int type, const std::vector<std::int32_t> &ascending,
                      std::vector<ScItem> &&items) {
  if (!open_ || open_->lost)
    return;
  try {
    open_->records.emplace_back(Removed{type, ascending, std::move(items), false});
  } catch (const std::bad_alloc &) {
    open_->lost = true;
  }
}

void History::takeLists(Lists &lists) {
  if (!open_ || open_->lost)
    return;
  try {
    WholeLists r{std::make_unique<Lists>()};
    for (std::size_t t = 0; t < lists.size(); ++t)
      lists[t].swap((*r.lists)[t]);
    open_->records.emplace_back(std::move(r));
  } catch (const std::bad_alloc &) {
    open_->lost = true;
  }
}

void History::copyLists(const Lists &lists) {
  if (!open_ || open_->lost)
    return;
  try {
    WholeLists r{std::make_unique<Lists>()};
    for (std::size_t t = 0; t < lists.size(); ++t)
      (*r.lists)[t] = lists[t];
    open_->records.emplace_back(std::move(r));
  } catch (const std::bad_alloc &) {
    open_->lost = true;
  }
}

void History::mapChanging(const Document &document) {
  if (!open_ || open_->lost)
    return;
  try {
    open_->records.emplace_back(MapState{document.baseImage(), document.mapWidth(),
                                         document.mapHeight(), document.prevMapWidth(),
                                         document.prevMapHeight()});
  } catch (const std::bad_alloc &) {
    open_->lost = true;
  }
}

void History::settingsChanging(const Document &document) {
  if (!open_ || open_->lost || settingsKept_)
    return;
  try {
    before_ = settingsOf(document);
    settingsKept_ = true;
  } catch (const std::bad_alloc &) {
    open_->lost = true;
  }
}

} // namespace hs
