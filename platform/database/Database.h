#pragma once
// The reference-database engine, in the shape the system uses: open by path
// with a connect text (";PWD=" + password), query into a record set positioned
// on its first row, fields by column name (Null distinct from empty text),
// execute, transactions, close, repair by path. Built over SQLCipher.
// Failures are rt::RuntimeError with the engine's classic numbers (3021 no
// current record, 3051 read-only or locked file, 3265 no such column, ...).
#include <memory>
#include <string>
#include <string_view>

namespace db {

class Value {
public:
    Value() = default; // Null
    explicit Value(std::string text) : null_(false), text_(std::move(text)) {}
    bool isNull() const { return null_; }
    // The value as text; error 94 (invalid use of Null) when Null.
    const std::string& text() const;
    // The value as text, or the given text when Null.
    std::string textOr(std::string_view ifNull) const;

private:
    bool null_ = true;
    std::string text_;
};

class RecordSet {
public:
    virtual ~RecordSet() = default;
    virtual bool eof() const = 0;
    virtual void moveNext() = 0; // 3021 when already at the end
    // Field of the current row by column name, matched without regard to
    // case: 3021 when there is no current row, 3265 when no such column.
    virtual Value field(std::string_view name) const = 0;
    virtual void close() = 0; // release; further reads are errors
};

class Connection {
public:
    virtual ~Connection() = default; // closes
    virtual bool isOpen() const = 0;
    virtual std::unique_ptr<RecordSet> openRecordSet(const std::string& sql) = 0;
    virtual void execute(const std::string& sql) = 0;
    virtual void beginTrans() = 0;
    virtual void commitTrans() = 0;
    virtual void rollback() = 0;
    virtual void close() = 0; // harmless when closed
};

// Opens a database file. connect is the classic connect text ";PWD=<password>".
// The file name is matched without regard to case. A file without the
// owner-write bit, or that the user may not write for another reason (unless
// readOnly), or held by another process: 3051.
// A missing file: 3024 (no new database is created); an empty file, not a
// database or a wrong key: 3343; a damaged file: 3049.
std::shared_ptr<Connection> openDatabase(const std::string& path, bool exclusive, bool readOnly,
                                         const std::string& connect);

// True when the file begins like an Access database of the Jet or ACE engine,
// a format this engine cannot read.
bool isAccessFile(const std::string& path);

// Creates a new, empty database keyed with connect and opens it (an existing
// file: 3204). For the build tools and the tests, not for the application.
std::shared_ptr<Connection> createDatabase(const std::string& path, const std::string& connect);

// Repairs the database file: integrity check, export into a new file, atomic
// replacement. connect as for openDatabase. Failures raise the engine's error.
void repairDatabase(const std::string& path, const std::string& connect);

} // namespace db
