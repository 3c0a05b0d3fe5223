// A loadable SQLite extension for the demo's embedded catalogue. The
// installer's statements name the table as Ovsystem.O2006TrmDatei; SQLite
// knows a schema only as the name of an attached database, so the extension
// gives the main database that name. The installer itself is not changed.
#include <sqlite3ext.h>
SQLITE_EXTENSION_INIT1

extern "C" int sqlite3_ovsystem_init(sqlite3* db, char** /*errorMessage*/,
                                     const sqlite3_api_routines* api) {
    SQLITE_EXTENSION_INIT2(api);
    return sqlite3_db_config(db, SQLITE_DBCONFIG_MAINDBNAME, "Ovsystem");
}
