#include "catalogue/odbc_handle.h"

#include <utility>

OdbcHandle::OdbcHandle(OdbcHandle&& other) noexcept
    : type_(other.type_), handle_(std::exchange(other.handle_, nullptr)) {}

OdbcHandle& OdbcHandle::operator=(OdbcHandle&& other) noexcept {
    if (this != &other) {
        Release();
        type_ = other.type_;
        handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
}

SQLRETURN OdbcHandle::Allocate(SQLSMALLINT type, SQLHANDLE parent) {
    Release();
    SQLHANDLE handle = SQL_NULL_HANDLE;
    SQLRETURN rc = SQLAllocHandle(type, parent, &handle);
    if (SQL_SUCCEEDED(rc)) {
        type_ = type;
        handle_ = handle;
    }
    return rc;
}

void OdbcHandle::Release() {
    if (handle_ != SQL_NULL_HANDLE) SQLFreeHandle(type_, handle_);
    handle_ = SQL_NULL_HANDLE;
}
