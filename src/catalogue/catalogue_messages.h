#pragma once

#include <cstddef>

// Texts of the catalogue database. Console texts carry their own line end;
// log texts get theirs from LogWrite (the connect details end with one of
// their own, so the log shows an empty line after them).

// The connection values in the product's settings file.
inline constexpr char kSettingLogin[] = "LOGIN";
inline constexpr char kSettingPassword[] = "PASS";
inline constexpr char kSettingDbSystem[] = "DB_SYSTEM";
inline constexpr char kSettingDatabase[] = "DATABASE";

// Shown in messages only: the statements name their schema themselves.
inline constexpr char kSchemaName[] = "ovsystem";

// A DATABASE value of 1 to this many characters names the data source;
// any other leaves the data-source name empty, and the connect then fails.
inline constexpr std::size_t kDataSourceMaxLength = 41;

inline constexpr char kConsoleConnectFailed[] = "Datenbankverbindung fehlgeschlagen, Fehler: %d\n";
inline constexpr char kConsoleConnectDetails[] =
    "DBSys   : %s\nUser    : %s\nPasswort: %s\nNet8    : %s\nSchema  : %s\n";
inline constexpr char kLogConnectDetails[] =
    "DBSys: %s, User: %s, Passwort: %s, Net8: %s, Schema: %s\n";

// Stands for a password in the run log, which more people read than the
// operator at the terminal. An empty password stays empty: it tells that
// none was found.
inline constexpr char kMaskedPassword[] = "***";
