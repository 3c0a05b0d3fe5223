#include "catalogue/database_connection.h"

#include "catalogue/catalogue_connection.h"
#include "catalogue/odbc_handle.h"

namespace {

// Environment and connection of the run. They live until the process ends;
// the connection is closed on the way out so that the server sees a proper
// end rather than a dropped socket.
struct RunConnection {
    OdbcHandle Environment;
    OdbcHandle Connection;  // declared after the environment: freed before it
    bool Connected = false;

    ~RunConnection() { Close(); }

    void Close() {
        if (Connected) SQLDisconnect(Connection.Get());
        Connected = false;
        Connection.Release();
        Environment.Release();
    }
};

RunConnection& TheConnection() {
    static RunConnection connection;
    return connection;
}

SQLCHAR* OdbcText(std::string& text) {
    return reinterpret_cast<SQLCHAR*>(text.data());
}

}  // namespace

SQLHDBC CatalogueConnection() {
    const RunConnection& connection = TheConnection();
    return connection.Connected ? connection.Connection.Get() : SQL_NULL_HANDLE;
}

std::int32_t OpenConnection(const std::string& user, const std::string& password,
                            const std::string& dataSource) {
    // Own copies: SQLConnect takes its texts through non-const pointers.
    std::string server = dataSource, login = user, authentication = password;

    RunConnection& connection = TheConnection();
    connection.Close();

    connection.Environment.Allocate(SQL_HANDLE_ENV, SQL_NULL_HANDLE);
    if (!connection.Environment) return -1;
    SQLSetEnvAttr(connection.Environment.Get(), SQL_ATTR_ODBC_VERSION,
                  reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), SQL_IS_INTEGER);

    connection.Connection.Allocate(SQL_HANDLE_DBC, connection.Environment.Get());
    if (!connection.Connection) return -1;

    SQLRETURN rc = SQLConnect(connection.Connection.Get(), OdbcText(server), SQL_NTS,
                              OdbcText(login), SQL_NTS, OdbcText(authentication), SQL_NTS);
    if (rc == SQL_ERROR) return -1;
    connection.Connected = true;
    return 0;
}
