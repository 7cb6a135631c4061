#include "platform/database/Database.h"

#include "platform/runtime/RuntimeError.h"

namespace db {

const std::string& Value::text() const {
    if (null_)
        rt::raise(rt::err::InvalidUseOfNull);
    return text_;
}

std::string Value::textOr(std::string_view ifNull) const {
    return null_ ? std::string(ifNull) : text_;
}

} // namespace db
