/** @file SimDb.h Small reading helpers over clsDB for the rules: a single-row read that checks the row count, and numbers from field texts. */
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "db/clsDB.h"

namespace sim {

/// Runs a query and tells whether it gave a row. After a query without rows clsDB keeps the
/// previous row readable; a caller that reads a row must check this first (no row means none).
bool QueryRow(clsDB& db, std::string_view sql, std::string_view proc = "");
/// Runs a query and copies every row (so that further queries can run while they are used).
std::vector<std::vector<std::string>> QueryRows(clsDB& db, std::string_view sql, std::string_view proc = "");
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

}  // namespace sim
