#include "calendar/month_grid.h"

#include <algorithm>

#include "calendar/date_services.h"

namespace calendario {

Int16 GiorniDelMese(Int16 mese, Int16 anno)
{
    // December needs no date: a text for a thirteenth month is never formed.
    if (mese == 12)
        return 31_i16;
    return dayOf(dayBefore(dateFromText(dayFirstText(1_i16, mese + 1, anno))));
}

Int16 ColonnaInizio(Int16 mese, Int16 anno)
{
    const Int16 colonna = weekdaySundayFirst(dateFromText(dayFirstText(1_i16, mese, anno))) - 2;
    return colonna == -1 ? 6_i16 : colonna;
}

Int16 CellaDelGiorno(Int16 giorno, Int16 inizio)
{
    return giorno + inizio - 1;
}

std::optional<Int16> GiornoDellaCella(Int16 cella, Int16 inizio, Int16 numGiorni)
{
    if (cella < inizio || cella > inizio + numGiorni - 1)
        return std::nullopt;
    return cella - inizio + 1;
}

std::optional<Date> movedDay(Int16 giorno, Int16 mese, Int16 anno, int days, Int16 firstYear,
                             Int16 lastYear)
{
    using namespace std::chrono;
    const Int16 from = std::min(giorno, GiorniDelMese(mese, anno));
    const Date moved{sys_days{dateFromText(dayFirstText(from, mese, anno))}
                     + std::chrono::days{days}};
    if (yearOf(moved) < firstYear || yearOf(moved) > lastYear)
        return std::nullopt;
    return moved;
}

bool OggiNelMese(Int16 mese, Int16 anno, const Clock &clock)
{
    const bool stessoMese = mese == monthOf(clock.today());
    const bool stessoAnno = anno == yearOf(clock.today());
    return stessoMese && stessoAnno;
}

} // namespace calendario
