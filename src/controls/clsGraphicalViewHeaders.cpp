/** @file clsGraphicalViewHeaders.cpp A fixed table's cells and row heights. */
#include "controls/clsGraphicalViewHeaders.h"

#include <algorithm>
#include <map>
#include <utility>

void clsGraphicalViewHeader::Add(std::string pText, int16_t pWidth, int16_t pRow, int16_t pCol, int32_t pTA) {
  text_ = std::move(pText);
  width_ = pWidth;
  row_ = pRow;
  col_ = pCol;
  textAlign_ = pTA;
}

void clsGraphicalViewHeaders::Add(std::string pText, int16_t pWidth, int16_t pRow, int16_t pCol, int32_t pTA) {
  clsGraphicalViewHeader cell;
  cell.Add(std::move(pText), pWidth, pRow, pCol, pTA);
  cells_.push_back(std::move(cell));
}

const clsGraphicalViewHeader* clsGraphicalViewHeaders::Find(int16_t pRow, int16_t pCol) const {
  for (const auto& c : cells_)
    if (c.Row() == pRow && c.Col() == pCol) return &c;
  return nullptr;
}

clsGraphicalViewHeader* clsGraphicalViewHeaders::Find(int16_t pRow, int16_t pCol) {
  return const_cast<clsGraphicalViewHeader*>(std::as_const(*this).Find(pRow, pCol));
}

bool clsGraphicalViewHeaders::MouseOver(int16_t pRow, int16_t pCol) const {
  const auto* c = Find(pRow, pCol);
  return c && c->MouseOver();
}

void clsGraphicalViewHeaders::SetMouseOver(int16_t pRow, int16_t pCol, bool on) {
  if (auto* c = Find(pRow, pCol)) c->SetMouseOver(on);
}

int16_t clsGraphicalViewHeaders::RectArea(int16_t pRow, int16_t pCol, int pRect) const {
  const auto* c = Find(pRow, pCol);
  return c ? c->RectArea(pRect) : 0;
}

void clsGraphicalViewHeaders::SetRectArea(int16_t pRow, int16_t pCol, int pRect, int16_t value) {
  if (auto* c = Find(pRow, pCol)) c->SetRectArea(pRect, value);
}

plat::Rect clsGraphicalViewHeaders::TextRect(int16_t pRow, int16_t pCol) const {
  return plat::Rect{RectArea(pRow, pCol, 2), RectArea(pRow, pCol, 1), RectArea(pRow, pCol, 4), RectArea(pRow, pCol, 3)};
}

int16_t clsGraphicalViewHeaders::RowHeight(int16_t pRow) const { return heights_.Item("Row" + std::to_string(pRow)); }

void clsGraphicalViewHeaders::SetRowHeight(int16_t pRow, int16_t pHeight) {
  heights_.Add(pHeight, "Row" + std::to_string(pRow));
}

void clsGraphicalViewHeaders::SetText(int16_t pRow, int16_t pCol, std::string pText) {
  if (auto* c = Find(pRow, pCol)) c->SetText(std::move(pText));
}

std::string clsGraphicalViewHeaders::GetText(int16_t pRow, int16_t pCol) const {
  const auto* c = Find(pRow, pCol);
  return c ? c->Text() : std::string();
}

int32_t clsGraphicalViewHeaders::GetTextType(int16_t pRow, int16_t pCol) const {
  const auto* c = Find(pRow, pCol);
  return c ? c->TextAlign() : 0;
}

int16_t clsGraphicalViewHeaders::GetColWidth(int16_t pRow, int16_t pCol) const {
  const auto* c = Find(pRow, pCol);
  return c ? c->Width() : 0;
}

int16_t clsGraphicalViewHeaders::GetColCount(int16_t pRow) const {
  int16_t n = 0;
  for (const auto& c : cells_)
    if (c.Row() == pRow) n = std::max(n, c.Col());
  return n;
}

int16_t clsGraphicalViewHeaders::GetRowCount() const {
  int16_t n = 0;
  for (const auto& c : cells_) n = std::max(n, c.Row());
  return n;
}

int32_t clsGraphicalViewHeaders::GetHeight() const {
  int32_t sum = 0;
  for (const auto& [key, h] : heights_) sum += h;
  return sum;
}

int32_t clsGraphicalViewHeaders::GetWidth() const {
  std::map<int16_t, int32_t> rows;
  for (const auto& c : cells_) rows[c.Row()] += c.Width();
  int32_t widest = 0;
  for (const auto& [row, w] : rows) widest = std::max(widest, w);
  return widest;
}
