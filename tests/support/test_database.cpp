#include "support/test_database.h"

#include <fstream>
#include <map>
#include <memory>
#include <stdexcept>
#include <utility>

#include "settings/settings_cipher.h"
#include "support/product_tree.h"

namespace testing_support {

namespace {

std::filesystem::path StateDirectory() {
    if (const char* dir = std::getenv("SLIDEPUB_TESTDB_DIR"); dir != nullptr && *dir != '\0')
        return dir;
    return std::filesystem::path(SLIDEPUB_BUILD_DIR) / "testdb";
}

std::filesystem::path StartScript() {
    return std::filesystem::path(SLIDEPUB_SOURCE_DIR) / "tests" / "support" / "testdb" /
           "testdb.sh";
}

std::map<std::string, std::string> ReadStateFile(const std::filesystem::path& file) {
    std::ifstream in(file);
    if (!in)
        throw std::runtime_error(
            "the test database is not running: " + file.string() +
            " is missing. Tests using it need the CTest fixture catalogue_db, or start it "
            "by hand: " +
            StartScript().string() + " start " + file.parent_path().string());
    std::map<std::string, std::string> values;
    std::string line;
    while (std::getline(in, line)) {
        std::size_t equals = line.find('=');
        if (equals != std::string::npos) values[line.substr(0, equals)] = line.substr(equals + 1);
    }
    return values;
}

std::string Required(const std::map<std::string, std::string>& values, const std::string& key) {
    auto found = values.find(key);
    if (found == values.end() || found->second.empty())
        throw std::runtime_error("the test database's state file lacks " + key);
    return found->second;
}

}  // namespace

const TestDatabase& TestDatabase::Get() {
    static std::unique_ptr<TestDatabase> instance;
    if (instance) return *instance;

    std::unique_ptr<TestDatabase> database(new TestDatabase());
    database->stateDir_ = StateDirectory();
    auto values = ReadStateFile(database->stateDir_ / "testdb.env");
    database->dsn_ = Required(values, "SLIDEPUB_TESTDB_DSN");
    database->emptyDsn_ = Required(values, "SLIDEPUB_TESTDB_EMPTY_DSN");
    database->rawDsn_ = Required(values, "SLIDEPUB_TESTDB_RAW_DSN");
    database->login_ = Required(values, "SLIDEPUB_TESTDB_LOGIN");
    database->password_ = Required(values, "SLIDEPUB_TESTDB_PASSWORD");
    database->host_ = Required(values, "SLIDEPUB_TESTDB_HOST");
    database->port_ = std::stoi(Required(values, "SLIDEPUB_TESTDB_PORT"));
    database->database_ = Required(values, "SLIDEPUB_TESTDB_DATABASE");
    database->emptyDatabase_ = Required(values, "SLIDEPUB_TESTDB_EMPTY_DATABASE");
    database->superuser_ = Required(values, "SLIDEPUB_TESTDB_SUPERUSER");
    database->socketDir_ = Required(values, "SLIDEPUB_TESTDB_SOCKET_DIR");
    database->pgBin_ = Required(values, "SLIDEPUB_TESTDB_PG_BIN");
    database->odbcSysIni_ = Required(values, "ODBCSYSINI");
    database->odbcIni_ = Required(values, "ODBCINI");

    SqlRun probe = database->RunSql("SELECT 1");
    if (!probe.ok || probe.out != "1\n")
        throw std::runtime_error("the test database does not answer on " +
                                 database->socketDir_.string() + " port " +
                                 std::to_string(database->port_) + ": " + probe.err);
    instance = std::move(database);
    return *instance;
}

std::vector<std::string> TestDatabase::OdbcEnvironment() const {
    return {"ODBCSYSINI=" + odbcSysIni_.string(), "ODBCINI=" + odbcIni_.string()};
}

std::string TestDatabase::Query(std::string_view sql, std::string_view database) const {
    SqlRun run = RunSql(sql, database);
    if (!run.ok)
        throw std::runtime_error("psql failed on \"" + std::string(sql) + "\": " + run.err);
    if (!run.out.empty() && run.out.back() == '\n') run.out.pop_back();
    return run.out;
}

void TestDatabase::CreateLoginRole(std::string_view name, std::string_view password) const {
    std::string role(name);
    Query("DO $$ BEGIN IF EXISTS (SELECT 1 FROM pg_roles WHERE rolname = " + SqlLiteral(role) +
          ") THEN DROP OWNED BY " + role + "; DROP ROLE " + role + "; END IF; END $$;" +
          "CREATE ROLE " + role + " LOGIN PASSWORD " + SqlLiteral(password) + ";" +
          "GRANT USAGE ON SCHEMA Ovsystem TO " + role + ";" +
          "GRANT SELECT, INSERT, DELETE ON Ovsystem.O2006TrmDatei TO " + role + ";");
}

void TestDatabase::StopServer() const {
    BinaryRun run = RunProgram("/bin/bash",
                               {StartScript().string(), "pg_ctl", stateDir_.string(), "stop"}, "/");
    if (run.exitStatus != 0)
        throw std::runtime_error("stopping the test database failed: " + run.err);
}

void TestDatabase::StartServer() const {
    BinaryRun run = RunProgram(
        "/bin/bash", {StartScript().string(), "pg_ctl", stateDir_.string(), "start"}, "/");
    if (run.exitStatus != 0)
        throw std::runtime_error("starting the test database failed: " + run.err);
}

ConnectionSettings TestDatabase::Settings() const {
    return ConnectionSettings{login_, password_, "PostgreSQL", dsn_};
}

void WriteConnectionSettings(const std::filesystem::path& file,
                             const ConnectionSettings& settings) {
    std::string content;
    for (const auto& [key, value] :
         {std::pair<const char*, const std::string&>{"LOGIN", settings.Login},
          {"PASS", settings.Password},
          {"DB_SYSTEM", settings.DbSystem},
          {"DATABASE", settings.Database}}) {
        content += ";DB;\r\n1;";
        content += key;
        content += ";" + EncryptSetting(value, kSettingsKey) + "\r\n";
    }
    WriteBytes(file, content);
}

std::string SqlLiteral(std::string_view value) {
    std::string literal = "'";
    for (char c : value) {
        if (c == '\'') literal += '\'';
        literal += c;
    }
    return literal + "'";
}

}  // namespace testing_support
