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

// Import sequence
inline constexpr char kLogDbConnectFailed[] = "DbConnect-Fehler %d   --> Abbruch";
inline constexpr char kConsoleDbConnected[] = "DbConnect\n";
inline constexpr char kLogAlreadyRegistered[] = "Pr\xE4sentation '%s' bereits vorhanden";
inline constexpr char kConsoleAlreadyRegistered[] = "Praesentation bereits vorhanden\n";
inline constexpr char kLogVersion2000[] = "PP-Version 2000";
inline constexpr char kConsoleVersion2000[] = "PP-Version 2000\n";
inline constexpr char kLogVersion2003[] = "PP-Version 2003";
inline constexpr char kConsoleVersion2003[] = "PP-Version 2003\n";
inline constexpr char kLogNoExport[] = "keine g\xFCltige Pr\xE4sentation gefunden!";
inline constexpr char kConsoleNoExport[] = "Skript-Datei nicht gefunden\n";
inline constexpr char kLogPrepareFailed[] = "Fehler beim Aufbereiten der Quelldatei: %d";
inline constexpr char kConsolePrepareFailed[] = "Fehler Aufbereitung Quelldatei: %d\n";
inline constexpr char kLogPrepared[] = "PP-Dateien modifiziert";
inline constexpr char kConsolePrepared[] = "PP-Dateien modifiziert\n";
inline constexpr char kLogArchiverCall[] = "Aufruf Zip-Programm:";
inline constexpr char kLogArchiveCommand[] = "    %s";
inline constexpr char kConsoleArchiverCall[] = "Aufruf Zip-Programm\n";
inline constexpr char kLogArchiverFailed[] = "Fehler beim Komprimieren der Dateien %d";
inline constexpr char kConsoleArchiverFailed[] = "Fehler beim Komprimieren der Dateien %d\n";
// Shown on the console as they stand, without a line end.
inline constexpr char kPreviewTemplateMissing[] = "Vorlage f\xFCr Vorschaubild nicht gefunden!";
inline constexpr char kPreviewNotCreated[] = "Vorschaubild kann nicht erzeugt werden!";
inline constexpr char kLogRegisterFailed[] = "Fehler beim Eintragen in Datenbank: %d";
inline constexpr char kConsoleRegisterFailed[] = "Fehler beim Eintragen in Datenbank: %d\n";
inline constexpr char kLogInstalled[] = "Pr\xE4sentation '%s' installiert.";
inline constexpr char kConsoleInstalled[] = "Praesentation '%s' installiert.\n";
inline constexpr char kLogProgramEnd[] = "Programm-Ende";
