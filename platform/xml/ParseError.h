#pragma once
// Why the last load of a document failed: the parser's reason, the text of
// the offending source line and where it lies.
#include <string>

namespace xml {

struct ParseError {
    std::string reason;
    std::string srcText;
    long line = 0;   // 1-based; 0 when the parser named no line
    int linepos = 0; // 1-based column; 0 when unknown
};

} // namespace xml
