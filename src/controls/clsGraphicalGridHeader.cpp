/** @file clsGraphicalGridHeader.cpp A list column's definition. */
#include "controls/clsGraphicalGridHeader.h"

#include <utility>

void clsGraphicalGridHeader::Add(std::string pName, int32_t pTA, int16_t pIndex, int16_t pWidth,
                                 std::string pFieldName, int16_t pMin, int16_t pMax) {
  name_ = std::move(pName);
  textAlign_ = pTA;
  index_ = pIndex;
  width_ = pWidth;
  fieldName_ = std::move(pFieldName);
  min_ = pMin;
  max_ = pMax;
}

GridColumnSet MakeColumnSet(std::span<const GridColumnSpec> columns) {
  GridColumnSet set;
  for (const GridColumnSpec& c : columns) {
    clsGraphicalGridHeader header;
    header.Add(std::string(c.Name), c.TextAlign, c.Index, c.Width, std::string(c.FieldName), c.Min, c.Max);
    set.Add(header, std::string(c.Key));
  }
  return set;
}
