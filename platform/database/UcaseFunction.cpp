#include "platform/database/UcaseFunction.h"

namespace db {

namespace {

constexpr unsigned char kLead = 0xC3; // lead byte of U+00C0..U+00FF

void ucase(sqlite3_context* context, int, sqlite3_value** args) {
    if (sqlite3_value_type(args[0]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    const unsigned char* text = sqlite3_value_text(args[0]);
    int size = sqlite3_value_bytes(args[0]);
    std::string_view view;
    if (text)
        view =
            std::string_view(reinterpret_cast<const char*>(text), static_cast<std::size_t>(size));
    std::string upper = upperCaseLatin1(view);
    sqlite3_result_text(context, upper.data(), static_cast<int>(upper.size()), SQLITE_TRANSIENT);
}

} // namespace

std::string upperCaseLatin1(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size() + 1);
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(utf8[i]);
        if (c >= 'a' && c <= 'z') {
            out += static_cast<char>(c - 'a' + 'A');
            continue;
        }
        if (c != kLead || i + 1 >= utf8.size()) {
            out += static_cast<char>(c);
            continue;
        }
        unsigned char next = static_cast<unsigned char>(utf8[i + 1]);
        ++i;
        out += static_cast<char>(c);
        if (next == 0xBF) { // ÿ becomes Ÿ (U+0178), as in Windows-1252
            out.back() = static_cast<char>(0xC5);
            out += static_cast<char>(0xB8);
        } else if (next >= 0xA0 && next <= 0xBE && next != 0xB7) { // à..þ except ÷
            out += static_cast<char>(next - 0x20);
        } else {
            out += static_cast<char>(next);
        }
    }
    return out;
}

int registerUcase(sqlite3* db) {
    return sqlite3_create_function_v2(db, "Ucase", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                                      ucase, nullptr, nullptr, nullptr);
}

} // namespace db
