#pragma once

#include <cstddef>
#include <optional>

#include <QString>

#include "app/single_instance.h"

namespace calendario {

// A request as a later start hands it over on Windows, in a WM_COPYDATA message: UTF-16
// text, "activate", "close" or "show-date YYYY-MM-DD".
QString copyDataText(const Request &request);

// The request in a WM_COPYDATA message's bytes; nothing for bytes that are no request's
// text: longer than any, an odd count, an unknown word or a day outside the calendar's years.
std::optional<Request> readCopyData(const void *bytes, std::size_t size);

} // namespace calendario
