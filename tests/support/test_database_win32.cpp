#include <windows.h>
// After windows.h, which they build on.
#include <sql.h>
#include <sqlext.h>

#include <cstdlib>
#include <stdexcept>

#include "support/test_database.h"

namespace testing_support {

namespace {

class OdbcHandle {
  public:
    explicit OdbcHandle(SQLSMALLINT type, SQLHANDLE parent) : type_(type) {
        if (!SQL_SUCCEEDED(SQLAllocHandle(type, parent, &handle_))) handle_ = SQL_NULL_HANDLE;
    }
    ~OdbcHandle() {
        if (connected_) SQLDisconnect(handle_);
        if (handle_ != SQL_NULL_HANDLE) SQLFreeHandle(type_, handle_);
    }
    OdbcHandle(const OdbcHandle&) = delete;
    OdbcHandle& operator=(const OdbcHandle&) = delete;

    SQLHANDLE Get() const { return handle_; }
    void SetConnected() { connected_ = true; }

    // Every diagnostic record, one a line: "STATE native: message".
    std::string Diagnostics() const {
        std::string text;
        SQLCHAR state[6], message[1024];
        SQLINTEGER native = 0;
        SQLSMALLINT length = 0;
        for (SQLSMALLINT record = 1; SQL_SUCCEEDED(SQLGetDiagRec(
                 type_, handle_, record, state, &native, message, sizeof message, &length));
             ++record) {
            text += reinterpret_cast<char*>(state) + (" " + std::to_string(native) + ": ") +
                    reinterpret_cast<char*>(message) + "\n";
        }
        return text;
    }

  private:
    SQLSMALLINT type_;
    SQLHANDLE handle_ = SQL_NULL_HANDLE;
    bool connected_ = false;
};

SQLCHAR* Text(const std::string& text) {
    return reinterpret_cast<SQLCHAR*>(const_cast<char*>(text.c_str()));
}

}  // namespace

// Under Wine the driver manager is the host's unixODBC, which reads the
// environment that the process was started with: a variable set here would
// not reach it. The test's CTest ENVIRONMENT has to carry both.
void TestDatabase::UseOdbcConfiguration() const {
    const char* sysIni = std::getenv("ODBCSYSINI");
    const char* ini = std::getenv("ODBCINI");
    if (sysIni == nullptr || sysIni != odbcSysIni_.string() || ini == nullptr ||
        ini != odbcIni_.string())
        throw std::runtime_error("start the test with ODBCSYSINI=" + odbcSysIni_.string() +
                                 " and ODBCINI=" + odbcIni_.string() +
                                 " in its environment (CTest property ENVIRONMENT)");
}

// No psql under Wine (a Linux program started from there cannot be awaited):
// the statement goes through ODBC, as the catalogue login, which may read,
// insert and delete rows of the catalogue table. Rows come as psql -A -t
// writes them, texts in Windows-1252.
SqlRun TestDatabase::RunSql(std::string_view sql, std::string_view database) const {
    std::string dsn = dsn_;
    if (database == emptyDatabase_) {
        dsn = emptyDsn_;
    } else if (!database.empty() && database != database_) {
        return SqlRun{false, "", "no data source for the database " + std::string(database)};
    }
    UseOdbcConfiguration();

    OdbcHandle environment(SQL_HANDLE_ENV, SQL_NULL_HANDLE);
    SQLSetEnvAttr(environment.Get(), SQL_ATTR_ODBC_VERSION,
                  reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    OdbcHandle connection(SQL_HANDLE_DBC, environment.Get());
    if (!SQL_SUCCEEDED(SQLConnect(connection.Get(), Text(dsn), SQL_NTS, Text(login_), SQL_NTS,
                                  Text(password_), SQL_NTS)))
        return SqlRun{false, "", connection.Diagnostics()};
    connection.SetConnected();

    OdbcHandle statement(SQL_HANDLE_STMT, connection.Get());
    std::string text(sql);
    SQLRETURN executed = SQLExecDirect(statement.Get(), Text(text), SQL_NTS);
    if (executed != SQL_NO_DATA && !SQL_SUCCEEDED(executed))
        return SqlRun{false, "", statement.Diagnostics()};

    SqlRun run{true, "", ""};
    SQLSMALLINT columns = 0;
    SQLNumResultCols(statement.Get(), &columns);
    while (columns > 0 && SQL_SUCCEEDED(SQLFetch(statement.Get()))) {
        for (SQLUSMALLINT column = 1; column <= columns; ++column) {
            if (column > 1) run.out += '|';
            char piece[256];
            SQLLEN length = 0;
            SQLRETURN got;
            // A long value arrives in pieces, each but the last filling the buffer.
            while (SQL_SUCCEEDED(got = SQLGetData(statement.Get(), column, SQL_C_CHAR, piece,
                                                  sizeof piece, &length)) &&
                   length != SQL_NULL_DATA) {
                bool whole = got == SQL_SUCCESS;
                run.out += whole ? std::string(piece, static_cast<std::size_t>(length))
                                 : std::string(piece);
                if (whole) break;
            }
        }
        run.out += '\n';
    }
    return run;
}

}  // namespace testing_support
