#include "rationfile/RationFromFile.h"

#include "UserError.h"
#include "Numbers.h"
#include "ration/RationModel.h"

QList<RationRow> RationRowsFromFile(const ParsedRationFile &file)
{
    const QList<RationFileLine> &lines = file.lines;
    if (file.tooManyLines || lines.size() > RationModel::Capacity)
        throw RationModel::capacityWarning();
    QList<RationRow> rows;
    rows.reserve(lines.size());
    for (const RationFileLine &line : lines) {
        // Each total reads its value and then the grams, proteins first.
        static_cast<void>(StrToFloat(line.Belki));
        static_cast<void>(StrToFloat(line.Grams));
        for (const QString *value : {&line.Giri, &line.Uglev, &line.Kal})
            static_cast<void>(StrToFloat(*value));
        // The grams text is kept as the file gives it, for the row text.
        rows.append(RationRow{line.Name, line.Grams, ProductRecord{line.Belki, line.Giri, line.Uglev, line.Kal, {}}});
    }
    return rows;
}
