/** @file clsGraphicalGridHeader.h One column of a list: title, alignment, width, sort field and bar range. */
#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "runtime/Collection.h"

/// Cell drawing of a column (`TextAlign`); any other value leaves the cells empty.
enum GridTextAlign : int32_t { kGridLeft = 0, kGridCenter = 1, kGridRight = 2, kGridBar = 3 };

/// One column definition, filled once by Add and then only read.
class clsGraphicalGridHeader {
 public:
  /// pFieldName: the result column a click on the title sorts by, by name or by 1-based
  /// position ("6"). pMax: the value that fills a bar cell; pMin and pIndex are only kept.
  void Add(std::string pName, int32_t pTA, int16_t pIndex, int16_t pWidth, std::string pFieldName,
           int16_t pMin = 0, int16_t pMax = 0);

  const std::string& Name() const { return name_; }
  int32_t TextAlign() const { return textAlign_; }
  int16_t Index() const { return index_; }
  int16_t Width() const { return width_; }
  const std::string& FieldName() const { return fieldName_; }
  int16_t Min() const { return min_; }
  int16_t Max() const { return max_; }

 private:
  std::string name_;
  int32_t textAlign_ = 0;
  int16_t index_ = 0;
  int16_t width_ = 0;
  std::string fieldName_;
  int16_t min_ = 0;
  int16_t max_ = 0;
};

/// A column set: the header of column c (from 1) under the key "col" followed by c; keys
/// compare ignoring case.
using GridColumnSet = rt::Collection<clsGraphicalGridHeader>;

/// One column as a table of columns writes it: what the header's Add takes, and its key.
struct GridColumnSpec {
  std::string_view Key;        ///< "col1", "col2", ...: the result column it heads
  std::string_view Name;       ///< the title
  int32_t TextAlign;
  int16_t Index;
  int16_t Width;
  std::string_view FieldName;  ///< what a click on the title sorts by: a field name or a 1-based position
  int16_t Min = 0;
  int16_t Max = 100;
};

/// The column set of a table of columns, added in the table's order.
GridColumnSet MakeColumnSet(std::span<const GridColumnSpec> columns);
