#pragma once

// Texts of the slidepub-settings tool. Errors go to standard error, values
// and hexadecimal texts to standard output.

inline constexpr char kUsage[] =
    "usage: slidepub-settings encrypt VALUE\n"
    "       slidepub-settings decrypt HEX\n"
    "       slidepub-settings get FILE KEY\n"
    "       slidepub-settings set FILE KEY VALUE\n"
    "Values are encrypted as the installer reads them from its settings file\n"
    "(Blowfish under the product's settings key, upper-case hexadecimal).\n";

inline constexpr char kUnknownCommand[] = "slidepub-settings: unknown command '%s'\n";
inline constexpr char kWrongArgumentCount[] =
    "slidepub-settings: wrong number of arguments for '%s'\n";
inline constexpr char kHexOddLength[] =
    "slidepub-settings: the hexadecimal text has an odd length (%zu characters)\n";
inline constexpr char kHexBadCharacter[] =
    "slidepub-settings: character %zu (byte 0x%02X) is not a hexadecimal digit; "
    "only 0-9 and upper-case A-F are\n";
inline constexpr char kKeyEmpty[] = "slidepub-settings: the key must not be empty\n";
inline constexpr char kKeyBadCharacter[] =
    "slidepub-settings: the key must not hold ';', CR or LF\n";
inline constexpr char kKeyTooLong[] = "slidepub-settings: the key is longer than %zu characters\n";
inline constexpr char kValueTooLong[] =
    "slidepub-settings: the value is longer than %zu bytes; a stored value holds at most %zu "
    "hexadecimal characters\n";
inline constexpr char kCannotRead[] = "slidepub-settings: cannot read %s\n";
inline constexpr char kCannotWrite[] = "slidepub-settings: cannot write %s\n";
inline constexpr char kNoRecord[] =
    "slidepub-settings: no record of %s is taken for %s; the installer reads an empty value\n";
inline constexpr char kShadowed[] =
    "slidepub-settings: the record at line %zu of %s is taken for every key (empty section, or "
    "a number that reads as 0), so the installer would never read %s; %s left unchanged\n";
inline constexpr char kNoLineEnd[] =
    "slidepub-settings: the last record of %s (line %zu) has no line end; a record added behind "
    "it would change its value; %s left unchanged\n";
inline constexpr char kEntryTooLong[] =
    "slidepub-settings: the entry line for %s would be longer than %zu characters; %s left "
    "unchanged\n";
inline constexpr char kOtherValueChanged[] =
    "slidepub-settings: the change would also change what the installer reads for '%s'; %s "
    "left unchanged\n";
inline constexpr char kNotReadBack[] =
    "slidepub-settings: the installer would not read the new value of %s; %s left unchanged\n";
