#include "catalogue/presentation_catalogue.h"

#include <gtest/gtest.h>

#include <string>

#include "catalogue/catalogue_connection.h"
#include "catalogue/database_connection.h"
#include "catalogue/diagnostics.h"
#include "support/test_database.h"

namespace {

using testing_support::SqlLiteral;
using testing_support::TestDatabase;

constexpr char kOldFingerprint[] = "00000000000000000000000000000000";
constexpr char kNewFingerprint[] = "0123456789ABCDEF0123456789ABCDEF";

// Connected to the shared catalogue as the tests' login. Each test works on
// rows named after itself, so tests running side by side never meet.
class CatalogueTest {
  protected:
    void Prepare(const std::string& dataSource) {
        db.UseOdbcConfiguration();
        ASSERT_EQ(OpenConnection(db.Login(), db.Password(), dataSource), 0);
        name =
            std::string("Cat ") + ::testing::UnitTest::GetInstance()->current_test_info()->name();
        db.Query("DELETE FROM Ovsystem.O2006TrmDatei WHERE TrdNam LIKE " + SqlLiteral(name + "%"));
    }

    // A row as another tool of the product might have left it.
    static std::string InsertRowSql(const std::string& rowName, int type,
                                    const std::string& fingerprint,
                                    const std::string& lizenz = "12345",
                                    const std::string& mandant = "001") {
        return "INSERT INTO Ovsystem.O2006TrmDatei VALUES (" + SqlLiteral(rowName) + ", " +
               SqlLiteral(rowName) + ", 1, " + std::to_string(type) + ", ' ', " +
               SqlLiteral(fingerprint) + ", " + SqlLiteral(lizenz) + ", " + SqlLiteral(mandant) +
               ")";
    }
    void InsertRow(const std::string& rowName, int type, const std::string& fingerprint,
                   const std::string& lizenz = "12345", const std::string& mandant = "001") {
        db.Query(InsertRowSql(rowName, type, fingerprint, lizenz, mandant));
    }

    // Every row of the name, all columns, ordered by type and licence.
    std::string Rows(const std::string& rowName) {
        return db.Query(
            "SELECT TrdNam, TrdTxt, TrdArt, TrdTyp, '[' || TrdVer || ']', TrdTcn, TrdLiz, TrdMnd "
            "FROM Ovsystem.O2006TrmDatei WHERE TrdNam = " +
            SqlLiteral(rowName) + " ORDER BY TrdTyp, TrdLiz, TrdMnd");
    }

    static bool AutoCommitIsOn() {
        SQLULEN mode = 0;
        SQLGetConnectAttr(CatalogueConnection(), SQL_ATTR_AUTOCOMMIT, &mode, 0, nullptr);
        return mode == SQL_AUTOCOMMIT_ON;
    }

    const TestDatabase& db = TestDatabase::Get();
    std::string name;
};

class PresentationCatalogue : public CatalogueTest, public ::testing::Test {
  protected:
    void SetUp() override { Prepare(db.Dsn()); }
};

// Registration's transaction, once with psqlODBC's default (a failed
// statement is rolled back on its own) and once with the driver leaving the
// transaction aborted after a failed statement, as other drivers do.
enum class DriverRollback { PerStatement, None };

class AtomicRegistration : public CatalogueTest, public ::testing::TestWithParam<DriverRollback> {
  protected:
    void SetUp() override { Prepare(DataSource()); }

    std::string DataSource() const {
        return GetParam() == DriverRollback::None ? db.RawDsn() : db.Dsn();
    }
    // A login of this test's own, whose rights it may change.
    std::string OwnLogin(const std::string& purpose) {
        std::string login =
            "sp_cat_" + purpose + (GetParam() == DriverRollback::None ? "_raw" : "");
        db.CreateLoginRole(login, kOwnPassword);
        return login;
    }

    static constexpr char kOwnPassword[] = "Eigene-Rechte1";
};

TEST_F(PresentationCatalogue, ExistenceNeedsNameTypeFourLicenceAndClient) {
    InsertRow(name, 4, kOldFingerprint);
    InsertRow(name + " typ3", 3, kOldFingerprint);

    EXPECT_EQ(PresentationExists(name, "12345", "001"), 0);
    EXPECT_EQ(PresentationExists(name + " typ3", "12345", "001"), 100);
    EXPECT_EQ(PresentationExists(name, "12345", "002"), 100);
    EXPECT_EQ(PresentationExists(name, "54321", "001"), 100);
    EXPECT_EQ(PresentationExists(name + "x", "12345", "001"), 100);
}

TEST_F(PresentationCatalogue, ExistenceQueryWithoutTheTableFails) {
    ASSERT_EQ(OpenConnection(db.Login(), db.Password(), db.EmptyDsn()), 0);
    EXPECT_EQ(PresentationExists(name, "12345", "001"), -1);
}

TEST_F(PresentationCatalogue, NewEntryCarriesTheGivenValues) {
    EXPECT_EQ(RegisterPresentation(name, kNewFingerprint, "12345", "001"), 0);
    EXPECT_EQ(Rows(name), name + "|" + name + "|1|4|[ ]|" + kNewFingerprint + "|12345|001");
    EXPECT_EQ(PresentationExists(name, "12345", "001"), 0);
    EXPECT_TRUE(AutoCommitIsOn());
}

TEST_P(AtomicRegistration, ExistingEntryIsReplacedOthersKept) {
    InsertRow(name, 4, kOldFingerprint);
    InsertRow(name, 3, kOldFingerprint);
    InsertRow(name, 4, kOldFingerprint, "12345", "002");

    EXPECT_EQ(RegisterPresentation(name, kNewFingerprint, "12345", "001"), 0);
    EXPECT_EQ(Rows(name), name + "|" + name + "|1|3|[ ]|" + kOldFingerprint + "|12345|001\n" +
                              name + "|" + name + "|1|4|[ ]|" + kNewFingerprint + "|12345|001\n" +
                              name + "|" + name + "|1|4|[ ]|" + kOldFingerprint + "|12345|002");
}

TEST_F(PresentationCatalogue, SingleQuotesAreStoredAndFound) {
    std::string quoted = name + " O'Brien''s";
    EXPECT_EQ(PresentationExists(quoted, "1'2", "'"), 100);
    EXPECT_EQ(RegisterPresentation(quoted, kNewFingerprint, "1'2", "'"), 0);
    EXPECT_EQ(PresentationExists(quoted, "1'2", "'"), 0);
    EXPECT_EQ(db.Query("SELECT TrdNam || '|' || TrdLiz || '|' || TrdMnd FROM "
                       "Ovsystem.O2006TrmDatei WHERE TrdNam LIKE " +
                       SqlLiteral(name + " O%")),
              quoted + "|1'2|'");
}

// The data source talks Windows-1252: the byte 0xE4 must arrive as the
// letter, not as a stray byte, and be found again by the same bytes.
TEST_F(PresentationCatalogue, WindowsLettersArriveAsLetters) {
    std::string umlauts = name +
                          " Pr\xE4sentation \xDC"
                          "bersicht";
    EXPECT_EQ(RegisterPresentation(umlauts, kNewFingerprint, "12345", "001"), 0);
    EXPECT_EQ(PresentationExists(umlauts, "12345", "001"), 0);
    EXPECT_EQ(db.Query("SELECT TrdNam FROM Ovsystem.O2006TrmDatei WHERE TrdNam LIKE " +
                       SqlLiteral(name + " Pr%")),
              name +
                  " Pr\xC3\xA4sentation \xC3\x9C"
                  "bersicht");
}

TEST_P(AtomicRegistration, RefusedInsertKeepsTheOlderEntry) {
    InsertRow(name, 4, kOldFingerprint);
    std::string tooLong = std::string(kNewFingerprint) + "0";  // 33 characters for 32

    std::int32_t result = RegisterPresentation(name, tooLong, "12345", "001");
    EXPECT_NE(result, 0);
    EXPECT_EQ(LastDiagRecord().SqlState, "22001");  // string data, right truncation
    EXPECT_NE(LastDiagRecord().MessageText.find("character varying(32)"), std::string::npos)
        << LastDiagRecord().MessageText;
    EXPECT_EQ(Rows(name), name + "|" + name + "|1|4|[ ]|" + kOldFingerprint + "|12345|001");
    EXPECT_TRUE(AutoCommitIsOn());

    // The connection is usable afterwards, and still commits on its own.
    EXPECT_EQ(RegisterPresentation(name, kNewFingerprint, "12345", "001"), 0);
    EXPECT_EQ(Rows(name), name + "|" + name + "|1|4|[ ]|" + kNewFingerprint + "|12345|001");
}

// Without the transaction the delete would go through and the entry be lost.
TEST_P(AtomicRegistration, InsertWithoutRightKeepsTheOlderEntry) {
    std::string login = OwnLogin("noinsert");
    db.Query("REVOKE INSERT ON Ovsystem.O2006TrmDatei FROM " + login);
    ASSERT_EQ(OpenConnection(login, kOwnPassword, DataSource()), 0);
    InsertRow(name, 4, kOldFingerprint);

    std::int32_t result = RegisterPresentation(name, kNewFingerprint, "12345", "001");
    EXPECT_NE(result, 0);
    EXPECT_EQ(LastDiagRecord().SqlState, "42501");  // insufficient privilege
    EXPECT_EQ(Rows(name), name + "|" + name + "|1|4|[ ]|" + kOldFingerprint + "|12345|001");
    EXPECT_TRUE(AutoCommitIsOn());
}

// The test server refuses rows with this mark in their name only when their
// transaction commits: insert accepted, commit refused.
TEST_P(AtomicRegistration, RefusedCommitIsNoSuccessAndKeepsTheOlderEntry) {
    std::string refused = name + " [refused at commit]";
    // The older entry gets in past the server's triggers, for this session only.
    db.Query("SET session_replication_role = replica; " +
             InsertRowSql(refused, 4, kOldFingerprint));

    std::int32_t result = RegisterPresentation(refused, kNewFingerprint, "12345", "001");
    EXPECT_NE(result, 0);
    EXPECT_NE(LastDiagRecord().MessageText.find("refused at commit"), std::string::npos)
        << LastDiagRecord().MessageText;
    EXPECT_EQ(Rows(refused),
              refused + "|" + refused + "|1|4|[ ]|" + kOldFingerprint + "|12345|001");
    EXPECT_TRUE(AutoCommitIsOn());
}

// A refused delete must not leave an aborted transaction behind for the
// insert.
TEST_P(AtomicRegistration, RefusedDeleteStillLetsTheInsertRun) {
    std::string login = OwnLogin("nodelete");
    db.Query("REVOKE DELETE ON Ovsystem.O2006TrmDatei FROM " + login);
    ASSERT_EQ(OpenConnection(login, kOwnPassword, DataSource()), 0);

    EXPECT_EQ(RegisterPresentation(name, kNewFingerprint, "12345", "001"), 0);
    EXPECT_EQ(Rows(name), name + "|" + name + "|1|4|[ ]|" + kNewFingerprint + "|12345|001");
    EXPECT_TRUE(AutoCommitIsOn());
}

TEST_F(PresentationCatalogue, WithoutConnectionNothingRuns) {
    ASSERT_EQ(OpenConnection(db.Login(), db.Password(), "SlidePubNoSuchSource"), -1);
    EXPECT_EQ(PresentationExists(name, "12345", "001"), -1);
    EXPECT_EQ(RegisterPresentation(name, kNewFingerprint, "12345", "001"), -1);
    EXPECT_EQ(Rows(name), "");
}

INSTANTIATE_TEST_SUITE_P(Driver, AtomicRegistration,
                         ::testing::Values(DriverRollback::PerStatement, DriverRollback::None),
                         [](const ::testing::TestParamInfo<DriverRollback>& info) {
                             return info.param == DriverRollback::None ? "NoDriverRollback"
                                                                       : "StatementRollback";
                         });

}  // namespace
