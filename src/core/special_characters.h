#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vantorix {

// Reads a number the lenient way users of the token syntax expect: blanks,
// tabs and line feeds are skipped wherever they stand, an optional sign, a
// decimal point and an exponent (E or D) are accepted, &H and &O introduce
// hexadecimal and octal numbers, and reading stops at the first character
// that cannot continue the number. Text that does not begin with a number
// reads as 0. Hexadecimal and octal values that fit 16 (or 32) bits read as
// signed numbers of that width, so &HFFFF is -1.
double readLenientNumber(std::string_view text);

// Rounds to the nearest whole number, a half going to the even neighbour, and
// returns it when it is a character code from 0 to 255.
std::optional<unsigned char> characterCode(double number);

// Expands decimal character codes in braces: A{13}B becomes A, carriage
// return, B; {TAB} and {} (no number) become the character with code 0.
// Rewrites `input_String`.
//
// Texts the window lets through but the syntax does not define are kept as
// the user wrote them: a "}" with no open "{" before it is copied, and so is
// a group whose number lies outside 0 to 255 ({300}, {-1}), braces included.
// An unclosed "{" and everything after it are copied too.
void process_special_characters(std::string& input_String);

}  // namespace vantorix
