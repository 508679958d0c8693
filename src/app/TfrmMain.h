#pragma once

#include <QMainWindow>
#include <QPoint>
#include <QString>

class Catalogue;
class CategoryListModel;
class ProductCommands;
class ProductListModel;
class RationFileCommands;
class RationModel;
class TabcMenuItem;
class TabcPopupMenu;
class TabcRotLabel;
class TfrmPrint;
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

    // The two dialogs are created after this window; they are handed over once they exist.
    void setDialogs(TfrmWeight *weight, TfrmPrint *print);

    [[nodiscard]] RationModel *ration() const { return m_ration; }
    [[nodiscard]] TfrmWeight *weightDialog() const { return m_frmWeight; }

    // The path of the ration file last saved or opened.
    [[nodiscard]] QString CurrentFileName() const;

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
    void mnuFileExitClick();
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
    void runFirstActivation();
    void shortcutActivated(QAction *item);
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
    bool m_activated = false;
    bool m_activationQueued = false;

    QFrame *Panel1 = nullptr;
    QTableView *sgrCategory = nullptr;
    QTableView *sgrProducts = nullptr;
    QFrame *Panel3 = nullptr;
    QTableView *sgrRacionCont = nullptr;
    QTableView *sgrRacion = nullptr;
    QFrame *Panel5 = nullptr;
    TabcRotLabel *edtBelki = nullptr;
    TabcRotLabel *edtGiri = nullptr;
    TabcRotLabel *edtUglev = nullptr;
    TabcRotLabel *edtKal = nullptr;

    QMenu *mnuFile = nullptr;
    QAction *mnuFileSave = nullptr;
    QAction *mnuFileSaveAs = nullptr;
    QAction *mnuFileOpen = nullptr;
    QAction *mnuFilePrint = nullptr;
    QAction *mnuFileExit = nullptr;

    QMenu *mnuCatalogue = nullptr;
    QAction *mnuCatalogueNew = nullptr;
    QAction *mnuCatalogueEdit = nullptr;
    QAction *mnuCatalogueDelete = nullptr;

    QMenu *PopupMenu1 = nullptr;
    TabcPopupMenu *abcPopupMenu1 = nullptr;
    TabcPopupMenu *abcPopupMenu2 = nullptr;
    TabcMenuItem *N2 = nullptr;
    TabcMenuItem *N3 = nullptr;
};
