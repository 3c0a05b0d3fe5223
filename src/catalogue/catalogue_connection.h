#pragma once

#include "catalogue/odbc_api.h"

// The connection that OpenConnection left open, for the catalogue
// statements; SQL_NULL_HANDLE before a successful connect.
SQLHDBC CatalogueConnection();
