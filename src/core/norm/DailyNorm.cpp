#include "norm/DailyNorm.h"

#include "Numbers.h"

#include <cmath>

using namespace Qt::StringLiterals;

bool IsNormValue(double value)
{
    return std::isfinite(value) && value >= 0 && value <= DailyNorm::MaxValue;
}

NormFieldError ParseNormField(QStringView text, std::optional<double> &out)
{
    out.reset();
    if (text.trimmed().isEmpty())
        return NormFieldError::None;
    long double value = 0;
    if (!TryStrToFloat(text, value))
        return NormFieldError::NotANumber;
    if (!IsNormValue(double(value)))
        return NormFieldError::OutOfRange;
    out = double(value);
    return NormFieldError::None;
}

QString NormFieldErrorText(NormFieldError error)
{
    switch (error) {
    case NormFieldError::NotANumber:
        return u"Не число"_s;
    case NormFieldError::OutOfRange:
        return u"Нужно число от 0 до 100 000"_s;
    case NormFieldError::None:
        break;
    }
    return QString();
}
