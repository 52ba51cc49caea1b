/** @file Collection.h An ordered keyed collection: 1-based access, case-insensitive optional keys. */
#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "runtime/Strings.h"
#include "runtime/VbError.h"

namespace rt {

/// Items in insertion order, each with an optional key. Keys compare ignoring case (ASCII).
/// Finding an item by its key takes constant time; removing one shifts the items after it.
/// As the old runtime: a repeated key throws kErrDuplicateKey (457), an unknown key
/// kErrInvalidCall (5), an index out of range kErrSubscript (9).
template <typename T>
class Collection {
 public:
  long Count() const { return static_cast<long>(items_.size()); }

  void Add(T item, std::string key = {}) {
    if (!key.empty() && !index_.emplace(LCase(key), items_.size()).second) throw VbError(kErrDuplicateKey);
    items_.emplace_back(std::move(key), std::move(item));
  }
  /// 1-based.
  T& Item(long index) {
    if (index < 1 || index > Count()) throw VbError(kErrSubscript);
    return items_[static_cast<size_t>(index - 1)].second;
  }
  const T& Item(long index) const { return const_cast<Collection*>(this)->Item(index); }
  T& Item(std::string_view key) {
    auto i = Find(key);
    if (!i) throw VbError(kErrInvalidCall);
    return items_[*i].second;
  }
  const T& Item(std::string_view key) const { return const_cast<Collection*>(this)->Item(key); }
  bool Exists(std::string_view key) const { return Find(key).has_value(); }
  void Remove(long index) {
    if (index < 1 || index > Count()) throw VbError(kErrSubscript);
    Erase(static_cast<size_t>(index - 1));
  }
  void Remove(std::string_view key) {
    auto i = Find(key);
    if (!i) throw VbError(kErrInvalidCall);
    Erase(*i);
  }
  void Clear() {
    items_.clear();
    index_.clear();
  }
  /// The key of the item at a 1-based index ("" when it has none).
  const std::string& KeyAt(long index) const {
    if (index < 1 || index > Count()) throw VbError(kErrSubscript);
    return items_[static_cast<size_t>(index - 1)].first;
  }

  auto begin() { return items_.begin(); }
  auto end() { return items_.end(); }
  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

 private:
  std::optional<size_t> Find(std::string_view key) const {
    if (key.empty()) return std::nullopt;
    auto it = index_.find(LCase(key));
    if (it == index_.end()) return std::nullopt;
    return it->second;
  }
  void Erase(size_t pos) {
    if (!items_[pos].first.empty()) index_.erase(LCase(items_[pos].first));
    items_.erase(items_.begin() + static_cast<long>(pos));
    for (auto& [key, at] : index_)
      if (at > pos) --at;
  }
  std::vector<std::pair<std::string, T>> items_;
  std::unordered_map<std::string, size_t> index_;  ///< lower-cased key -> position in items_
};

}  // namespace rt
