#pragma once

// Texts of the run frame and the import sequence. Log texts carry umlauts as
// Windows-1252 bytes (0xE4 for a-umlaut, 0xFC for u-umlaut) and get their
// line end from LogWrite; console texts are ASCII and carry their own.

// Run frame
inline constexpr char kLogStartLine[] = "\n\nStart   : %s";
inline constexpr char kTimestampFormat[] = "ddmmyyyyhhminss";
inline constexpr char kUsageHeading[] = "Aufrufsyntax :\n";
inline constexpr char kUsageLine[] =
    "SlidePub_<DBSys>.exe <User> <PresName> <Lizenz> <Mandant> [DebugFlag]\n";
inline constexpr char kUsageEnd[] = "\n";
inline constexpr char kVerboseFlag[] = "/D";

inline constexpr char kConsoleMissingParameter[] = "fehlender Parameter\n";
inline constexpr char kLogWrongParameterCount[] = "falsche Parameteranzahl --> Abbruch";
inline constexpr char kConsoleUserTooLong[] = "Benutzername zu lang !!!\n";
inline constexpr char kLogUserTooLong[] = "Benutzername zu lang --> Abbruch";
inline constexpr char kConsolePresNameTooLong[] = "Name der Praesentation zu lang !!!\n";
inline constexpr char kLogPresNameTooLong[] = "Name der Pr\xE4sentation zu lang --> Abbruch";
inline constexpr char kConsolePresNameUnsafe[] = "Name der Praesentation ungueltig !!!\n";
inline constexpr char kLogPresNameUnsafe[] = "Name der Pr\xE4sentation ung\xFCltig --> Abbruch";
inline constexpr char kLogPresName[] = "Pr\xE4sentation: %s";
inline constexpr char kConsoleLizenzTooLong[] = "Lizenznummer zu lang !!!\n";
inline constexpr char kLogLizenzTooLong[] = "Lizenznummer zu lang --> Abbruch";
inline constexpr char kConsoleMandantTooLong[] = "Mandantennummer zu lang !!!\n";
inline constexpr char kLogMandantTooLong[] = "Mandantennummer zu lang --> Abbruch";
inline constexpr char kLogLizenzMandant[] = "Lizenz: '%s', Mandant: '%s'";
