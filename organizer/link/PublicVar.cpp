#include "organizer/link/PublicVar.h"

namespace tessaro {

bool StartedByQbr()
{
    return CallerFlag && CallerName.compare(QLatin1String("Qbr"), Qt::CaseInsensitive) == 0;
}

} // namespace tessaro
