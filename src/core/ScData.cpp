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

void ScData::clear() {
  if (budget_)
    budget_->used -= count_;
  count_ = 0;
}

} // namespace hs
