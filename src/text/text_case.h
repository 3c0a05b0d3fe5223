#pragma once

#include <string>

// Byte-wise letter case for Windows-1252 text. Only the ASCII letters change:
// the product's other tools compare names this way, so a capital umlaut
// (0xC4) must stay 0xC4 and never become 0xE4.

// Turns "a".."z" into "A".."Z" in place and returns the same text.
std::string& UpperCaseText(std::string& text);

// Turns "A".."Z" into "a".."z" in place and returns the same text.
std::string& LowerCaseText(std::string& text);
