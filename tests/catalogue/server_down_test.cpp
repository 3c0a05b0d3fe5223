#include <gtest/gtest.h>

#include "catalogue/database_connection.h"
#include "catalogue/presentation_catalogue.h"
#include "support/test_database.h"

namespace {

using testing_support::TestDatabase;

// The connection of a run outlives nothing: a server that went away makes the
// next connect fail, and one that is back makes it work again.
TEST(CatalogueServerDown, ConnectFailsWhileTheServerIsAway) {
    const TestDatabase& db = TestDatabase::Get();
    db.UseOdbcConfiguration();

    db.StopServer();
    std::int32_t whileDown = OpenConnection(db.Login(), db.Password(), db.Dsn());
    db.StartServer();
    EXPECT_EQ(whileDown, -1);

    ASSERT_EQ(OpenConnection(db.Login(), db.Password(), db.Dsn()), 0);
    EXPECT_EQ(PresentationExists("CatServerDown", "1", "1"), 100);
}

}  // namespace
