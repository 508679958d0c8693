#pragma once

#include "norm/NormSettings.h"
#include "print/RationPage.h"
#include "startup/StartRequest.h"

#include <QMainWindow>
#include <QPoint>
#include <QString>

class Catalogue;
class CategoryListModel;
class PdfFileCommand;
class ProductCommands;
class ProductListModel;
class RationFileCommands;
class RationModel;
class TabcMenuItem;
class TabcPopupMenu;
class TabcRotLabel;
class TfrmPrint;
template<typename T>
class LazyWindow;
class NormPanel;
class TfrmNorm;
class TfrmSearch;
class TfrmWeight;
class QAction;
class QFrame;
class QMenu;
class QTableView;

// The main window: catalogue grids above, the ration list and its totals below, one menu.
// It shows the catalogue and the ration models and wires the user's actions to them.
class TfrmMain : public QMainWindow
{
    Q_OBJECT
public:
    explicit TfrmMain(Catalogue &catalogue, QWidget *parent = nullptr);
    ~TfrmMain() override;

    // The two dialogs are children of this window, built on first use by holders made after it
    // and destroyed before it.
    void setDialogs(LazyWindow<TfrmWeight> *weight, LazyWindow<TfrmPrint> *print);

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
    void mnuFileClick();
    void mnuFileSaveClick();
    void mnuFileSaveAsClick();
    void mnuFileOpenClick();
    void mnuFilePrintClick();
    void mnuFileSavePdfClick();
    void mnuFileExitClick();
    void mnuFileNormClick();
    void mnuCatalogueFindClick();
    void mnuCatalogueClick();
    void mnuCatalogueNewClick();
    void mnuCatalogueEditClick();
    void mnuCatalogueDeleteClick();

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createPanels();
    void createTotals();
    void createMenu();
    void createCatalogueMenu();
    void createContextMenus();
    void createFileDialogs();
    void showTotals();
    // The norm beside and under the totals, which make room for it while a norm is set.
    void showNorm();
    void runFirstActivation();
    void runStartRequest();
    void shortcutActivated(QAction *item);
    [[nodiscard]] static bool modalDialogOpen();
    [[nodiscard]] RationPrintout currentPrintout() const;
    // Shows product p of category k in the two grids, as if the user had gone there.
    void showProduct(int k, int p);
    // The current category (k) and product (r), from 1; r is 0 when no product is current.
    [[nodiscard]] int currentCategory() const;
    [[nodiscard]] int currentProduct() const;
    void showProductsAfterEdit(int row);

    Catalogue &m_catalogue;
    CategoryListModel *m_categories = nullptr;
    ProductListModel *m_products = nullptr;
    RationModel *m_ration = nullptr;
    RationFileCommands *m_files = nullptr;
    PdfFileCommand *m_pdf = nullptr;
    ProductCommands *m_productCommands = nullptr;
    LazyWindow<TfrmWeight> *m_frmWeight = nullptr;
    LazyWindow<TfrmPrint> *m_frmPrint = nullptr;
    TfrmSearch *m_frmSearch = nullptr; // made on first use: nothing of it at start-up
    TfrmNorm *m_frmNorm = nullptr;     // made on first use
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
    QAction *mnuFileNorm = nullptr;
    QAction *mnuFileExit = nullptr;

    QMenu *mnuCatalogue = nullptr;
    QAction *mnuCatalogueFind = nullptr;
    QAction *mnuCatalogueNew = nullptr;
    QAction *mnuCatalogueEdit = nullptr;
    QAction *mnuCatalogueDelete = nullptr;

    TabcPopupMenu *abcPopupMenu1 = nullptr; // a ration row's menu
    TabcPopupMenu *abcPopupMenu2 = nullptr; // the menu below the rows
    TabcMenuItem *N2 = nullptr; // removes the current row
    TabcMenuItem *N3 = nullptr; // clears the list
};
