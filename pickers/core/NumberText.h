// Numbers in the program's data files, read the way the C library's atoi and
// atof read them in the "C" locale, whatever locale the program runs in:
// leading blanks, an optional sign, then as many characters as make a
// number; text without a number gives 0.
#pragma once

namespace kvpickers {

// Digits up to the first other character; a value beyond the int range is
// cut to the range's end.
int TextToInt(const char* text);
// A decimal number with an optional fraction and exponent ("0.25", "2",
// "1e-2"); the decimal point is always '.'.
double TextToDouble(const char* text);

// The same, for text that must be a number and nothing else (blanks around
// it allowed): FALSE for text that is no number, has more after it, or (a
// whole number) lies outside the int range.
bool ReadWholeNumber(const char* text, int& value);
bool ReadDecimalNumber(const char* text, double& value);

} // namespace kvpickers
