#pragma once

#include <cstdint>
#include <string>

#include "catalogue/odbc_api.h"

// The first diagnostic record of the last failed statement. Only the native
// error is used by the system; state and message are kept for a reader with
// a debugger or a test.
struct DiagRecord {
    std::string SqlState;     // five characters when a record was found
    std::string MessageText;  // the driver's message, in full
    std::int32_t NativeError = 0;
};

// Clears the process-wide record and fills it with diagnostic record 1 of the
// handle. A handle without any record leaves it cleared, native error 0.
void FetchDiagnostics(SQLSMALLINT handleType, SQLHANDLE handle);

// The record that the last FetchDiagnostics left.
const DiagRecord& LastDiagRecord();
