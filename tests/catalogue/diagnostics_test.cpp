#include "catalogue/diagnostics.h"

#include <gtest/gtest.h>

#include <string>

#include "catalogue/catalogue_connection.h"
#include "catalogue/database_connection.h"
#include "catalogue/odbc_handle.h"
#include "support/test_database.h"

namespace {

using testing_support::TestDatabase;

class Diagnostics : public ::testing::Test {
  protected:
    void SetUp() override {
        db.UseOdbcConfiguration();
        ASSERT_EQ(OpenConnection(db.Login(), db.Password(), db.Dsn()), 0);
        ASSERT_TRUE(SQL_SUCCEEDED(statement.Allocate(SQL_HANDLE_STMT, CatalogueConnection())));
    }

    SQLRETURN Execute(std::string text) {
        return SQLExecDirect(statement.Get(), reinterpret_cast<SQLCHAR*>(text.data()), SQL_NTS);
    }

    const TestDatabase& db = TestDatabase::Get();
    OdbcHandle statement;
};

// The product's buffer held 999 characters of a message; longer ones are
// read whole.
TEST_F(Diagnostics, LongMessagesArriveWhole) {
    std::string marker = "Ende der langen Meldung";
    ASSERT_EQ(Execute("DO $$ BEGIN RAISE EXCEPTION '%', repeat('x', 3000) || '" + marker +
                      "' USING ERRCODE = '22023'; END $$"),
              SQL_ERROR);
    FetchDiagnostics(SQL_HANDLE_STMT, statement.Get());
    const DiagRecord& record = LastDiagRecord();
    EXPECT_EQ(record.SqlState, "22023");
    EXPECT_NE(record.NativeError, 0);
    EXPECT_NE(record.MessageText.find(std::string(3000, 'x') + marker), std::string::npos)
        << record.MessageText.size();
}

TEST_F(Diagnostics, HandleWithoutRecordClearsTheLastOne) {
    ASSERT_EQ(Execute("SELECT * FROM Ovsystem.NoSuchTable"), SQL_ERROR);
    FetchDiagnostics(SQL_HANDLE_STMT, statement.Get());
    ASSERT_EQ(LastDiagRecord().SqlState, "42P01");

    OdbcHandle fresh;
    ASSERT_TRUE(SQL_SUCCEEDED(fresh.Allocate(SQL_HANDLE_STMT, CatalogueConnection())));
    FetchDiagnostics(SQL_HANDLE_STMT, fresh.Get());
    EXPECT_EQ(LastDiagRecord().SqlState, "");
    EXPECT_EQ(LastDiagRecord().MessageText, "");
    EXPECT_EQ(LastDiagRecord().NativeError, 0);
}

}  // namespace
