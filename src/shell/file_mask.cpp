// MatchesFileMask by backtracking over the last "*".
#include "shell/file_mask.h"

bool MatchesFileMask(const QString& Name, const QString& Mask)
{
    if (Mask.contains(QLatin1Char('/')))
        return false;
    qsizetype n = 0, m = 0, starMask = -1, starName = 0;
    while (n < Name.size()) {
        if (m < Mask.size() && Mask[m] == QLatin1Char('*')) {
            starMask = m++;
            starName = n;
        } else if (m < Mask.size() &&
                   (Mask[m] == QLatin1Char('?') || Mask[m].toCaseFolded() == Name[n].toCaseFolded())) {
            ++m;
            ++n;
        } else if (starMask >= 0) {
            m = starMask + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (m < Mask.size() && Mask[m] == QLatin1Char('*'))
        ++m;
    return m == Mask.size();
}
