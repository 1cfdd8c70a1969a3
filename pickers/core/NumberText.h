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

} // namespace kvpickers
