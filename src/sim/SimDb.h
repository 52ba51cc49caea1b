/** @file SimDb.h Small reading helpers over clsDB for the rules: a single-row read that checks the row count, and numbers from field texts. */
#pragma once
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "db/clsDB.h"

namespace sim {

struct WeekContext;

/// Runs a query and tells whether it gave a row. After a query without rows clsDB keeps the
/// previous row readable; a caller that reads a row must check this first (no row means none).
bool QueryRow(clsDB& db, std::string_view sql, std::string_view proc = "");
/// Runs a query and copies every row (so that further queries can run while they are used).
std::vector<std::vector<std::string>> QueryRows(clsDB& db, std::string_view sql, std::string_view proc = "");
/// Field i of a copied row; "" past its end.
std::string Col(const std::vector<std::string>& row, size_t i);
/// Field n of the current row as a 16/32-bit integer; an empty value (NULL, SUM over no
/// rows) counts 0. Text that is not a number throws rt::VbError (type mismatch).
int16_t DataI(const clsDB& db, int32_t n);
int32_t DataL(const clsDB& db, int32_t n);
/// A field text as a 16/32-bit integer or a Boolean; "" (NULL) counts 0 or False.
int16_t TextI(std::string_view text);
int32_t TextL(std::string_view text);
bool TextB(std::string_view text);
/// A single number from a query: its first field, 0 when there is no row or the value is empty.
int32_t QueryNumber(clsDB& db, std::string_view sql, std::string_view proc = "");

// A number read from a saved game goes back into a statement only as a number. A field that
// cannot be one (a text such as "2 OR 1=1", a fraction, a value outside the range) gives
// nothing, and the caller reports its row as a data error and leaves it alone.

/// An ID or other whole 32-bit number (the runtime's conversion); nothing for NULL too.
std::optional<int32_t> WholeNumber(std::string_view text);
/// The same within 16 bits.
std::optional<int16_t> WholeNumber16(std::string_view text);
/// A figure (a population, job, mask, ...): a whole 32-bit number, NULL counting 0.
std::optional<int32_t> Figure(std::string_view text);
/// A figure of 16 bits (a power, weight, level or image position).
std::optional<int16_t> Figure16(std::string_view text);
/// An amount, count or coefficient: a whole number from 0 to max, NULL counting 0. A value
/// below 0 is nothing as well: an amount is never carried out backwards.
std::optional<int32_t> Amount(std::string_view text, int32_t max = std::numeric_limits<int32_t>::max());
/// The same within 16 bits (head counts, capacities, order amounts).
std::optional<int16_t> Amount16(std::string_view text);
/// The runs still to come of a standing order or a contract, this week's included: from 1
/// within 16 bits. None left (0 or NULL) would still run once.
std::optional<int16_t> Count16(std::string_view text);
/// A Boolean column: "True"/"False" or a number, NULL counting False; nothing for anything else.
std::optional<bool> Flag(std::string_view text);
/// The next free ID of a table: one above its largest whole-number ID, 1 for none; nothing
/// when that would pass 32 bits. IDs that are not numbers are not counted.
/// `where` narrows the rows counted (a condition, "" for all).
std::optional<int32_t> NextId(clsDB& db, std::string_view table, const std::string& where = "");
/// NextId for a row the player adds; when there is none, shows why under `message` (every ID
/// up to the last of 32 bits is taken, or the IDs could not be read) and gives nothing.
std::optional<int32_t> NewId(WeekContext& ctx, const std::string& message, std::string_view table,
                             const std::string& where = "");

/// The text of a data error: its message, then the column and the start of the value read.
std::string DataErrorText(const std::string& message, std::string_view column, std::string_view value);
/// Shows a row that the step leaves alone: its message, then the column and the value read.
void BadValue(WeekContext& ctx, const std::string& message, std::string_view column, std::string_view value,
              const std::string& title = "");

/// Hears the column and the value of a stored number that cannot be read, where the reader has
/// no message box of its own.
using UnreadableField = std::function<void(std::string_view column, std::string_view value)>;

/// One field of a row as read: whether it could be used, its column and the text stored.
struct FieldRead {
  bool ok;
  std::string_view column;
  std::string_view value;
};
/// True when every field could be used; otherwise shows the first that could not (BadValue).
bool AllRead(WeekContext& ctx, const std::string& message, std::initializer_list<FieldRead> fields);
/// The same for a reader without a message box: `unreadable` (when set) hears the first.
bool AllRead(const UnreadableField& unreadable, std::initializer_list<FieldRead> fields);
/// Hears each value that cannot be read as a data error of `message` (BadValue).
UnreadableField BadValueOf(WeekContext& ctx, std::string message);

}  // namespace sim
