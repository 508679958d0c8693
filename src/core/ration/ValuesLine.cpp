#include "ration/ValuesLine.h"

#include "Numbers.h"

#include <cfloat>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {
QString line(const QString &belki, const QString &giri, const QString &uglev, const QString &kal)
{
    return u"белков "_s + belki + u" г · жиров "_s + giri + u" г · углеводов "_s + uglev + u" г · "_s + kal
        + u" кКалорий"_s;
}

QString withSeparator(const QString &text, QChar separator)
{
    QString shown = text.trimmed();
    for (QChar &c : shown) {
        if (c == u'.' || c == u',')
            c = separator;
    }
    return shown;
}
} // namespace

QString valuesPer100g(const ProductRecord &values, QChar decimalSeparator)
{
    return line(withSeparator(values.Belki, decimalSeparator), withSeparator(values.Giri, decimalSeparator),
                withSeparator(values.Uglev, decimalSeparator), withSeparator(values.Kal, decimalSeparator));
}

QString valuesInMass(const ProductRecord &values, int grams, QChar decimalSeparator)
{
    const QString *texts[] = {&values.Belki, &values.Giri, &values.Uglev, &values.Kal};
    float amounts[4];
    for (int t = 0; t < 4; ++t) {
        long double value = 0;
        if (!TryStrToFloat(*texts[t], value))
            return {};
        // As a total of one row: grams * 0.01 * value in long double, shown in single precision.
        const long double amount = static_cast<long double>(grams) * 0.01L * value;
        if (!(std::fabs(amount) <= static_cast<long double>(FLT_MAX)))
            return {};
        amounts[t] = static_cast<float>(amount);
    }
    return u"в "_s + QString::number(grams) + u" г: "_s
        + line(FormatGramTotal(amounts[0], decimalSeparator), FormatGramTotal(amounts[1], decimalSeparator),
               FormatGramTotal(amounts[2], decimalSeparator), FormatKcal(amounts[3]));
}
