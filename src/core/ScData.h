#pragma once

#include "core/ScItem.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace hs {

// Shared limit on the number of objects a scene's lists hold together.
struct ItemBudget {
  long long used = 0;
  long long limit = 10'000'000;
};

// A growable list of items. count, capacity and status follow the program's
// observable rules (capacity starts at 1 and grows by 5 whenever count reaches
// it); the storage itself grows geometrically so appends stay cheap.
class ScData {
public:
  enum Status : std::int32_t { Ok = 0, BadIndex = 1, NoMemory = 2 };

  ScData() = default;
  explicit ScData(ItemBudget *budget) : budget_(budget) {}
  ~ScData();
  // A copy is a standalone list with the source's records and capacity.
  ScData(const ScData &other);
  // Replaces this list's contents; the budget this list belongs to stays.
  ScData &operator=(const ScData &other);

  std::int32_t count() const { return count_; }
  std::int32_t capacity() const { return capacity_; }
  std::int32_t status() const { return status_; }

  int append(const ScItem &item);
  // A new record with the default turn and size.
  int append(double x, double y, double z, std::int32_t heightMode, double height) {
    return append(ScItem{x, y, z, heightMode, height});
  }
  int getAt(int i, ScItem &out);
  void setAt(int i, const ScItem &item);
  // Replaces the whole record: turn and size go back to their defaults.
  void setAt(int i, double x, double y, double z, std::int32_t heightMode, double height) {
    setAt(i, ScItem{x, y, z, heightMode, height});
  }
  int removeAt(int i);
  void clear();
  // Makes room for n records in all without changing what the list shows, so
  // that n appends cannot run out of memory; false when the room cannot be had.
  bool reserve(std::int32_t n);
  // What the list shows now, to go back to with rollBack.
  struct Mark {
    std::int32_t count;
    std::int32_t capacity;
    std::int32_t status;
  };
  Mark mark() const { return {count_, capacity_, status_}; }
  // Drops the records appended since mark was taken, so that the list shows
  // what it showed then, and gives back the storage they took where it can.
  void rollBack(const Mark &mark) noexcept;
  // Exchanges the records, count, capacity and status of two lists; each keeps
  // its own budget, which is charged for the records it now holds.
  void swap(ScData &other) noexcept;

  // Bulk moves for the undo history; none of them checks the object limit,
  // since each brings back records the list held before.
  // Moves the records from index first on into out (count becomes first).
  // From index 0 the storage itself moves, so nothing is copied.
  void takeTail(std::int32_t first, std::vector<ScItem> &out);
  // Appends items; into an empty list the storage itself moves in.
  void putTail(std::vector<ScItem> &&items);
  // Removes the records at the ascending indices into out, in order.
  void takeAt(const std::vector<std::int32_t> &ascending, std::vector<ScItem> &out);
  // The reverse of takeAt: afterwards record ascending[k] is items[k].
  void putAt(const std::vector<std::int32_t> &ascending, std::vector<ScItem> &&items);

  // Unchecked access for hot loops; i must be in 0..count-1.
  const ScItem &operator[](int i) const { return items_[static_cast<std::size_t>(i)]; }
  ScItem &operator[](int i) { return items_[static_cast<std::size_t>(i)]; }
  const ScItem *begin() const { return items_.data(); }
  const ScItem *end() const { return items_.data() + count_; }

  void attachBudget(ItemBudget *budget);

private:
  // Sets count after a bulk move, with the budget and the capacity rule.
  void resized(std::int32_t count);

  std::vector<ScItem> items_ = std::vector<ScItem>(1);
  std::int32_t count_ = 0;
  std::int32_t capacity_ = 1;
  std::int32_t status_ = Ok;
  ItemBudget *budget_ = nullptr;
};

// True when the indices rise strictly and all lie in 0..end-1, as takeAt and
// putAt need them.
bool ascendingBelow(const std::vector<std::int32_t> &indices, std::int32_t end);

} // namespace hs
