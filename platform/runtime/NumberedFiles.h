#pragma once
// Process-wide table of numbered text files (1 to 255) with the classic
// semantics: Input (missing file: 53), Output (create or empty), Append
// (create or add); opening a number that is open: 55; using a number that is
// not open: 52; reading past the end: 62; closing a number that is not open
// does nothing. Lines read end at CR LF or a lone CR (a lone LF stays in the
// line); every line written ends in CR LF. Bytes pass through unchanged.
// Files written are never opened through a link: Output creates the file
// afresh, Append adds only to a file of this user's (rt::openForAppend).
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace rt {

class LineReader;

enum class OpenMode { Input, Output, Append };

void Open(const std::string& path, OpenMode mode, int fileNumber);
void Close(int fileNumber); // nothing happens when not open
void CloseAll();
bool IsOpen(int fileNumber);
bool Eof(int fileNumber);              // 52 when not open
std::string LineInput(int fileNumber); // raw bytes of the next line; 62 past the end
void PrintLine(int fileNumber, std::string_view text); // text + CR LF
void Print(int fileNumber, std::string_view text);     // text alone, no line end
// The reader behind a file open for Input (54 for another mode), for the
// data-file reads of TextLines.h.
LineReader& InputReader(int fileNumber);

// Closes numbered files when the scope ends, whatever the way out. A write
// that fails while unwinding is dropped, so the error that ended the scope
// stays the one reported; close() closes them at once, in the order given,
// and reports a failed write.
class FileCloser {
public:
    FileCloser(std::initializer_list<int> numbers) : numbers_(numbers) {}
    ~FileCloser();
    FileCloser(const FileCloser&) = delete;
    FileCloser& operator=(const FileCloser&) = delete;
    void close();

private:
    std::vector<int> numbers_;
};

} // namespace rt
