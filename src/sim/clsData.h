/** @file clsData.h The kingdom's economy values in memory: treasury, population and each occupation's affluence, education and trust. */
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace sim {

/// Money is never raised above this by MoneyAdd.
inline constexpr int32_t kMoneyCap = 999999;

/// clsData numbers the occupations 0 Producer, 1 Merchant, 2 Constructor, 3 Engineer, 4 Soldier.
/// The panels and recruitment use another order (see Occupations.h); never index one with the other.
class clsData {
 public:
  int16_t Population() const { return population_; }
  void Population(int16_t value) { population_ = value; }

  int32_t Money() const { return money_; }
  void Money(int32_t value) { money_ = value; }
  /// Pays Value when the treasury covers it (True); otherwise leaves the money as it was (False).
  bool MoneyDif(int32_t Value);
  /// Adds Value (which may be negative); a sum above 999999 becomes 999999. No lower bound,
  /// but a sum below 32 bits is an overflow error rather than a treasury nobody can read.
  void MoneyAdd(int64_t Value);

  /// The write-back statement of one occupation's three attributes. A number outside 0..4 throws.
  std::string CreateSQL(int16_t OccupationNumber) const;

  // By name (names compare case-sensitively); an unknown name reads 0 and stores nothing.
  // The setters clamp to 0..100.
  int16_t Affluence(std::string_view Occupation) const;
  void Affluence(std::string_view Occupation, int value);
  int16_t Trust(std::string_view Occupation) const;
  void Trust(std::string_view Occupation, int value);
  int16_t Education(std::string_view Occupation) const;
  void Education(std::string_view Occupation, int value);

  // By clsData number 0..4; any other number throws rt::VbError(kErrSubscript).
  int16_t AffluenceASNumber(int OccupationNumber) const;
  int16_t TrustASNumber(int OccupationNumber) const;
  int16_t EducationASNumber(int OccupationNumber) const;
  /// Weighted education: Producer 2, Merchant 1, Constructor 1, Engineer 3, Soldier 1, over 8.
  int16_t EducationAverage() const;
  /// Add 1 to one attribute, never above 100.
  void EducationADD(int OccupationNumber);
  void TrustADD(int OccupationNumber);
  void AffluenceADD(int OccupationNumber);

  /// The name of a clsData number, "" for any other number.
  static std::string RetOccupationName(int OccupationNumber);
  /// The clsData number of a name, -1 when unknown (case-sensitive).
  static int OccupationNumber(std::string_view Occupation);

 private:
  static size_t Checked(int n);
  std::array<int16_t, 5> education_{};
  std::array<int16_t, 5> trust_{};
  std::array<int16_t, 5> affluence_{};
  int32_t money_ = 0;
  int16_t population_ = 0;
};

}  // namespace sim
