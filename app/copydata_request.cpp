#include "app/copydata_request.h"

#include <cstring>

#include "app/request_date.h"
#include "calendar/date_format.h"

namespace calendario {
namespace {

const QLatin1String kActivate("activate");
const QLatin1String kClose(kCloseAction);
// The action and its day, a blank between.
const QString kShowDate = QLatin1String(kShowDateAction) + QLatin1Char(' ');
// The longest request's text, "show-date YYYY-MM-DD", in UTF-16.
constexpr std::size_t kMaxBytes = (sizeof(kShowDateAction) + 10) * sizeof(char16_t);

} // namespace

QString copyDataText(const Request &request)
{
    switch (request.kind) {
    case Request::Kind::Close:
        return kClose;
    case Request::Kind::ShowDate:
        if (request.date)
            return kShowDate + isoText(*request.date);
        break;
    case Request::Kind::Activate:
        break;
    }
    return kActivate;
}

std::optional<Request> readCopyData(const void *bytes, std::size_t size)
{
    if (!bytes || size > kMaxBytes || size % sizeof(char16_t) != 0)
        return std::nullopt;
    // Copied, for the sender's bytes need not be aligned as UTF-16 is.
    QString text(qsizetype(size / sizeof(char16_t)), Qt::Uninitialized);
    std::memcpy(text.data(), bytes, size);
    if (text == kActivate)
        return Request{Request::Kind::Activate, {}, {}};
    if (text == kClose)
        return Request{Request::Kind::Close, {}, {}};
    if (!text.startsWith(kShowDate))
        return std::nullopt;
    const std::optional<Date> date = requestDate(QStringView(text).mid(kShowDate.size()));
    if (!date)
        return std::nullopt;
    return Request{Request::Kind::ShowDate, date, {}};
}

} // namespace calendario
