#pragma once
// The Windows-free rules of dialog data exchange: how edit text is read as a
// number and how the validation messages are worded. Tested natively.
#include <cstdint>
#include <string>
#include <vector>

// The built-in texts of strings IDP_PARSE_UINT and IDP_PARSE_INT_RANGE, used
// when a program's string table has no entry of its own.
extern const char kParseUnsignedText[];
extern const char kParseRangeText[];

// Reads an unsigned 32-bit decimal number: digits only, with blanks (space,
// tab) allowed before and after. An empty text, a sign, any other character
// or a value above 4294967295 gives false, and `value` is left unchanged.
bool ParseUnsigned(const std::string& text, uint32_t& value);

// `pattern` with each %1 ... %9 replaced by args[0] ... args[8]; a number
// with no argument, and any other %, stay as they are.
std::string FormatArguments(const std::string& pattern, const std::vector<std::string>& args);

// The range message: %1 and %2 of `pattern` replaced by `min` and `max`
// written as unsigned decimal numbers.
std::string RangeMessage(const std::string& pattern, uint32_t min, uint32_t max);
