#pragma once

#include <cstdint>
#include <string>

// Opens the run's one catalogue connection with the login of the product's
// settings file. 0 when it is open, -1 when opening it failed; a failure is
// shown on the console in every run and logged with the password masked.
std::int32_t DbConnect();

// Connects to the ODBC data source with this user and password and keeps the
// connection open for the rest of the process. 0 or -1; only SQL_ERROR from
// SQLConnect counts as failure. A connection opened before is closed first.
std::int32_t OpenConnection(const std::string& user, const std::string& password,
                            const std::string& dataSource);
