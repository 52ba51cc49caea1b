/** @file SimDb.cpp Reading helpers over clsDB. */
#include "sim/SimDb.h"

#include <algorithm>
#include <cmath>

#include "runtime/Convert.h"
#include "runtime/Strings.h"
#include "runtime/VbError.h"
#include "sim/GameState.h"

namespace sim {

bool QueryRow(clsDB& db, std::string_view sql, std::string_view proc) {
  return db.GetData(sql, proc) && db.GetRowCount() > 0;
}

std::vector<std::vector<std::string>> QueryRows(clsDB& db, std::string_view sql, std::string_view proc) {
  std::vector<std::vector<std::string>> rows;
  if (!db.GetData(sql, proc)) return rows;
  const int32_t count = db.GetRowCount();
  const int32_t fields = db.GetFieldCount();
  for (int32_t r = 0; r < count; ++r) {
    if (r > 0) db.MoveNext();
    std::vector<std::string> row;
    row.reserve(static_cast<size_t>(fields));
    for (int32_t f = 0; f < fields; ++f) row.push_back(db.Data(f));
    rows.push_back(std::move(row));
  }
  return rows;
}

std::string Col(const std::vector<std::string>& row, size_t i) { return i < row.size() ? row[i] : std::string(); }

int16_t TextI(std::string_view text) { return text.empty() ? int16_t{0} : rt::CInt(text); }
int32_t TextL(std::string_view text) { return text.empty() ? 0 : rt::CLng(text); }
bool TextB(std::string_view text) { return !text.empty() && rt::CBool(text); }

int16_t DataI(const clsDB& db, int32_t n) { return TextI(db.Data(n)); }
int32_t DataL(const clsDB& db, int32_t n) { return TextL(db.Data(n)); }

int32_t QueryNumber(clsDB& db, std::string_view sql, std::string_view proc) {
  return QueryRow(db, sql, proc) ? DataL(db, 0) : 0;
}

std::optional<int32_t> WholeNumber(std::string_view text) {
  if (!rt::IsNumeric(text)) return std::nullopt;
  const double value = rt::CDbl(text);
  if (value != std::floor(value) || value < std::numeric_limits<int32_t>::min() ||
      value > std::numeric_limits<int32_t>::max())
    return std::nullopt;
  return rt::CLng(text);
}

std::optional<int16_t> WholeNumber16(std::string_view text) {
  const auto n = WholeNumber(text);
  if (!n || *n < std::numeric_limits<int16_t>::min() || *n > std::numeric_limits<int16_t>::max()) return std::nullopt;
  return static_cast<int16_t>(*n);
}

std::optional<int32_t> Figure(std::string_view text) { return text.empty() ? 0 : WholeNumber(text); }

std::optional<int16_t> Figure16(std::string_view text) { return text.empty() ? 0 : WholeNumber16(text); }

std::optional<int32_t> Amount(std::string_view text, int32_t max) {
  if (text.empty()) return 0;
  const auto n = WholeNumber(text);
  if (!n || *n < 0 || *n > max) return std::nullopt;
  return n;
}

std::optional<int16_t> Amount16(std::string_view text) {
  const auto n = Amount(text, std::numeric_limits<int16_t>::max());
  if (!n) return std::nullopt;
  return static_cast<int16_t>(*n);
}

std::optional<int16_t> Count16(std::string_view text) {
  const auto n = Amount16(text);
  if (!n || *n < 1) return std::nullopt;
  return n;
}

std::optional<bool> Flag(std::string_view text) {
  if (text.empty()) return false;
  try {
    return rt::CBool(text);
  } catch (const rt::VbError&) {
    return std::nullopt;
  }
}

std::optional<int32_t> NextId(clsDB& db, std::string_view table, const std::string& where) {
  // The largest ID stored as a 32-bit whole number: a damaged ID neither hides nor replaces it.
  if (!QueryRow(db, "SELECT MAX(ID) FROM " + std::string(table) +
                        " WHERE typeof(ID)='integer' AND ID BETWEEN -2147483648 AND 2147483647" +
                        (where.empty() ? "" : " AND " + where)))
    return std::nullopt;
  const std::string max = db.Data(0);
  if (max.empty()) return 1;
  const auto n = WholeNumber(max);
  if (!n || *n == std::numeric_limits<int32_t>::max()) return std::nullopt;
  return std::max(*n, 0) + 1;
}

std::optional<int32_t> NewId(WeekContext& ctx, const std::string& message, std::string_view table,
                             const std::string& where) {
  const auto id = NextId(ctx.db, table, where);
  if (id) return id;
  const std::string column = std::string(table) + ".ID";
  if (ctx.db.GetErrMSG().empty())  // read: the largest ID is the last one there is
    BadValue(ctx, message + ":番号が上限に達しました", column, rt::CStr(std::numeric_limits<int32_t>::max()));
  else
    ctx.MsgBox(message + "\r\n" + column);
  return std::nullopt;
}

std::string DataErrorText(const std::string& message, std::string_view column, std::string_view value) {
  // A damaged value may be long or hold line breaks: the message shows its start on one line.
  constexpr long kShown = 40;
  std::string shown = rt::Left(value, kShown);
  for (char& c : shown)
    if (static_cast<unsigned char>(c) < 0x20) c = ' ';
  if (rt::Len(value) > kShown) shown += "…";
  return message + "\r\n" + std::string(column) + "=" + shown;
}

void BadValue(WeekContext& ctx, const std::string& message, std::string_view column, std::string_view value,
              const std::string& title) {
  ctx.MsgBox(DataErrorText(message, column, value), title);
}

bool AllRead(WeekContext& ctx, const std::string& message, std::initializer_list<FieldRead> fields) {
  return AllRead(BadValueOf(ctx, message), fields);
}

bool AllRead(const UnreadableField& unreadable, std::initializer_list<FieldRead> fields) {
  for (const FieldRead& f : fields)
    if (!f.ok) {
      if (unreadable) unreadable(f.column, f.value);
      return false;
    }
  return true;
}

UnreadableField BadValueOf(WeekContext& ctx, std::string message) {
  return [&ctx, message = std::move(message)](std::string_view column, std::string_view value) {
    BadValue(ctx, message, column, value);
  };
}

}  // namespace sim
