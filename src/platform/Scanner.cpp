#include "Scanner.h"

QString ScannerDevice::Label() const
{
    QString label = (vendor.trimmed() + QLatin1Char(' ') + model.trimmed()).trimmed();
    if (label.isEmpty())
        return name;
    if (!type.trimmed().isEmpty())
        label += QStringLiteral(" (%1)").arg(type.trimmed());
    return label;
}
