/** @file SimDb.cpp Reading helpers over clsDB. */
#include "sim/SimDb.h"

#include "runtime/Convert.h"

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

int16_t TextI(std::string_view text) { return text.empty() ? int16_t{0} : rt::CInt(text); }
int32_t TextL(std::string_view text) { return text.empty() ? 0 : rt::CLng(text); }
bool TextB(std::string_view text) { return !text.empty() && rt::CBool(text); }

int16_t DataI(const clsDB& db, int32_t n) { return TextI(db.Data(n)); }
int32_t DataL(const clsDB& db, int32_t n) { return TextL(db.Data(n)); }

int32_t QueryNumber(clsDB& db, std::string_view sql, std::string_view proc) {
  return QueryRow(db, sql, proc) ? DataL(db, 0) : 0;
}

}  // namespace sim
