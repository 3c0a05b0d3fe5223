#include "catalogue/database_connection.h"

#include <cstdio>

#include "catalogue/catalogue_connection.h"
#include "catalogue/catalogue_messages.h"
#include "catalogue/odbc_handle.h"
#include "driver/product_folders.h"
#include "driver/run_context.h"
#include "driver/run_log.h"
#include "settings/settings_file.h"
#include "text/text_case.h"

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

std::string SettingValue(const char* key) {
    return ReadSetting("", key, 0, kSettingsFilePath).Value;
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

std::int32_t DbConnect() {
    // Values longer than the product's fields are carried whole; only the
    // data-source name keeps its length rule, which decides what connects.
    std::string user = SettingValue(kSettingLogin);
    std::string password = SettingValue(kSettingPassword);
    std::string dbSystem = SettingValue(kSettingDbSystem);
    std::string schema = kSchemaName;
    std::string database = SettingValue(kSettingDatabase);
    std::string dataSource;
    if (!database.empty() && database.size() <= kDataSourceMaxLength) dataSource = database;
    UpperCaseText(schema);

    std::int32_t result = OpenConnection(user, password, dataSource);
    if (result == 0) return 0;

    std::printf(kConsoleConnectFailed, static_cast<int>(result));
    if (CurrentRun().Verbose)
        std::printf(kConsoleConnectDetails, dbSystem.c_str(), user.c_str(), password.c_str(),
                    dataSource.c_str(), schema.c_str());
    LogWrite(LogLine(kLogConnectDetails, dbSystem.c_str(), user.c_str(),
                     password.empty() ? "" : kMaskedPassword, dataSource.c_str(), schema.c_str()));
    return result;
}
