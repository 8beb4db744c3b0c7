#include "assets.h"

namespace korvel::cardgen {

bool writeAssets(const QString& dir, QString* error)
{
    *error = QStringLiteral("%1: not yet").arg(dir);
    return false;
}

}  // namespace korvel::cardgen
