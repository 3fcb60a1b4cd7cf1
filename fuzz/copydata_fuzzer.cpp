// The Windows window message's reader: any bytes are a request whose text is those very
// bytes, within the calendar's years, or none.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "app/copydata_request.h"
#include "calendar/calendar_years.h"

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using calendario::Request;
    const std::optional<Request> request = calendario::readCopyData(data, size);
    if (!request)
        return 0;
    // Read from the very text a request is written as, and read back as the same request.
    const QString text = calendario::copyDataText(*request);
    check(std::size_t(text.size()) * sizeof(char16_t) == size);
    check(std::memcmp(text.utf16(), data, size) == 0);
    check(calendario::readCopyData(text.utf16(), size) == request);
    check(request->kind == Request::Kind::ShowDate
              ? request->date && calendario::inCalendar(*request->date)
              : !request->date);
    check(request->activationToken.isEmpty());
    return 0;
}
