#include <stdlib.h>

#include "support/product_tree.h"
#include "support/test_database.h"

namespace testing_support {

void TestDatabase::UseOdbcConfiguration() const {
    setenv("ODBCSYSINI", odbcSysIni_.c_str(), 1);
    setenv("ODBCINI", odbcIni_.c_str(), 1);
}

SqlRun TestDatabase::RunSql(std::string_view sql, std::string_view database) const {
    std::string target = database.empty() ? database_ : std::string(database);
    BinaryRun run = RunProgram(
        pgBin_ / "psql",
        {"-X", "-q", "-A", "-t", "-v", "ON_ERROR_STOP=1", "-h", socketDir_.string(), "-p",
         std::to_string(port_), "-U", superuser_, "-d", target, "-c", std::string(sql)},
        "/", {"PGCLIENTENCODING=UTF8", "PGCONNECT_TIMEOUT=10"});
    return SqlRun{run.exitStatus == 0, run.out, run.err};
}

}  // namespace testing_support
