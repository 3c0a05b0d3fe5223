#include "catalogue/database_connection.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "catalogue/presentation_catalogue.h"
#include "driver/run_context.h"
#include "support/product_tree.h"
#include "support/test_database.h"
#include "support/test_files.h"

namespace {

using testing_support::ConnectionSettings;
using testing_support::ProductTree;
using testing_support::ReadBytes;
using testing_support::ScopedCurrentDirectory;
using testing_support::TestDatabase;
using testing_support::WriteBytes;
using testing_support::WriteConnectionSettings;

constexpr char kFailedLine[] = "Datenbankverbindung fehlgeschlagen, Fehler: -1\n";

// DbConnect in a product tree, from its working directory, with the console
// captured.
class DbConnectTest : public ::testing::Test {
  protected:
    void SetUp() override {
        db.UseOdbcConfiguration();
        CurrentRun().Verbose = false;
    }

    std::int32_t Connect() {
        ::testing::internal::CaptureStdout();
        std::int32_t result = DbConnect();
        console = ::testing::internal::GetCapturedStdout();
        return result;
    }

    const TestDatabase& db = TestDatabase::Get();
    ProductTree tree;
    ScopedCurrentDirectory inWorkDir{tree.WorkDir()};
    std::string console;
};

TEST_F(DbConnectTest, FourSettingsConnectWithoutAWord) {
    WriteConnectionSettings(tree.SettingsFile(), db.Settings());
    EXPECT_EQ(Connect(), 0);
    EXPECT_EQ(console, "");
    EXPECT_FALSE(std::filesystem::exists(tree.LogFile()));
    EXPECT_EQ(PresentationExists("Conn nobody", "12345", "001"), 100);
}

TEST_F(DbConnectTest, WithoutSettingsFileEveryValueIsEmptyButTheSchema) {
    CurrentRun().Verbose = true;
    EXPECT_EQ(Connect(), -1);
    EXPECT_EQ(console, std::string(kFailedLine) +
                           "DBSys   : \nUser    : \nPasswort: \nNet8    : \nSchema  : OVSYSTEM\n");
    EXPECT_EQ(tree.ReadLog(), "DBSys: , User: , Passwort: , Net8: , Schema: OVSYSTEM\r\n\r\n");
}

// The log is read by more people than the operator at the terminal: the
// password shows as "***" there, in full only on the verbose console.
TEST_F(DbConnectTest, WrongPasswordIsMaskedInTheLog) {
    ConnectionSettings settings = db.Settings();
    settings.Password = "Falsch-Geheim7";
    WriteConnectionSettings(tree.SettingsFile(), settings);

    EXPECT_EQ(Connect(), -1);
    EXPECT_EQ(console, kFailedLine);
    std::string expectedLog = "DBSys: PostgreSQL, User: " + db.Login() +
                              ", Passwort: ***, Net8: " + db.Dsn() + ", Schema: OVSYSTEM\r\n\r\n";
    EXPECT_EQ(tree.ReadLog(), expectedLog);

    CurrentRun().Verbose = true;
    EXPECT_EQ(Connect(), -1);
    EXPECT_EQ(console, std::string(kFailedLine) + "DBSys   : PostgreSQL\nUser    : " + db.Login() +
                           "\nPasswort: Falsch-Geheim7\nNet8    : " + db.Dsn() +
                           "\nSchema  : OVSYSTEM\n");
    EXPECT_EQ(tree.ReadLog(), expectedLog + expectedLog);
}

// A DATABASE value of up to 41 characters is passed on as the data-source
// name, a longer one is not. The driver managers themselves refuse names
// longer than 32 characters (SQL_MAX_DSN_LENGTH), so 33 to 41 fail there;
// the log tells the two apart by its "Net8" field.
TEST_F(DbConnectTest, DataSourceNameOfAtMost41Characters) {
    std::string odbcIni = ReadBytes(db.OdbcIni());
    std::string section = "[" + db.Dsn() + "]";
    std::string body = odbcIni.substr(odbcIni.find(section) + section.size());
    body = body.substr(0, body.find("\n["));
    auto nameOf = [](std::size_t length) { return "SlidePub" + std::string(length - 8, 'L'); };
    std::string ownIni;
    for (std::size_t length : {32, 41, 42}) ownIni += "[" + nameOf(length) + "]" + body + "\n";
    WriteBytes(tree.Base() / "odbc.ini", ownIni);
    setenv("ODBCINI", (tree.Base() / "odbc.ini").c_str(), 1);

    struct Case {
        std::size_t length;
        std::int32_t result;
        std::string net8;
    } cases[] = {{32, 0, ""}, {41, -1, nameOf(41)}, {42, -1, ""}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.length);
        ConnectionSettings settings = db.Settings();
        settings.Database = nameOf(c.length);
        WriteConnectionSettings(tree.SettingsFile(), settings);
        std::filesystem::remove(tree.LogFile());

        EXPECT_EQ(Connect(), c.result);
        if (c.result == 0) {
            EXPECT_EQ(console, "");
            EXPECT_FALSE(std::filesystem::exists(tree.LogFile()));
        } else {
            EXPECT_EQ(console, kFailedLine);
            EXPECT_EQ(tree.ReadLog(), "DBSys: PostgreSQL, User: " + db.Login() +
                                          ", Passwort: ***, Net8: " + c.net8 +
                                          ", Schema: OVSYSTEM\r\n\r\n");
        }
    }
}

// The product's fields held 23 characters of user name and password; longer
// ones reach the server whole.
TEST_F(DbConnectTest, LongLoginAndPasswordAreCarriedWhole) {
    std::string login = "sp_conn_" + std::string(32, 'l');
    std::string password = "Geheim-" + std::string(33, 'p');
    db.CreateLoginRole(login, password);
    WriteConnectionSettings(tree.SettingsFile(), {login, password, "PostgreSQL", db.Dsn()});
    EXPECT_EQ(Connect(), 0);
    EXPECT_EQ(console, "");
}

}  // namespace
