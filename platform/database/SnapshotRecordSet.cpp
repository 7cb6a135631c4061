#include "platform/database/SnapshotRecordSet.h"

#include "platform/database/EngineError.h"
#include "platform/runtime/RuntimeError.h"

#include <charconv>

namespace db {

SnapshotRecordSet::SnapshotRecordSet(const SqliteHandle& handle, sqlite3_stmt* statement) {
    int count = sqlite3_column_count(statement);
    for (int c = 0; c < count; ++c) {
        const char* name = sqlite3_column_name(statement, c);
        columns_.emplace_back(name ? name : "");
    }
    while (handle.step(statement)) {
        std::vector<Value> row;
        row.reserve(static_cast<std::size_t>(count));
        for (int c = 0; c < count; ++c)
            row.push_back(columnValue(statement, c));
        rows_.push_back(std::move(row));
    }
}

// Every value is delivered as text: integers in decimal, reals in their
// shortest form, text and blobs as stored.
Value SnapshotRecordSet::columnValue(sqlite3_stmt* statement, int column) {
    switch (sqlite3_column_type(statement, column)) {
    case SQLITE_NULL:
        return Value();
    case SQLITE_FLOAT: {
        char buffer[64];
        auto result =
            std::to_chars(buffer, buffer + sizeof buffer, sqlite3_column_double(statement, column));
        return Value(std::string(buffer, result.ptr));
    }
    default: {
        const unsigned char* text = sqlite3_column_text(statement, column);
        int size = sqlite3_column_bytes(statement, column);
        if (!text)
            return Value(std::string());
        return Value(
            std::string(reinterpret_cast<const char*>(text), static_cast<std::size_t>(size)));
    }
    }
}

void SnapshotRecordSet::checkOpen() const {
    if (closed_)
        raiseObjectInvalid();
}

bool SnapshotRecordSet::eof() const {
    checkOpen();
    return current_ >= rows_.size();
}

void SnapshotRecordSet::moveNext() {
    if (eof())
        rt::raise(rt::err::NoCurrentRecord);
    ++current_;
}

Value SnapshotRecordSet::field(std::string_view name) const {
    std::string wanted(name);
    for (std::size_t c = 0; c < columns_.size(); ++c) {
        if (sqlite3_stricmp(columns_[c].c_str(), wanted.c_str()) != 0)
            continue;
        if (eof())
            rt::raise(rt::err::NoCurrentRecord);
        return rows_[current_][c];
    }
    checkOpen();
    rt::raise(rt::err::ItemNotFound);
}

void SnapshotRecordSet::close() {
    closed_ = true;
    rows_.clear();
    columns_.clear();
}

} // namespace db
