#include "catalogue/presentation_catalogue.h"

#include <string>

#include "catalogue/catalogue_connection.h"
#include "catalogue/catalogue_statements.h"
#include "catalogue/diagnostics.h"
#include "catalogue/odbc_handle.h"

namespace {

SQLRETURN ExecuteStatement(const OdbcHandle& statement, std::string text) {
    return SQLExecDirect(statement.Get(), reinterpret_cast<SQLCHAR*>(text.data()), SQL_NTS);
}

// The number that stands for a refused call: the native error of the first
// diagnostic record, or -1 when there is none or it is 0, so that a failure
// never reads as success.
std::int32_t FailureNumber(SQLSMALLINT handleType, SQLHANDLE handle) {
    FetchDiagnostics(handleType, handle);
    std::int32_t nativeError = LastDiagRecord().NativeError;
    return nativeError != 0 ? nativeError : -1;
}

// Auto-commit off for the lifetime of the object. What is not committed by
// then is rolled back, and auto-commit is switched on again, so every other
// statement of the run keeps the driver's default. A driver that cannot
// switch auto-commit off leaves every call here without effect.
class ManualCommit {
  public:
    explicit ManualCommit(SQLHDBC connection) : connection_(connection) {
        active_ = SQL_SUCCEEDED(SQLSetConnectAttr(connection_, SQL_ATTR_AUTOCOMMIT,
                                                  reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_OFF),
                                                  SQL_IS_UINTEGER));
    }
    ~ManualCommit() {
        if (!active_) return;
        if (!committed_) Rollback();
        SQLSetConnectAttr(connection_, SQL_ATTR_AUTOCOMMIT,
                          reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_ON), SQL_IS_UINTEGER);
    }
    ManualCommit(const ManualCommit&) = delete;
    ManualCommit& operator=(const ManualCommit&) = delete;

    void Rollback() {
        if (active_) SQLEndTran(SQL_HANDLE_DBC, connection_, SQL_ROLLBACK);
    }
    SQLRETURN Commit() {
        if (!active_) return SQL_SUCCESS;
        SQLRETURN rc = SQLEndTran(SQL_HANDLE_DBC, connection_, SQL_COMMIT);
        committed_ = rc != SQL_ERROR;
        return rc;
    }

  private:
    SQLHDBC connection_;
    bool active_ = false;
    bool committed_ = false;
};

}  // namespace

std::int32_t PresentationExists(std::string_view name, std::string_view lizenz,
                                std::string_view mandant) {
    OdbcHandle statement;
    if (!SQL_SUCCEEDED(statement.Allocate(SQL_HANDLE_STMT, CatalogueConnection()))) return -1;
    if (ExecuteStatement(statement, FormatExistenceQuery(name, lizenz, mandant)) == SQL_ERROR)
        return -1;

    // Bound only so the row is fetched the way the product always did; the
    // value itself is not looked at.
    SQLSMALLINT type = 0;
    SQLLEN indicator = 0;
    SQLBindCol(statement.Get(), 1, SQL_C_SHORT, &type, sizeof type, &indicator);
    SQLRETURN rc = SQLFetch(statement.Get());
    statement.Release();
    return rc == SQL_SUCCESS_WITH_INFO ? 0 : rc;
}

std::int32_t RegisterPresentation(std::string_view name, std::string_view fingerprint,
                                  std::string_view lizenz, std::string_view mandant) {
    SQLHDBC connection = CatalogueConnection();
    ManualCommit transaction(connection);

    {
        OdbcHandle statement;
        if (!SQL_SUCCEEDED(statement.Allocate(SQL_HANDLE_STMT, connection))) return -1;
        // Whether the delete removed an entry, none (SQL_NO_DATA with some
        // drivers) or failed does not matter. A failed one may have aborted
        // the transaction, though, and the insert needs a clean one.
        if (ExecuteStatement(statement, FormatDeleteStatement(name, lizenz, mandant)) == SQL_ERROR)
            transaction.Rollback();
    }

    std::int32_t result = 0;
    {
        OdbcHandle statement;
        if (!SQL_SUCCEEDED(statement.Allocate(SQL_HANDLE_STMT, connection))) return -1;
        SQLRETURN rc =
            ExecuteStatement(statement, FormatInsertStatement(name, fingerprint, lizenz, mandant));
        if (rc == SQL_ERROR)
            result = FailureNumber(SQL_HANDLE_STMT, statement.Get());
        else if (rc != SQL_SUCCESS && rc != SQL_SUCCESS_WITH_INFO)
            result = rc;
    }

    if (result == 0 && transaction.Commit() == SQL_ERROR)
        result = FailureNumber(SQL_HANDLE_DBC, connection);
    return result;
}
