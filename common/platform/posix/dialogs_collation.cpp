// The order of sorted combo and list boxes and the case-blind comparisons of their
// searches. Windows sorts list items with the user locale's collation, case ignored; the
// pages hold Latin and Korean names, for which that order is: punctuation and spaces,
// then digits, then Latin letters alphabetically, then other scripts (Hangul syllables in
// code point order, which is their dictionary order).
#include <algorithm>

#include "dialogs_internal.h"

namespace kx::platform::detail {
namespace {

enum class CharacterGroup { Punctuation, Digit, Latin, Other };

bool IsLatinLetter(char16_t c) {
  return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') ||
         (c >= 0x00C0 && c <= 0x024F && c != 0x00D7 && c != 0x00F7);
}

CharacterGroup GroupOf(char16_t c) {
  if (c >= u'0' && c <= u'9') return CharacterGroup::Digit;
  if (IsLatinLetter(c)) return CharacterGroup::Latin;
  if (c < 0x00C0) return CharacterGroup::Punctuation;
  return CharacterGroup::Other;
}

// Case folding for the letters whose case the comparisons ignore.
char16_t Fold(char16_t c) {
  if (c >= u'A' && c <= u'Z') return static_cast<char16_t>(c + (u'a' - u'A'));
  if (c >= 0x00C0 && c <= 0x00DE && c != 0x00D7) return static_cast<char16_t>(c + 0x20);
  // Latin Extended-A pairs its capitals and small letters as even and odd code points.
  if (c >= 0x0100 && c <= 0x017F && c % 2 == 0 && c != 0x0138) return static_cast<char16_t>(c + 1);
  return c;
}

int CompareCharacters(char16_t a, char16_t b) {
  const CharacterGroup groupA = GroupOf(a);
  const CharacterGroup groupB = GroupOf(b);
  if (groupA != groupB) return groupA < groupB ? -1 : 1;
  const char16_t foldedA = Fold(a);
  const char16_t foldedB = Fold(b);
  if (foldedA != foldedB) return foldedA < foldedB ? -1 : 1;
  return 0;
}

}  // namespace

int CompareForSort(std::u16string_view a, std::u16string_view b) {
  const size_t common = std::min(a.size(), b.size());
  for (size_t i = 0; i < common; ++i) {
    if (const int order = CompareCharacters(a[i], b[i]); order != 0) return order;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

bool EqualIgnoringCase(std::u16string_view a, std::u16string_view b) {
  return a.size() == b.size() && StartsWithIgnoringCase(a, b);
}

bool StartsWithIgnoringCase(std::u16string_view text, std::u16string_view prefix) {
  if (prefix.size() > text.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i) {
    if (Fold(text[i]) != Fold(prefix[i])) return false;
  }
  return true;
}

}  // namespace kx::platform::detail
