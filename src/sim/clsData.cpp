/** @file clsData.cpp The kingdom's economy values. */
#include "sim/clsData.h"

#include <algorithm>

#include "runtime/Convert.h"
#include "runtime/VbError.h"

namespace sim {
namespace {

// clsData's own numbering.
constexpr std::array<std::string_view, 5> kDataNames = {"Producer", "Merchant", "Constructor", "Engineer", "Soldier"};

int16_t Clamp100(int v) { return static_cast<int16_t>(std::clamp(v, 0, 100)); }

}  // namespace

size_t clsData::Checked(int n) {
  if (n < 0 || n > 4) throw rt::VbError(rt::kErrSubscript);
  return static_cast<size_t>(n);
}

std::string clsData::RetOccupationName(int OccupationNumber) {
  if (OccupationNumber < 0 || OccupationNumber > 4) return "";
  return std::string(kDataNames[static_cast<size_t>(OccupationNumber)]);
}

int clsData::OccupationNumber(std::string_view Occupation) {
  for (size_t i = 0; i < kDataNames.size(); ++i)
    if (kDataNames[i] == Occupation) return static_cast<int>(i);
  return -1;
}

bool clsData::MoneyDif(int32_t Value) {
  if (Value <= money_) {
    money_ = rt::SubL(money_, Value);
    return true;
  }
  // A payment the treasury cannot cover is refused whole: the money stays as it was.
  return false;
}

void clsData::MoneyAdd(int64_t Value) {
  const int64_t sum = money_ + Value;
  money_ = sum > kMoneyCap ? kMoneyCap : rt::CheckL(sum);
}

std::string clsData::CreateSQL(int16_t n) const {
  size_t i = Checked(n);
  return "UPDATE people SET Affluence=" + rt::CStr(affluence_[i]) + ",Education=" + rt::CStr(education_[i]) +
         ",Trust=" + rt::CStr(trust_[i]) + "  WHERE Occupation='" + std::string(kDataNames[i]) + "'";
}

int16_t clsData::Affluence(std::string_view o) const {
  int n = OccupationNumber(o);
  return n < 0 ? 0 : affluence_[static_cast<size_t>(n)];
}
void clsData::Affluence(std::string_view o, int v) {
  int n = OccupationNumber(o);
  if (n >= 0) affluence_[static_cast<size_t>(n)] = Clamp100(v);
}
int16_t clsData::Trust(std::string_view o) const {
  int n = OccupationNumber(o);
  return n < 0 ? 0 : trust_[static_cast<size_t>(n)];
}
void clsData::Trust(std::string_view o, int v) {
  int n = OccupationNumber(o);
  if (n >= 0) trust_[static_cast<size_t>(n)] = Clamp100(v);
}
int16_t clsData::Education(std::string_view o) const {
  int n = OccupationNumber(o);
  return n < 0 ? 0 : education_[static_cast<size_t>(n)];
}
void clsData::Education(std::string_view o, int v) {
  int n = OccupationNumber(o);
  if (n >= 0) education_[static_cast<size_t>(n)] = Clamp100(v);
}

int16_t clsData::AffluenceASNumber(int n) const { return affluence_[Checked(n)]; }
int16_t clsData::TrustASNumber(int n) const { return trust_[Checked(n)]; }
int16_t clsData::EducationASNumber(int n) const { return education_[Checked(n)]; }

int16_t clsData::EducationAverage() const {
  const auto& e = education_;
  int16_t sum = rt::AddI(rt::AddI(rt::AddI(rt::AddI(rt::MulI(2, e[0]), e[1]), e[2]), rt::MulI(3, e[3])), e[4]);
  return static_cast<int16_t>(sum / 8);
}

void clsData::EducationADD(int n) { size_t i = Checked(n); education_[i] = Clamp100(education_[i] + 1); }
void clsData::TrustADD(int n) { size_t i = Checked(n); trust_[i] = Clamp100(trust_[i] + 1); }
void clsData::AffluenceADD(int n) { size_t i = Checked(n); affluence_[i] = Clamp100(affluence_[i] + 1); }

}  // namespace sim
