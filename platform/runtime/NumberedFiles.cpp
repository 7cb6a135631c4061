#include "platform/runtime/NumberedFiles.h"

#include "platform/runtime/FileSystem.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/runtime/SystemError.h"
#include "platform/runtime/TextLines.h"

#include <array>
#include <cerrno>
#include <fcntl.h>
#include <memory>
#include <unistd.h>

namespace rt {

namespace {

constexpr std::size_t kFlushAt = 1 << 16;

class NumberedFile {
public:
    NumberedFile(const std::string& path, OpenMode mode) {
        switch (mode) {
        case OpenMode::Input: {
            const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
            if (fd < 0)
                raiseFileError(errno, true);
            reader_ = std::make_unique<LineReader>(fd);
            break;
        }
        case OpenMode::Output:
            // Created afresh rather than emptied: the same empty file, never
            // one reached through a link planted at the name.
            fd_ = createFresh(path);
            break;
        case OpenMode::Append:
            fd_ = openForAppend(path);
            break;
        }
    }
    ~NumberedFile() {
        if (fd_ >= 0) {
            try {
                flush();
            } catch (...) {
            }
            ::close(fd_);
        }
    }
    NumberedFile(const NumberedFile&) = delete;
    NumberedFile& operator=(const NumberedFile&) = delete;

    // Flushes and closes, reporting a failed write.
    void close() {
        if (fd_ < 0)
            return;
        int fd = fd_;
        fd_ = -1;
        try {
            writeAll(fd);
        } catch (...) {
            ::close(fd);
            throw;
        }
        if (::close(fd) != 0)
            raiseWriteError(errno);
    }

    bool eof() { return reader_ ? reader_->atEnd() : true; }

    LineReader& reader() {
        if (!reader_)
            raise(err::BadFileMode);
        return *reader_;
    }

    std::string lineInput() {
        if (!reader_)
            raise(err::BadFileMode);
        std::string line;
        if (!reader_->next(line))
            raise(err::InputPastEnd);
        return line;
    }

    void print(std::string_view text, bool lineEnd) {
        if (fd_ < 0)
            raise(err::BadFileMode);
        out_.append(text);
        if (lineEnd)
            out_.append("\r\n");
        if (out_.size() >= kFlushAt)
            flush();
    }

private:
    void flush() { writeAll(fd_); }

    void writeAll(int fd) {
        std::size_t done = 0;
        while (done < out_.size()) {
            ssize_t n = ::write(fd, out_.data() + done, out_.size() - done);
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                out_.clear();
                raiseWriteError(errno);
            }
            done += static_cast<std::size_t>(n);
        }
        out_.clear();
    }

    int fd_ = -1;
    std::unique_ptr<LineReader> reader_;
    std::string out_;
};

std::array<std::unique_ptr<NumberedFile>, 256>& table() {
    static std::array<std::unique_ptr<NumberedFile>, 256> files;
    return files;
}

bool validNumber(int n) {
    return n >= 1 && n <= 255;
}

NumberedFile& openFile(int n) {
    if (!validNumber(n) || !table()[n])
        raise(err::BadFileNumber);
    return *table()[n];
}

} // namespace

void Open(const std::string& path, OpenMode mode, int fileNumber) {
    if (!validNumber(fileNumber))
        raise(err::BadFileNumber);
    if (table()[fileNumber])
        raise(err::FileAlreadyOpen);
    table()[fileNumber] = std::make_unique<NumberedFile>(path, mode);
}

void Close(int fileNumber) {
    if (!validNumber(fileNumber) || !table()[fileNumber])
        return;
    std::unique_ptr<NumberedFile> f = std::move(table()[fileNumber]);
    f->close();
}

void CloseAll() {
    for (int n = 1; n <= 255; ++n) {
        try {
            Close(n);
        } catch (const RuntimeError&) {
        }
    }
}

bool IsOpen(int fileNumber) {
    return validNumber(fileNumber) && table()[fileNumber] != nullptr;
}

bool Eof(int fileNumber) {
    return openFile(fileNumber).eof();
}

std::string LineInput(int fileNumber) {
    return openFile(fileNumber).lineInput();
}

void PrintLine(int fileNumber, std::string_view text) {
    openFile(fileNumber).print(text, true);
}

void Print(int fileNumber, std::string_view text) {
    openFile(fileNumber).print(text, false);
}

LineReader& InputReader(int fileNumber) {
    return openFile(fileNumber).reader();
}

FileCloser::~FileCloser() {
    for (int n : numbers_) {
        try {
            Close(n);
        } catch (...) {
        }
    }
}

void FileCloser::close() {
    std::vector<int> numbers;
    numbers.swap(numbers_);
    bool failed = false;
    RuntimeError first(0);
    for (int n : numbers) {
        try {
            Close(n);
        } catch (const RuntimeError& e) {
            if (!failed)
                first = e;
            failed = true;
        }
    }
    if (failed)
        throw first;
}

} // namespace rt
