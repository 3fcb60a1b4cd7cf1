#pragma once

#include <optional>

#include <QString>
#include <QStringView>

#include "calendar/date_services.h"

namespace calendario {

// A day travels between starts as YYYY-MM-DD (isoText). The day a request's text names, within the
// calendar's years; nothing for any other text, and then `why`, a short phrase that quotes the text
// (cut short when long).
std::optional<Date> requestDate(QStringView text, QString *why = nullptr);

// A text from outside, quoted in a message: cut short when long, so that the message stays
// small whatever was sent.
QString quoted(QStringView text);

} // namespace calendario
