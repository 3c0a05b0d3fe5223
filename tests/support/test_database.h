#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace testing_support {

// The four connection values that the installer reads from the product's
// settings file.
struct ConnectionSettings {
    std::string Login;     // "LOGIN"
    std::string Password;  // "PASS"
    std::string DbSystem;  // "DB_SYSTEM", shown in messages only
    std::string Database;  // "DATABASE": the ODBC data-source name
};

// Writes a settings file holding the four values, encrypted as the product
// stores them, one record each (heading ";DB;", entry "1;KEY;HEX", CR LF).
void WriteConnectionSettings(const std::filesystem::path& file, const ConnectionSettings& settings);

// What psql left after one call.
struct SqlRun {
    bool ok = false;  // psql ended with status 0
    std::string out;  // rows, one a line, fields separated by "|"
    std::string err;
};

// The throwaway PostgreSQL server with the product's catalogue table that
// the CTest fixture "catalogue_db" starts once per ctest run
// (tests/support/testdb/testdb.sh; a test needing it sets
// FIXTURES_REQUIRED catalogue_db). Its catalogue database holds the table
// Ovsystem.O2006TrmDatei; a second database on the same server has none.
// Tests share the server and may run in parallel: use rows with names of
// your own, and never change what others rely on (the shared login's rights,
// the table) - create a login of your own for that.
class TestDatabase {
  public:
    // Reads what the start script left and checks that the server answers.
    // Throws std::runtime_error with the reason otherwise, so a test needing
    // the database fails loudly instead of being skipped.
    static const TestDatabase& Get();

    const std::string& Dsn() const { return dsn_; }            // catalogue database
    const std::string& EmptyDsn() const { return emptyDsn_; }  // database without the table
    // The catalogue database with psqlODBC's rollback level 0: a failed
    // statement leaves the transaction aborted, as the server has it.
    const std::string& RawDsn() const { return rawDsn_; }
    const std::string& Login() const { return login_; }  // role with the catalogue rights
    const std::string& Password() const { return password_; }
    const std::string& Host() const { return host_; }  // loopback address for TCP clients
    int Port() const { return port_; }
    const std::string& Database() const { return database_; }
    const std::string& EmptyDatabase() const { return emptyDatabase_; }

    // Login, password and data source of the catalogue database, for
    // WriteConnectionSettings.
    ConnectionSettings Settings() const;

    // The private driver and data-source files: ODBCSYSINI (the folder of
    // odbcinst.ini and odbc.ini) and ODBCINI (odbc.ini). Nothing system-wide.
    const std::filesystem::path& OdbcSysIni() const { return odbcSysIni_; }
    const std::filesystem::path& OdbcIni() const { return odbcIni_; }

    // "ODBCSYSINI=...", "ODBCINI=..." for a child process (ProductTree::Run).
    std::vector<std::string> OdbcEnvironment() const;

    // Points this process's driver manager at the private files; call before
    // the first ODBC call of the process. Under Wine it only checks that the
    // process was started with them (test_database_win32.cpp).
    void UseOdbcConfiguration() const;

    // Runs SQL as the server's superuser with psql over the unix socket, in
    // the catalogue database unless another is named. Client encoding UTF8.
    // Under Wine: through ODBC as Login(), texts in Windows-1252.
    SqlRun RunSql(std::string_view sql, std::string_view database = {}) const;

    // The same; throws std::runtime_error when psql fails. Returns the output
    // without its last line end.
    std::string Query(std::string_view sql, std::string_view database = {}) const;

    // A further login role with the same rights as Login(), created afresh.
    void CreateLoginRole(std::string_view name, std::string_view password) const;

    // Stops the server or starts it again (same data, same port). Affects
    // every test running at the same time: only for tests with RUN_SERIAL.
    void StopServer() const;
    void StartServer() const;

  private:
    TestDatabase() = default;

    std::filesystem::path stateDir_;
    std::string dsn_, emptyDsn_, rawDsn_, login_, password_, host_, database_, emptyDatabase_;
    std::string superuser_;
    int port_ = 0;
    std::filesystem::path socketDir_, pgBin_, odbcSysIni_, odbcIni_;
};

// The value as an SQL text literal, single quotes doubled, for test SQL.
std::string SqlLiteral(std::string_view value);

}  // namespace testing_support
