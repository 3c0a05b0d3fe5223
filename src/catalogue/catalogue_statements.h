#pragma once

#include <string>
#include <string_view>

// The statements against the product's catalogue table. Every "%s" is filled
// in order with one value; the runs of blanks are part of the texts that the
// product's other tools and its database logs know.
inline constexpr char kExistenceQuery[] =
    "SELECT  TrdTyp   FROM  Ovsystem.O2006TrmDatei  WHERE  TrdNam = '%s'    AND  TrdTyp = 4    "
    "AND  TrdLiz = '%s'    AND  TrdMnd = '%s'";
inline constexpr char kDeleteStatement[] =
    "DELETE  FROM Ovsystem.O2006TrmDatei  WHERE  TrdNam = '%s'    AND  TrdTyp = 4    AND  "
    "TrdLiz = '%s'    AND  TrdMnd = '%s'";
inline constexpr char kInsertStatement[] =
    "INSERT INTO Ovsystem.O2006TrmDatei   (TrdNam, TrdTxt, TrdArt, TrdTyp,    TrdVer, TrdTcn, "
    "TrdLiz, TrdMnd)  VALUES   ('%s', '%s', 1, 4,     ' ', '%s', '%s', '%s')";

// The value as the inside of an SQL text literal: every single quote doubled,
// every other byte unchanged.
std::string QuoteSqlText(std::string_view value);

// The statements with their values quoted and filled in, in full whatever
// their length.
std::string FormatExistenceQuery(std::string_view name, std::string_view lizenz,
                                 std::string_view mandant);
std::string FormatDeleteStatement(std::string_view name, std::string_view lizenz,
                                  std::string_view mandant);
std::string FormatInsertStatement(std::string_view name, std::string_view fingerprint,
                                  std::string_view lizenz, std::string_view mandant);
