#include "catalogue/catalogue_statements.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The texts are written out here on their own, blank for blank, so that a
// change to the templates shows.
TEST(CatalogueStatements, OrdinaryValuesGiveTheExactTexts) {
    EXPECT_EQ(FormatExistenceQuery("Messe2006", "12345", "001"),
              "SELECT  TrdTyp   FROM  Ovsystem.O2006TrmDatei  WHERE  TrdNam = 'Messe2006'    AND  "
              "TrdTyp = 4    AND  TrdLiz = '12345'    AND  TrdMnd = '001'");
    EXPECT_EQ(FormatDeleteStatement("Messe2006", "12345", "001"),
              "DELETE  FROM Ovsystem.O2006TrmDatei  WHERE  TrdNam = 'Messe2006'    AND  TrdTyp = 4 "
              "   AND  TrdLiz = '12345'    AND  TrdMnd = '001'");
    EXPECT_EQ(
        FormatInsertStatement("Messe2006", "0123456789ABCDEF0123456789ABCDEF", "12345", "001"),
        "INSERT INTO Ovsystem.O2006TrmDatei   (TrdNam, TrdTxt, TrdArt, TrdTyp,    TrdVer, "
        "TrdTcn, TrdLiz, TrdMnd)  VALUES   ('Messe2006', 'Messe2006', 1, 4,     ' ', "
        "'0123456789ABCDEF0123456789ABCDEF', '12345', '001')");
}

TEST(CatalogueStatements, EmptyValuesStayEmptyLiterals) {
    EXPECT_EQ(FormatInsertStatement("", "", "", ""),
              "INSERT INTO Ovsystem.O2006TrmDatei   (TrdNam, TrdTxt, TrdArt, TrdTyp,    TrdVer, "
              "TrdTcn, TrdLiz, TrdMnd)  VALUES   ('', '', 1, 4,     ' ', '', '', '')");
}

TEST(CatalogueStatements, QuotesAreDoubledEverythingElseKept) {
    struct Case {
        std::string value, quoted;
    } cases[] = {
        {"O'Brien", "O''Brien"},
        {"'", "''"},
        {"''", "''''"},
        {"a'; DELETE FROM x; --", "a''; DELETE FROM x; --"},
        {"Pr\xE4sentation \\ \"%s\" %d", "Pr\xE4sentation \\ \"%s\" %d"},
    };
    for (const Case& c : cases) EXPECT_EQ(QuoteSqlText(c.value), c.quoted) << c.value;
}

TEST(CatalogueStatements, QuotedValuesInEveryPlace) {
    EXPECT_EQ(FormatExistenceQuery("O'Brien", "1'2", "'"),
              "SELECT  TrdTyp   FROM  Ovsystem.O2006TrmDatei  WHERE  TrdNam = 'O''Brien'    AND  "
              "TrdTyp = 4    AND  TrdLiz = '1''2'    AND  TrdMnd = ''''");
    EXPECT_EQ(FormatInsertStatement("it's", "F'P", "L", "M"),
              "INSERT INTO Ovsystem.O2006TrmDatei   (TrdNam, TrdTxt, TrdArt, TrdTyp,    TrdVer, "
              "TrdTcn, TrdLiz, TrdMnd)  VALUES   ('it''s', 'it''s', 1, 4,     ' ', 'F''P', 'L', "
              "'M')");
}

// A value holding "%s" must not pull the next value into its place.
TEST(CatalogueStatements, PlaceholdersInsideValuesAreNotFilled) {
    EXPECT_EQ(FormatDeleteStatement("%s%s", "%d", "%"),
              "DELETE  FROM Ovsystem.O2006TrmDatei  WHERE  TrdNam = '%s%s'    AND  TrdTyp = 4    "
              "AND  TrdLiz = '%d'    AND  TrdMnd = '%'");
}

// Nothing is cut, however far past the product's 1023-character statement
// buffer the values reach.
TEST(CatalogueStatements, LongValuesAreCarriedWhole) {
    std::string name(2000, 'x');
    name += "'end";
    std::string statement = FormatInsertStatement(name, std::string(32, 'A'), "12345", "12345");
    std::string quoted = std::string(2000, 'x') + "''end";
    EXPECT_EQ(statement.find("VALUES   ('" + quoted + "', '" + quoted + "', 1, 4,"),
              std::string(kInsertStatement).find("VALUES"));
    EXPECT_TRUE(statement.ends_with("AAAA', '12345', '12345')")) << statement;
}

}  // namespace
