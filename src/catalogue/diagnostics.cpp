#include "catalogue/diagnostics.h"

#include <algorithm>
#include <vector>

namespace {

DiagRecord& Record() {
    static DiagRecord record;
    return record;
}

// Room for the message in the first attempt, as the product always had.
constexpr SQLSMALLINT kMessageBufferLength = 1000;
// The length field of the call is 16 bits wide; that is as far as it goes.
constexpr SQLSMALLINT kLongestBufferLength = 32767;

}  // namespace

void FetchDiagnostics(SQLSMALLINT handleType, SQLHANDLE handle) {
    DiagRecord& record = Record();
    record = DiagRecord{};

    SQLCHAR state[SQL_SQLSTATE_SIZE + 1] = {};
    SQLINTEGER nativeError = 0;
    std::vector<SQLCHAR> message;
    SQLSMALLINT bufferLength = kMessageBufferLength;
    SQLSMALLINT messageLength = 0;
    for (;;) {
        message.assign(static_cast<std::size_t>(bufferLength), 0);
        SQLRETURN rc = SQLGetDiagRec(handleType, handle, 1, state, &nativeError, message.data(),
                                     bufferLength, &messageLength);
        if (!SQL_SUCCEEDED(rc)) return;
        // A message that filled the buffer may have been cut. Drivers differ
        // in what they report then: the full length, or (psqlODBC) the cut
        // one. Either way a larger buffer settles it.
        if (messageLength < bufferLength - 1 || bufferLength == kLongestBufferLength) break;
        bufferLength =
            messageLength >= kLongestBufferLength / 4
                ? kLongestBufferLength
                : static_cast<SQLSMALLINT>(std::max<int>(messageLength + 1, bufferLength * 4));
    }
    record.SqlState = reinterpret_cast<const char*>(state);
    std::size_t length = messageLength < 0 ? 0 : static_cast<std::size_t>(messageLength);
    if (length >= message.size()) length = message.size() - 1;
    record.MessageText.assign(reinterpret_cast<const char*>(message.data()), length);
    record.NativeError = static_cast<std::int32_t>(nativeError);
}

const DiagRecord& LastDiagRecord() {
    return Record();
}
