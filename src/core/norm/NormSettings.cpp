#include "norm/NormSettings.h"

#include "Numbers.h"
#include "ReplaceFile.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QSettings>
#include <QStandardPaths>

#include <cmath>

using namespace Qt::StringLiterals;

namespace {
// Far beyond what the program writes; a bigger file is not ours and is not read.
constexpr qint64 MaxFileSize = 64 * 1024;

const char16_t *const NormKeys[] = {u"Norm/Belki", u"Norm/Giri", u"Norm/Uglev", u"Norm/Kal"};

// The text of a plain value; INI reads an unquoted "90,5" as a list of two, which is one number
// with a decimal comma here. Anything else (a typed @Variant) is no text.
std::optional<QString> plainText(const QVariant &value)
{
    if (value.typeId() == QMetaType::QString)
        return value.toString();
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(u',');
    return std::nullopt;
}

std::optional<double> numberAt(const QSettings &ini, const QString &key)
{
    const std::optional<QString> text = plainText(ini.value(key));
    long double value = 0;
    if (!text || !TryStrToFloat(*text, value) || !std::isfinite(double(value)))
        return std::nullopt;
    return double(value);
}

// All four values sound, or no norm at all.
DailyNorm readNorm(const QSettings &ini)
{
    DailyNorm norm;
    for (int i = 0; i < 4; ++i) {
        const QString key = QString::fromUtf16(NormKeys[i]);
        if (!ini.contains(key))
            continue;
        const std::optional<double> value = numberAt(ini, key);
        if (!value || !IsNormValue(*value))
            return DailyNorm{};
        norm.values[size_t(i)] = value;
    }
    return norm;
}

// The calculator's inputs, or its defaults when any of them is missing or unsound.
BodyInputs readBody(const QSettings &ini)
{
    const BodyInputs defaults;
    const std::optional<QString> sex = plainText(ini.value(u"Calculator/Sex"_s));
    const std::optional<double> age = numberAt(ini, u"Calculator/Age"_s);
    const std::optional<double> height = numberAt(ini, u"Calculator/Height"_s);
    const std::optional<double> weight = numberAt(ini, u"Calculator/Weight"_s);
    const std::optional<double> activity = numberAt(ini, u"Calculator/Activity"_s);
    if (!sex || (*sex != u"male"_s && *sex != u"female"_s) || !age || !height || !weight || !activity
        || *age != std::trunc(*age) || *activity != std::trunc(*activity) || std::fabs(*age) > 1000
        || std::fabs(*activity) > 1000)
        return defaults;
    BodyInputs body;
    body.sex = *sex == u"female"_s ? BodyInputs::Sex::Female : BodyInputs::Sex::Male;
    body.ageYears = int(*age);
    body.heightCm = *height;
    body.weightKg = *weight;
    body.activity = int(*activity);
    return IsValid(body) ? body : defaults;
}

QString numberText(double value)
{
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}
} // namespace

QString NormSettingsPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + u"/edoklad/edoklad.conf"_s;
}

NormSettings LoadNormSettings(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists() || !info.isFile() || info.size() > MaxFileSize || !info.isReadable())
        return {};
    const QSettings ini(path, QSettings::IniFormat);
    if (ini.status() != QSettings::NoError)
        return {};
    return {readNorm(ini), readBody(ini)};
}

bool SaveNormSettings(const QString &path, const NormSettings &settings)
{
    // Written as a whole text rather than through QSettings, which would merge in whatever an
    // unsound file held.
    QString text = u"[Norm]\n"_s;
    for (int i = 0; i < 4; ++i) {
        if (const std::optional<double> &value = settings.norm.values[size_t(i)])
            text += QString::fromUtf16(NormKeys[i]).mid(5) + u'=' + numberText(*value) + u'\n';
    }
    const BodyInputs &body = settings.body;
    text += u"\n[Calculator]\nSex="_s + (body.sex == BodyInputs::Sex::Female ? u"female"_s : u"male"_s)
            + u"\nAge="_s + QString::number(body.ageYears) + u"\nHeight="_s + numberText(body.heightCm)
            + u"\nWeight="_s + numberText(body.weightKg) + u"\nActivity="_s + QString::number(body.activity)
            + u'\n';
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    return ReplaceFile(path, text.toUtf8());
}
