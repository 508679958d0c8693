#include "print/PrintoutFromRation.h"

#include "ration/RationModel.h"

RationPrintout PrintoutFromRation(const RationModel &ration)
{
    RationPrintout printout;
    printout.rows.reserve(ration.count());
    for (int i = 0; i < ration.count(); ++i)
        printout.rows << ration.rowText(i);
    printout.belki = ration.totalText(RationModel::Total::Belki);
    printout.giri = ration.totalText(RationModel::Total::Giri);
    printout.uglev = ration.totalText(RationModel::Total::Uglev);
    printout.kal = ration.totalText(RationModel::Total::Kal);
    return printout;
}
