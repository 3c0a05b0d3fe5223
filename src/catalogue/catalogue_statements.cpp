#include "catalogue/catalogue_statements.h"

#include <initializer_list>

namespace {

// Replaces each "%s" of the template, in order, with the next value quoted.
std::string FillStatement(std::string_view pattern,
                          std::initializer_list<std::string_view> values) {
    std::string statement;
    const std::string_view* next = values.begin();
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] == 's' &&
            next != values.end()) {
            statement += QuoteSqlText(*next++);
            ++i;
        } else {
            statement += pattern[i];
        }
    }
    return statement;
}

}  // namespace

std::string QuoteSqlText(std::string_view value) {
    std::string quoted;
    quoted.reserve(value.size());
    for (char c : value) {
        if (c == '\'') quoted += '\'';
        quoted += c;
    }
    return quoted;
}

std::string FormatExistenceQuery(std::string_view name, std::string_view lizenz,
                                 std::string_view mandant) {
    return FillStatement(kExistenceQuery, {name, lizenz, mandant});
}

std::string FormatDeleteStatement(std::string_view name, std::string_view lizenz,
                                  std::string_view mandant) {
    return FillStatement(kDeleteStatement, {name, lizenz, mandant});
}

std::string FormatInsertStatement(std::string_view name, std::string_view fingerprint,
                                  std::string_view lizenz, std::string_view mandant) {
    return FillStatement(kInsertStatement, {name, name, fingerprint, lizenz, mandant});
}
