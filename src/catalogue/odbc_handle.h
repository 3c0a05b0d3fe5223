#pragma once

#include "catalogue/odbc_api.h"

// One ODBC handle (environment, connection or statement) owned by one object
// and freed with it, so that no path leaks a handle. Frees nothing else: a
// connection handle must be disconnected by its owner first.
class OdbcHandle {
  public:
    OdbcHandle() = default;
    ~OdbcHandle() { Release(); }
    OdbcHandle(OdbcHandle&& other) noexcept;
    OdbcHandle& operator=(OdbcHandle&& other) noexcept;
    OdbcHandle(const OdbcHandle&) = delete;
    OdbcHandle& operator=(const OdbcHandle&) = delete;

    // Allocates a handle of this type under the parent (SQL_NULL_HANDLE for
    // an environment), releasing any handle held before. Returns the code of
    // SQLAllocHandle; the object holds a handle only when it succeeded.
    SQLRETURN Allocate(SQLSMALLINT type, SQLHANDLE parent);

    void Release();

    SQLHANDLE Get() const { return handle_; }
    SQLSMALLINT Type() const { return type_; }
    explicit operator bool() const { return handle_ != SQL_NULL_HANDLE; }

  private:
    SQLSMALLINT type_ = 0;
    SQLHANDLE handle_ = SQL_NULL_HANDLE;
};
