#pragma once

// The ODBC headers of Windows expect the Windows types to be declared before
// them; unixODBC's headers bring their own. Either way the plain (ANSI)
// entry points SQLConnect, SQLExecDirect and SQLGetDiagRec are the ones used:
// both driver managers export them under these names.
#if __has_include(<windows.h>)
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#endif

#include <sql.h>
#include <sqlext.h>
