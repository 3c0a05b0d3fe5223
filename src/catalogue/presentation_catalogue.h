#pragma once

#include <cstdint>
#include <string_view>

// The product's catalogue of installed presentations, reached over the
// connection that DbConnect opened. An entry of this system is identified by
// name, type 4, licence and client number.

// 0 when the catalogue holds the entry, 100 (SQL_NO_DATA) when it does not,
// -1 when the query could not run; any other code of SQLFetch unchanged.
std::int32_t PresentationExists(std::string_view name, std::string_view lizenz,
                                std::string_view mandant);

// Replaces the entry with one for the archive and its fingerprint. Delete and
// insert form one transaction, so a refused insert keeps the older entry.
// 0 on success; for a refused insert (or commit) the driver's native error
// number, -1 when that is 0 or missing; -1 when no statement handle could be
// allocated; any other return code of the insert unchanged.
std::int32_t RegisterPresentation(std::string_view name, std::string_view fingerprint,
                                  std::string_view lizenz, std::string_view mandant);
