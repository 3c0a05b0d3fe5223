#pragma once

#include <string>
#include <string_view>
#include <vector>

// Splits a Windows command line into its arguments the way the Microsoft C
// runtime does for argv, so that a program started from such a line on
// another platform sees what it would have seen on Windows:
//  - blanks and tabs separate arguments outside double quotes;
//  - a double quote opens or closes quoting; "" inside quotes is a literal ";
//  - 2n backslashes before a double quote give n backslashes and the quote
//    acts; 2n+1 give n backslashes and a literal double quote;
//  - every other backslash is literal.
// The program name follows the same rules as the other arguments. An empty
// or blank line gives no arguments; "" gives one empty argument.
std::vector<std::string> SplitCommandLine(std::string_view commandLine);
