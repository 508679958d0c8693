#pragma once

#include "norm/NormSettings.h"
#include "print/RationPage.h"
#include "startup/StartRequest.h"

#include <QMainWindow>
#include <QPoint>
#include <QString>

class Catalogue;
class CategoryListModel;
class DishCommands;
class FileDialog;
class ProductCommands;
class ProductListModel;
class RationFileCommands;
class RationModel;
class TabcMenuItem;
class TabcPopupMenu;
class TabcRotLabel;
class TfrmDish;
class TfrmPrint;
class TfrmReport;
class NormPanel;
class TfrmNorm;
class TfrmProduct;
class TfrmSearch;
class TfrmWeight;
class QAction;
class QFrame;
class QMenu;
class QTableView;

// The main window: catalogue grids above, the ration list and its totals below, one menu.
// It shows the catalogue and the ration models and wires the user's actions to them. It owns
// every window it opens: each is its child, built on its first use (nothing of a dialog is
// start-up time) and kept with its state (a file dialog's folder) until this window goes.
class TfrmMain : public QMainWindow
{
    Q_OBJECT
public:
    explicit TfrmMain(Catalogue &catalogue, QWidget *parent = nullptr);
    ~TfrmMain() override;

    // The mass and the print dialog, built here if not yet.
    [[nodiscard]] TfrmWeight *frmWeight();
    [[nodiscard]] TfrmPrint *frmPrint();
    [[nodiscard]] TfrmNorm *frmNorm();
    [[nodiscard]] TfrmDish *frmDish();
    [[nodiscard]] TfrmReport *frmReport();

    [[nodiscard]] RationModel *ration() const { return m_ration; }

    // The path of the ration file last saved or opened.
    [[nodiscard]] QString CurrentFileName() const;

    // Done once the first activation has loaded the catalogue, whose warnings come first; not
    // when the program ends for want of the catalogue's index. Set before the window is shown.
    void setStartRequest(const StartRequest &request) { m_startRequest = request; }

signals:
    // The window asks the program to end: the exit command, or a catalogue without its index.
    void endRequested();

public slots:
    void FormActivate();
    void sgrCategorySelectCell(int ACol, int ARow);
    void FillProductGrid(int k);
    void sgrProductsMouseUp(Qt::MouseButton button);
    void sgrRacionMouseDown(const QPoint &pos);
    void sgrRacionContextPopup(const QPoint &pos);
    void abcPopupMenu1Popup();
    void N2Click();
    void N3Click();
    // The current ration row's mass asked again: its menu item, F2, Enter, a double click.
    void N4Click();
    void mnuEditUndoClick();
    void mnuEditRedoClick();
    void mnuFileClick();
    void mnuFileSaveClick();
    void mnuFileSaveAsClick();
    void mnuFileOpenClick();
    void mnuFilePrintClick();
    void mnuFileSavePdfClick();
    void mnuFileExitClick();
    void mnuFileNormClick();
    void mnuFileReportClick();
    void mnuFileSaveCsvClick();
    void mnuCatalogueFindClick();
    void mnuCatalogueClick();
    void mnuCatalogueNewClick();
    void mnuCatalogueEditClick();
    void mnuCatalogueDeleteClick();
    void mnuCatalogueNewDishClick();
    void mnuCatalogueEditDishClick();

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createPanels();
    void createTotals();
    void createMenu();
    void createEditMenu();
    void showEditMenu();
    void createCatalogueMenu();
    void createContextMenus();
    void createFileCommands();
    void showTotals();
    // The norm beside and under the totals, which make room for it while a norm is set.
    void showNorm();
    void runFirstActivation();
    void runStartRequest();
    void shortcutActivated(QAction *item);
    [[nodiscard]] static bool modalDialogOpen();
    [[nodiscard]] TfrmSearch *frmSearch();
    [[nodiscard]] TfrmProduct *frmProduct();
    [[nodiscard]] FileDialog *dlgSave();
    [[nodiscard]] FileDialog *dlgOpen();
    [[nodiscard]] FileDialog *dlgSavePdf();
    [[nodiscard]] FileDialog *dlgReport();
    [[nodiscard]] FileDialog *dlgSaveCsv();
    // A day of the report, opened as "Открыть" opens the file chosen.
    void openReportDay(const QString &path);
    void printReport();
    // Shows product p of category k in the two grids, as if the user had gone there.
    void showProduct(int k, int p);
    // The page as printed and saved as PDF: the ration model's rows and totals, and the norm's lines.
    [[nodiscard]] RationPrintout currentPrintout() const;
    // The current category (k) and product (r), from 1; r is 0 when no product is current.
    [[nodiscard]] int currentCategory() const;
    [[nodiscard]] int currentProduct() const;
    void showProductsAfterEdit(int row);

    Catalogue &m_catalogue;
    CategoryListModel *m_categories = nullptr;
    ProductListModel *m_products = nullptr;
    RationModel *m_ration = nullptr;
    RationFileCommands *m_files = nullptr;
    ProductCommands *m_productCommands = nullptr;
    TfrmWeight *m_frmWeight = nullptr;
    TfrmPrint *m_frmPrint = nullptr;
    TfrmSearch *m_frmSearch = nullptr;
    TfrmProduct *m_frmProduct = nullptr;
    FileDialog *m_dlgSave = nullptr;
    FileDialog *m_dlgOpen = nullptr;
    FileDialog *m_dlgSavePdf = nullptr;
    TfrmNorm *m_frmNorm = nullptr;
    TfrmDish *m_frmDish = nullptr;
    DishCommands *m_dishCommands = nullptr;
    TfrmReport *m_frmReport = nullptr;
    FileDialog *m_dlgReport = nullptr;
    FileDialog *m_dlgSaveCsv = nullptr;
    NormSettings m_normSettings;
    NormPanel *m_normPanel = nullptr;
    bool m_totalsMoved = false; // aside for the norm
    bool m_activated = false;
    bool m_activationQueued = false;
    StartRequest m_startRequest;

    QFrame *Panel1 = nullptr; // the upper half: categories and products
    QTableView *sgrCategory = nullptr;
    QTableView *sgrProducts = nullptr;
    QFrame *Panel3 = nullptr; // the lower half: the ration and its totals
    QTableView *sgrRacionCont = nullptr; // the ration list's frame and title
    QTableView *sgrRacion = nullptr;
    QFrame *Panel5 = nullptr; // the totals panel
    TabcRotLabel *edtBelki = nullptr;
    TabcRotLabel *edtGiri = nullptr;
    TabcRotLabel *edtUglev = nullptr;
    TabcRotLabel *edtKal = nullptr;

    QMenu *mnuFile = nullptr;
    QAction *mnuFileSave = nullptr;
    QAction *mnuFileSaveAs = nullptr;
    QAction *mnuFileOpen = nullptr;
    QAction *mnuFilePrint = nullptr;
    QAction *mnuFileSavePdf = nullptr;
    QAction *mnuFileSaveCsv = nullptr;
    QAction *mnuFileReport = nullptr;
    QAction *mnuFileNorm = nullptr;
    QAction *mnuFileExit = nullptr;

    QMenu *mnuEdit = nullptr;
    QAction *mnuEditUndo = nullptr;
    QAction *mnuEditRedo = nullptr;

    QMenu *mnuCatalogue = nullptr;
    QAction *mnuCatalogueFind = nullptr;
    QAction *mnuCatalogueNew = nullptr;
    QAction *mnuCatalogueEdit = nullptr;
    QAction *mnuCatalogueDelete = nullptr;
    QAction *mnuCatalogueNewDish = nullptr;
    QAction *mnuCatalogueEditDish = nullptr;

    TabcPopupMenu *abcPopupMenu1 = nullptr; // a ration row's menu
    TabcPopupMenu *abcPopupMenu2 = nullptr; // the menu below the rows
    TabcMenuItem *N2 = nullptr; // removes the current row
    TabcMenuItem *N3 = nullptr; // clears the list
    TabcMenuItem *N4 = nullptr; // changes the current row's mass
};
