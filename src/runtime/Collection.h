/** @file Collection.h An ordered keyed collection: 1-based access, case-insensitive optional keys. */
#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "runtime/Strings.h"
#include "runtime/VbError.h"

namespace rt {

/// Items in insertion order, each with an optional key. Keys compare ignoring case.
/// As the old runtime: a repeated key throws kErrDuplicateKey (457), an unknown key
/// kErrInvalidCall (5), an index out of range kErrSubscript (9).
template <typename T>
class Collection {
 public:
  long Count() const { return static_cast<long>(items_.size()); }

  void Add(T item, std::string key = {}) {
    if (!key.empty() && Find(key)) throw VbError(kErrDuplicateKey);
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
    items_.erase(items_.begin() + (index - 1));
  }
  void Remove(std::string_view key) {
    auto i = Find(key);
    if (!i) throw VbError(kErrInvalidCall);
    items_.erase(items_.begin() + static_cast<long>(*i));
  }
  void Clear() { items_.clear(); }
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
    for (size_t i = 0; i < items_.size(); ++i)
      if (EqualsNoCase(items_[i].first, key)) return i;
    return std::nullopt;
  }
  std::vector<std::pair<std::string, T>> items_;
};

}  // namespace rt
