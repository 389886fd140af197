#include "core/ScData.h"

#include <algorithm>
#include <limits>
#include <new>
#include <utility>

namespace hs {

ScData::~ScData() {
  if (budget_)
    budget_->used -= count_;
}

ScData::ScData(const ScData &other)
    : items_(other.items_.begin(), other.items_.begin() + other.count_), count_(other.count_),
      capacity_(other.capacity_), status_(other.status_) {
  if (items_.empty())
    items_.resize(1);
}

ScData &ScData::operator=(const ScData &other) {
  if (this == &other)
    return *this;
  // Built aside first: a copy that runs out of memory leaves this list, and
  // its budget, exactly as they were.
  std::vector<ScItem> copy(other.items_.begin(), other.items_.begin() + other.count_);
  if (copy.empty())
    copy.resize(1);
  items_.swap(copy);
  if (budget_)
    budget_->used += static_cast<long long>(other.count_) - count_;
  count_ = other.count_;
  capacity_ = other.capacity_;
  status_ = other.status_;
  return *this;
}

void ScData::attachBudget(ItemBudget *budget) {
  if (budget_)
    budget_->used -= count_;
  budget_ = budget;
  if (budget_)
    budget_->used += count_;
}

int ScData::append(const ScItem &item) {
  if ((budget_ && budget_->used >= budget_->limit) ||
      capacity_ > std::numeric_limits<std::int32_t>::max() - 5) {
    status_ = NoMemory;
    return 1;
  }
  try {
    if (static_cast<std::size_t>(count_) >= items_.size())
      items_.resize(items_.size() * 2);
  } catch (const std::bad_alloc &) {
    status_ = NoMemory;
    return 1;
  }
  items_[static_cast<std::size_t>(count_)] = item;
  ++count_;
  if (count_ >= capacity_)
    capacity_ = count_ + 5;
  if (budget_)
    ++budget_->used;
  status_ = Ok;
  return 0;
}

int ScData::getAt(int i, ScItem &out) {
  if (i < 0 || i >= count_) {
    status_ = BadIndex;
    return 1;
  }
  out = items_[static_cast<std::size_t>(i)];
  status_ = Ok;
  return 0;
}

void ScData::setAt(int i, const ScItem &item) {
  if (i < 0 || i >= count_) {
    status_ = BadIndex;
    return;
  }
  items_[static_cast<std::size_t>(i)] = item;
  status_ = Ok;
}

int ScData::removeAt(int i) {
  if (i < 0 || count_ == 0 || i >= count_) {
    status_ = BadIndex;
    return 1;
  }
  // Only the records in use move; the spare slots after them stay put.
  std::move(items_.begin() + i + 1, items_.begin() + count_, items_.begin() + i);
  --count_;
  if (budget_)
    --budget_->used;
  status_ = Ok;
  return 0;
}

bool ScData::reserve(std::int32_t n) {
  if (n <= 0 || static_cast<std::size_t>(n) <= items_.size())
    return true;
  try {
    items_.resize(static_cast<std::size_t>(n));
  } catch (const std::bad_alloc &) {
    return false;
  }
  return true;
}

void ScData::rollBack(const Mark &mark) noexcept {
  const std::int32_t count = std::clamp(mark.count, 0, count_);
  if (budget_)
    budget_->used -= count_ - count;
  count_ = count;
  capacity_ = mark.capacity;
  status_ = mark.status;
  // Shrinking needs a smaller copy; when even that cannot be had, the spare
  // room stays.
  try {
    if (items_.size() > 2 * static_cast<std::size_t>(std::max(count, 1)))
      std::vector<ScItem>(items_.begin(), items_.begin() + std::max(count, 1)).swap(items_);
  } catch (const std::bad_alloc &) {
  }
}

void ScData::swap(ScData &other) noexcept {
  if (budget_)
    budget_->used += static_cast<long long>(other.count_) - count_;
  if (other.budget_)
    other.budget_->used += static_cast<long long>(count_) - other.count_;
  items_.swap(other.items_);
  std::swap(count_, other.count_);
  std::swap(capacity_, other.capacity_);
  std::swap(status_, other.status_);
}

void ScData::resized(std::int32_t count) {
  if (budget_)
    budget_->used += static_cast<long long>(count) - count_;
  count_ = count;
  if (count_ >= capacity_)
    capacity_ = count_ + 5;
  if (items_.empty())
    items_.resize(1);
  status_ = Ok;
}

void ScData::takeTail(std::int32_t first, std::vector<ScItem> &out) {
  first = std::clamp(first, 0, count_);
  if (first == 0) {
    out.swap(items_);
    out.resize(static_cast<std::size_t>(count_));
    items_.assign(1, ScItem{});
  } else {
    out.assign(items_.begin() + first, items_.begin() + count_);
  }
  resized(first);
}

void ScData::putTail(std::vector<ScItem> &&items) {
  if (items.empty())
    return;
  const auto n = static_cast<std::int32_t>(items.size());
  if (count_ == 0) {
    items_.swap(items);
    items.clear();
  } else {
    items_.resize(static_cast<std::size_t>(count_) + items.size());
    std::copy(items.begin(), items.end(), items_.begin() + count_);
  }
  resized(count_ + n);
}

bool ascendingBelow(const std::vector<std::int32_t> &indices, std::int32_t end) {
  for (std::size_t k = 0; k < indices.size(); ++k)
    if (indices[k] < 0 || indices[k] >= end || (k > 0 && indices[k] <= indices[k - 1]))
      return false;
  return true;
}

void ScData::takeAt(const std::vector<std::int32_t> &ascending, std::vector<ScItem> &out) {
  out.clear();
  out.reserve(ascending.size());
  std::size_t next = 0;
  std::int32_t kept = 0;
  for (std::int32_t i = 0; i < count_; ++i) {
    const auto at = static_cast<std::size_t>(i);
    if (next < ascending.size() && ascending[next] == i) {
      out.push_back(items_[at]);
      ++next;
    } else {
      items_[static_cast<std::size_t>(kept++)] = items_[at];
    }
  }
  resized(kept);
}

void ScData::putAt(const std::vector<std::int32_t> &ascending, std::vector<ScItem> &&items) {
  const std::size_t n = std::min(ascending.size(), items.size());
  if (n == 0)
    return;
  const std::size_t total = static_cast<std::size_t>(count_) + n;
  if (items_.size() < total)
    items_.resize(total);
  // From the back, so every record moves once and none is overwritten
  // before it has moved.
  std::size_t from = static_cast<std::size_t>(count_);
  std::size_t k = n;
  for (std::size_t to = total; to-- > 0;) {
    if (k > 0 && static_cast<std::size_t>(ascending[k - 1]) == to)
      items_[to] = items[--k];
    else
      items_[to] = items_[--from];
  }
  items.clear();
  resized(static_cast<std::int32_t>(total));
}

void ScData::clear() {
  if (budget_)
    budget_->used -= count_;
  count_ = 0;
}

} // namespace hs
