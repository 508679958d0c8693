#include "TfrmMain.h"

#include "look/AppIcons.h"
#include "look/Fonts.h"
#include "look/GrowingLayout.h"
#include "messages/Guarded.h"
#include "input/LeftPressOnly.h"
#include "input/MainWindowKeys.h"
#include "messages/MessageBoxes.h"
#include "files/RationFileCommands.h"
#include "look/StringGrid.h"
#include "Texts.h"
#include "files/FileDialog.h"
#include "printing/PdfFileCommand.h"
#include "printing/TfrmPrint.h"
#include "products/TfrmProduct.h"
#include "products/TfrmSearch.h"
#include "products/ProductCommands.h"
#include "TfrmWeight.h"
#include "look/WindowLook.h"
#include "catalogue/Catalogue.h"
#include "catalogue/CategoryListModel.h"
#include "catalogue/LoadCatalogue.h"
#include "catalogue/ProductListModel.h"
#include "dish/DishCommands.h"
#include "dish/TfrmDish.h"
#include "norm/NormPanel.h"
#include "norm/NormShares.h"
#include "norm/TfrmNorm.h"
#include "popupmenu/TabcMenuItem.h"
#include "popupmenu/TabcPopupMenu.h"
#include "print/PrintoutFromRation.h"
#include "ration/RationModel.h"
#include "rotlabel/TabcRotLabel.h"
#include "report/DayReport.h"
#include "report/ReportCsv.h"
#include "report/TfrmReport.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScreen>
#include <QShortcut>
#include <QStandardItemModel>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <optional>

using namespace Qt::StringLiterals;

namespace {
// The client area the window was laid out for, at 96 dots per inch.
constexpr int kClientWidth = 518;
constexpr int kClientHeight = 488;

QFrame *makePanel(QWidget *parent, const QString &name)
{
    auto *panel = new QFrame(parent);
    panel->setObjectName(name);
    panel->setFrameShape(QFrame::NoFrame);
    return panel;
}

// A transparent angled label placed at its stored top-left and sized to its text.
TabcRotLabel *makeRotLabel(QWidget *parent, const QString &name, const QString &caption, const QFont &font,
                           QPoint topLeft)
{
    auto *label = new TabcRotLabel(parent);
    label->beginLoad();
    label->setObjectName(name);
    label->setTransparent(true);
    label->setFont(font);
    label->setCaption(caption);
    label->move(topLeft);
    label->Loaded();
    return label;
}

} // namespace

TfrmMain::TfrmMain(Catalogue &catalogue, QWidget *parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                              | Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint
                              | Qt::WindowCloseButtonHint),
      m_catalogue(catalogue)
{
    setObjectName(u"frmMain"_s);
    setWindowTitle(Texts::applicationTitle());
    setFont(Fonts::msSansSerif(13));
    WindowLook::fillBackground(this, Qt::white);

    m_categories = new CategoryListModel(&m_catalogue, this);
    m_products = new ProductListModel(&m_catalogue, this);
    m_ration = new RationModel(QLocale::system().decimalPoint().at(0), this);
    m_normSettings = LoadNormSettings(NormSettingsPath());

    createPanels();
    createTotals();
    createMenu();
    createEditMenu();
    createCatalogueMenu();
    WindowLook::matchGround(menuBar());
    createContextMenus();
    createFileCommands();

    connect(m_ration, &RationModel::totalsChanged, this, &TfrmMain::showTotals);
    showNorm();
    // Every change of the ration ends in new totals: the menu follows it at once, so that what a
    // screen reader sees and presses between two openings of the menu is what the menu would show.
    connect(m_ration, &RationModel::totalsChanged, this, [this] { mnuFileClick(); });
    connect(m_ration, &RationModel::totalsChanged, this, &TfrmMain::showEditMenu);
    mnuFileClick();

    resize(kClientWidth, kClientHeight + menuBar()->sizeHint().height());
    setMinimumSize(size()); // larger, not smaller
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(), screen->availableGeometry()));
}

TfrmMain::~TfrmMain() = default;

// The windows this one opens, each built the same way on its first use, as a child of this window.

TfrmNorm *TfrmMain::frmNorm()
{
    if (!m_frmNorm)
        m_frmNorm = new TfrmNorm(this);
    return m_frmNorm;
}

TfrmReport *TfrmMain::frmReport()
{
    if (!m_frmReport) {
        m_frmReport = new TfrmReport(this);
        connect(m_frmReport, &TfrmReport::dayChosen, this, guarded(this, &TfrmMain::openReportDay));
        connect(m_frmReport, &TfrmReport::printRequested, this, guarded(this, &TfrmMain::printReport));
    }
    return m_frmReport;
}

TfrmWeight *TfrmMain::frmWeight()
{
    if (!m_frmWeight)
        m_frmWeight = new TfrmWeight(m_ration, this);
    return m_frmWeight;
}

TfrmPrint *TfrmMain::frmPrint()
{
    if (!m_frmPrint)
        m_frmPrint = new TfrmPrint(this);
    return m_frmPrint;
}

TfrmProduct *TfrmMain::frmProduct()
{
    if (!m_frmProduct)
        m_frmProduct = new TfrmProduct(this);
    return m_frmProduct;
}

TfrmDish *TfrmMain::frmDish()
{
    if (!m_frmDish)
        m_frmDish = new TfrmDish(&m_catalogue, m_ration, this);
    return m_frmDish;
}

TfrmSearch *TfrmMain::frmSearch()
{
    if (!m_frmSearch) {
        m_frmSearch = new TfrmSearch(&m_catalogue, this);
        // A product picked there is added as one released in the product grid: that is where
        // it goes first.
        connect(m_frmSearch, &TfrmSearch::productChosen, this, [this](int k, int p) {
            if (k < 1)
                return; // the row that says nothing was found
            runGuarded([&] {
                showProduct(k, p);
                sgrProductsMouseUp(Qt::LeftButton);
            });
        });
        // Back in this window, the keyboard goes on from the product last picked.
        connect(m_frmSearch, &QDialog::finished, this, [this] {
            activateWindow();
            if (m_frmSearch->chosen().category > 0)
                sgrProducts->setFocus(Qt::OtherFocusReason);
        });
    }
    return m_frmSearch;
}

FileDialog *TfrmMain::dlgSave()
{
    if (!m_dlgSave) {
        m_dlgSave = new FileDialog(this, u"Сохранить рацион..."_s, FileDialog::AcceptSave);
        m_dlgSave->setObjectName(u"dlgSave"_s);
    }
    return m_dlgSave;
}

FileDialog *TfrmMain::dlgOpen()
{
    if (!m_dlgOpen) {
        m_dlgOpen = new FileDialog(this, u"Загрузить рацион..."_s, FileDialog::AcceptOpen);
        m_dlgOpen->setObjectName(u"dlgOpen"_s);
    }
    return m_dlgOpen;
}

FileDialog *TfrmMain::dlgSavePdf()
{
    if (!m_dlgSavePdf)
        m_dlgSavePdf = FileDialog::pdfSaver(this);
    return m_dlgSavePdf;
}

FileDialog *TfrmMain::dlgReport()
{
    if (!m_dlgReport) {
        m_dlgReport = new FileDialog(this, u"Выбрать рационы..."_s, FileDialog::AcceptOpen);
        m_dlgReport->setObjectName(u"dlgReport"_s);
        m_dlgReport->allowSeveralFiles();
    }
    return m_dlgReport;
}

FileDialog *TfrmMain::dlgSaveCsv()
{
    if (!m_dlgSaveCsv)
        m_dlgSaveCsv = FileDialog::csvSaver(this);
    return m_dlgSaveCsv;
}

void TfrmMain::createPanels()
{
    auto *client = new QWidget(this);
    client->setObjectName(u"client"_s);
    auto *column = new QVBoxLayout(client);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    setCentralWidget(client);

    // Upper half: categories docked left, products filling the rest.
    Panel1 = makePanel(client, u"Panel1"_s);
    auto *upper = new QHBoxLayout(Panel1);
    upper->setContentsMargins(0, 0, 0, 0);
    upper->setSpacing(0);

    sgrCategory = new QTableView(Panel1);
    sgrCategory->setObjectName(u"sgrCategory"_s);
    sgrCategory->setModel(m_categories);
    setUpStringGrid(sgrCategory, 175, 16, Fonts::msSansSerif(11), true);
    // Laid out for 518 × 488; a larger window shares what it has more among the lists, in the
    // proportions of that layout.
    sgrCategory->setMinimumWidth(180);
    GrowingLayout::growColumn(sgrCategory, 175, 180);
    upper->addWidget(sgrCategory, 180);

    sgrProducts = new QTableView(Panel1);
    sgrProducts->setObjectName(u"sgrProducts"_s);
    sgrProducts->setModel(m_products);
    setUpStringGrid(sgrProducts, 325, 16, Fonts::msSansSerif(11), true);
    sgrProducts->setMinimumWidth(kClientWidth - 180);
    GrowingLayout::growColumn(sgrProducts, 325, kClientWidth - 180);
    upper->addWidget(sgrProducts, kClientWidth - 180);
    Panel1->setMinimumHeight(kClientHeight - 185);
    column->addWidget(Panel1, kClientHeight - 185);

    // Lower half: the ration list docked left, the totals panel filling the rest.
    Panel3 = makePanel(client, u"Panel3"_s);
    WindowLook::fillBackground(Panel3, Qt::white);
    Panel3->setMinimumHeight(185);
    auto *lower = new QHBoxLayout(Panel3);
    lower->setContentsMargins(0, 0, 0, 0);
    lower->setSpacing(0);

    // The frame and title of the ration list; the list itself lies over it, below the title.
    auto *title = new QStandardItemModel(1, 1, this);
    sgrRacionCont = new QTableView(Panel3);
    sgrRacionCont->setObjectName(u"sgrRacionCont"_s);
    sgrRacionCont->setModel(title);
    setUpStringGrid(sgrRacionCont, 284, 16, Fonts::msSansSerif(11), true);
    sgrRacionCont->setMinimumWidth(288);
    GrowingLayout::growColumn(sgrRacionCont, 284, 288);
    sgrRacionCont->setFocusPolicy(Qt::NoFocus);
    sgrRacionCont->setSelectionMode(QAbstractItemView::NoSelection);
    lower->addWidget(sgrRacionCont, 288);

    Panel5 = new QFrame(Panel3);
    Panel5->setObjectName(u"Panel5"_s);
    Panel5->setFrameStyle(QFrame::WinPanel | QFrame::Raised);
    Panel5->setPalette(QApplication::palette());
    Panel5->setAutoFillBackground(true);
    Panel5->setMinimumWidth(kClientWidth - 288);
    lower->addWidget(Panel5, kClientWidth - 288);

    sgrRacion = new QTableView(Panel3);
    sgrRacion->setObjectName(u"sgrRacion"_s);
    sgrRacion->setModel(m_ration);
    setUpStringGrid(sgrRacion, 283, 18, font(), false);
    sgrRacion->setFrameShape(QFrame::NoFrame);
    sgrRacion->setShowGrid(false);
    sgrRacion->setGeometry(2, 19, 284, 164);
    GrowingLayout::keepOver(sgrRacion, sgrRacionCont, QMargins(2, 19, 2, 2));
    GrowingLayout::growColumn(sgrRacion, 283, 284);
    sgrRacion->setAccessibleName(u"Рацион"_s);
    sgrRacion->setContextMenuPolicy(Qt::CustomContextMenu);
    sgrRacion->raise();
    column->addWidget(Panel3, 185);

    connect(sgrCategory->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            guarded([this](const QModelIndex &current) {
                if (current.isValid())
                    sgrCategorySelectCell(0, current.row() + 1);
            }));
    // The header row is part of the grid: a release there picks the current product too.
    sgrProducts->viewport()->installEventFilter(this);
    sgrProducts->horizontalHeader()->viewport()->installEventFilter(this);
    sgrRacion->viewport()->installEventFilter(this);
    connect(sgrRacion, &QWidget::customContextMenuRequested, this, guarded(this, &TfrmMain::sgrRacionContextPopup));

    // The same work from the keyboard; Enter is queued like the mouse's release.
    auto *keys = new MainWindowKeys(sgrCategory, sgrProducts, sgrRacion, this);
    connect(keys, &MainWindowKeys::productChosen, this,
            guarded([this] { sgrProductsMouseUp(Qt::LeftButton); }), Qt::QueuedConnection);
    connect(keys, &MainWindowKeys::rationMenuRequested, this, guarded(this, &TfrmMain::sgrRacionContextPopup));
    connect(keys, &MainWindowKeys::rationRowChosen, this, guarded(this, &TfrmMain::N4Click), Qt::QueuedConnection);
}

void TfrmMain::createTotals()
{
    // Captions at left 80, every 24 pixels down; each value one pixel lower than its caption. They
    // stay together, centred in a larger panel.
    auto *content = new QWidget(Panel5);
    content->setObjectName(u"totals"_s);
    content->setGeometry(0, 0, kClientWidth - 288, 185);
    GrowingLayout::keepCentred(content, Panel5);
    const char16_t *const captions[] = {u"Белков:", u"Жиров:", u"Углеводов:", u"кКалорий:"};
    const char16_t *const valueNames[] = {u"edtBelki", u"edtGiri", u"edtUglev", u"edtKal"};
    TabcRotLabel **values[] = {&edtBelki, &edtGiri, &edtUglev, &edtKal};
    for (int i = 0; i < 4; ++i) {
        const QString caption = QString::fromUtf16(captions[i]);
        makeRotLabel(content, u"abcRotLabel%1"_s.arg(i + 1), caption, Fonts::arial(13), {80, 56 + 24 * i});
        TabcRotLabel *value = makeRotLabel(content, QString::fromUtf16(valueNames[i]), u"0"_s,
                                           Fonts::arial(12, true), {163, 57 + 24 * i});
        // Screen readers read the value as the name and what it counts as the description.
        value->setAccessibleDescription(caption.chopped(1));
        *values[i] = value;
    }
    // The panel's client area at the window's default size, rows as the totals' with a norm; with
    // them, so that it stays beside them in a larger window.
    m_normPanel = new NormPanel(content, QRect(2, 2, kClientWidth - 288 - 4, 185 - 4), 30, 24);
}

namespace {
// With a norm the totals move up and left, making room beside and under them.
constexpr QPoint NormShift(-74, -24);
} // namespace

void TfrmMain::showNorm()
{
    const bool shown = !m_normSettings.norm.isEmpty();
    // Moved by the shift rather than placed: a total keeps its centre as its caption changes.
    TabcRotLabel *const values[] = {edtBelki, edtGiri, edtUglev, edtKal};
    const QPoint step = shown == m_totalsMoved ? QPoint() : (shown ? NormShift : -NormShift);
    m_totalsMoved = shown;
    int widest = 0;
    for (int i = 0; i < 4; ++i) {
        if (auto *caption = Panel5->findChild<TabcRotLabel *>(u"abcRotLabel%1"_s.arg(i + 1)))
            caption->move(caption->pos() + step);
        values[i]->move(values[i]->pos() + step);
        widest = std::max(widest, values[i]->geometry().right());
    }
    const DayTotals totals{m_ration->total(RationModel::Total::Belki), m_ration->total(RationModel::Total::Giri),
                           m_ration->total(RationModel::Total::Uglev), m_ration->total(RationModel::Total::Kal)};
    m_normPanel->showNorm(m_normSettings.norm, totals, QLocale::system().decimalPoint().at(0),
                          widest + 8 - m_normPanel->x());
}

void TfrmMain::createMenu()
{
    mnuFile = menuBar()->addMenu(u"&Рацион"_s);
    mnuFile->setObjectName(u"mnuFile"_s);
    connect(mnuFile, &QMenu::aboutToShow, this, guarded(this, &TfrmMain::mnuFileClick));

    // Shortcuts are our own, so that the menu's availability is worked out before one acts;
    // the menu shows them after a tab.
    auto addItem = [this](const char *name, const QString &caption, AppIcons::Index icon,
                          const QKeySequence &keys) {
        auto *item = mnuFile->addAction(AppIcons::icon(icon),
                                        caption + u'\t' + keys.toString(QKeySequence::NativeText));
        item->setObjectName(QLatin1String(name));
        auto *shortcut = new QShortcut(keys, this);
        shortcut->setObjectName(QLatin1String(name) + u"Shortcut"_s);
        connect(shortcut, &QShortcut::activated, this, [this, item] { shortcutActivated(item); });
        return item;
    };
    mnuFileSave = addItem("mnuFileSave", u"Сохранить"_s, AppIcons::Save, QKeySequence(Qt::CTRL | Qt::Key_S));
    mnuFileSaveAs = addItem("mnuFileSaveAs", u"Сохранить как..."_s, AppIcons::SaveAs,
                            QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    mnuFileOpen = addItem("mnuFileOpen", u"Открыть"_s, AppIcons::Open, QKeySequence(Qt::CTRL | Qt::Key_O));
    mnuFile->addSeparator()->setObjectName(u"N1"_s);
    mnuFilePrint = addItem("mnuFilePrint", u"Печать"_s, AppIcons::Print, QKeySequence(Qt::CTRL | Qt::Key_P));
    connect(mnuFilePrint, &QAction::triggered, this, guarded(this, &TfrmMain::mnuFilePrintClick));
    mnuFileSavePdf = mnuFile->addAction(AppIcons::icon(AppIcons::SaveAs), u"Сохранить в PDF..."_s);
    mnuFileSavePdf->setObjectName(u"mnuFileSavePdf"_s);
    connect(mnuFileSavePdf, &QAction::triggered, this, guarded(this, &TfrmMain::mnuFileSavePdfClick));
    mnuFileSaveCsv = mnuFile->addAction(AppIcons::icon(AppIcons::SaveAs), u"Сохранить в CSV..."_s);
    mnuFileSaveCsv->setObjectName(u"mnuFileSaveCsv"_s);
    connect(mnuFileSaveCsv, &QAction::triggered, this, guarded(this, &TfrmMain::mnuFileSaveCsvClick));
    mnuFile->addSeparator()->setObjectName(u"N6"_s);
    // It starts by opening files, as "Открыть" does.
    mnuFileReport = mnuFile->addAction(AppIcons::icon(AppIcons::Open), u"Отчёт за несколько дней..."_s);
    mnuFileReport->setObjectName(u"mnuFileReport"_s);
    connect(mnuFileReport, &QAction::triggered, this, guarded(this, &TfrmMain::mnuFileReportClick));
    mnuFileNorm = mnuFile->addAction(AppIcons::icon(AppIcons::Norm), u"Норма дня..."_s);
    mnuFileNorm->setObjectName(u"mnuFileNorm"_s);
    connect(mnuFileNorm, &QAction::triggered, this, guarded(this, &TfrmMain::mnuFileNormClick));
    mnuFile->addSeparator()->setObjectName(u"N7"_s);
    mnuFileExit = addItem("mnuFileExit", u"Выход"_s, AppIcons::Exit, QKeySequence(Qt::ALT | Qt::Key_X));

    connect(mnuFileExit, &QAction::triggered, this, guarded(this, &TfrmMain::mnuFileExitClick));
}

// Between "&Рацион" and "&Каталог": taking back and doing again changes of the ration.
void TfrmMain::createEditMenu()
{
    mnuEdit = menuBar()->addMenu(u"&Правка"_s);
    mnuEdit->setObjectName(u"mnuEdit"_s);
    mnuEditUndo = mnuEdit->addAction(QString());
    mnuEditUndo->setObjectName(u"mnuEditUndo"_s);
    mnuEditUndo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    mnuEditRedo = mnuEdit->addAction(QString());
    mnuEditRedo->setObjectName(u"mnuEditRedo"_s);
    mnuEditRedo->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    connect(mnuEditUndo, &QAction::triggered, this, guarded(this, &TfrmMain::mnuEditUndoClick));
    connect(mnuEditRedo, &QAction::triggered, this, guarded(this, &TfrmMain::mnuEditRedoClick));
    showEditMenu();
}

void TfrmMain::showEditMenu()
{
    // A product's "&" is no accelerator.
    const RationHistory &history = m_ration->history();
    mnuEditUndo->setText(history.undoText().replace(u'&', u"&&"_s));
    mnuEditUndo->setEnabled(history.canUndo());
    mnuEditRedo->setText(history.redoText().replace(u'&', u"&&"_s));
    mnuEditRedo->setEnabled(history.canRedo());
}

void TfrmMain::mnuEditUndoClick()
{
    if (modalDialogOpen())
        return;
    m_ration->undo();
}

void TfrmMain::mnuEditRedoClick()
{
    if (modalDialogOpen() || !m_ration->history().canRedo())
        return;
    // Clearing again is clearing: "Сохранить" goes as it went the first time. Taking a clear back
    // does not bring it back; only Save as and Open do.
    const bool clears = m_ration->history().redoStep().kind == RationStep::Kind::Clear;
    m_ration->redo();
    if (clears)
        mnuFileSave->setEnabled(false);
}

// After "&Правка"; its items act on the current category and product.
void TfrmMain::createCatalogueMenu()
{
    mnuCatalogue = menuBar()->addMenu(u"&Каталог"_s);
    mnuCatalogue->setObjectName(u"mnuCatalogue"_s);
    connect(mnuCatalogue, &QMenu::aboutToShow, this, guarded(this, &TfrmMain::mnuCatalogueClick));
    auto addItem = [this](const char *name, const QString &caption, void (TfrmMain::*handler)()) {
        QAction *item = mnuCatalogue->addAction(caption);
        item->setObjectName(QLatin1String(name));
        connect(item, &QAction::triggered, this, guarded(this, handler));
        return item;
    };
    mnuCatalogueFind = addItem("mnuCatalogueFind", u"Найти продукт..."_s, &TfrmMain::mnuCatalogueFindClick);
    mnuCatalogueFind->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    mnuCatalogue->addSeparator();
    mnuCatalogueNew = addItem("mnuCatalogueNew", u"Новый продукт..."_s, &TfrmMain::mnuCatalogueNewClick);
    mnuCatalogueEdit = addItem("mnuCatalogueEdit", u"Изменить продукт..."_s, &TfrmMain::mnuCatalogueEditClick);
    mnuCatalogueDelete = addItem("mnuCatalogueDelete", u"Удалить продукт"_s, &TfrmMain::mnuCatalogueDeleteClick);
    m_productCommands = new ProductCommands(m_catalogue, this);
    mnuCatalogue->addSeparator();
    mnuCatalogueNewDish = addItem("mnuCatalogueNewDish", u"Новое блюдо..."_s, &TfrmMain::mnuCatalogueNewDishClick);
    mnuCatalogueEditDish =
        addItem("mnuCatalogueEditDish", u"Изменить блюдо..."_s, &TfrmMain::mnuCatalogueEditDishClick);
    m_dishCommands = new DishCommands(m_catalogue, *m_productCommands, this);
    // A saved dish is the current product, wherever the grids were meanwhile.
    connect(m_dishCommands, &DishCommands::saved, this, [this](int k, int row) {
        sgrCategory->setCurrentIndex(m_categories->index(k - 1, 0));
        showProductsAfterEdit(row);
    });
    // Kept current, not only when the menu opens: a screen reader presses items of a closed menu.
    const auto follow = guarded(this, &TfrmMain::mnuCatalogueClick);
    connect(sgrCategory->selectionModel(), &QItemSelectionModel::currentRowChanged, this, follow);
    connect(sgrProducts->selectionModel(), &QItemSelectionModel::currentRowChanged, this, follow);
    connect(m_products, &QAbstractItemModel::modelReset, this, follow);
    mnuCatalogueClick();
}

void TfrmMain::shortcutActivated(QAction *item)
{
    runGuarded([&] { mnuFileClick(); });
    if (item->isEnabled())
        item->trigger();
}

void TfrmMain::createContextMenus()
{
    // A right click on the catalogue grids opens nothing.
    sgrCategory->setContextMenuPolicy(Qt::PreventContextMenu);
    sgrProducts->setContextMenuPolicy(Qt::PreventContextMenu);
    // Nor does it move their current row: a product is picked by what the left button made current.
    LeftPressOnly::install(sgrCategory);
    LeftPressOnly::install(sgrProducts);

    const QList<QIcon> images = AppIcons::imageList();

    abcPopupMenu1 = new TabcPopupMenu(this);
    abcPopupMenu1->setObjectName(u"abcPopupMenu1"_s);
    abcPopupMenu1->setImages(images);
    abcPopupMenu1->setFont(Fonts::msSansSerif(13));
    abcPopupMenu1->Options().ItemHeight = 22;
    abcPopupMenu1->Options().CloseAnimation = amnToolbar;
    abcPopupMenu1->setOldDisabledStyle(true);
    N4 = abcPopupMenu1->addItem(QString());
    N4->setObjectName(u"N4"_s);
    // Queued, so that the dialog's event loop runs after the menu's click is done.
    connect(N4, &TabcMenuItem::Click, this, guarded(this, &TfrmMain::N4Click), Qt::QueuedConnection);
    N2 = abcPopupMenu1->addItem(QString(), AppIcons::Delete);
    N2->setObjectName(u"N2"_s);
    connect(abcPopupMenu1, &TabcPopupMenu::OnPopup, this, guarded(this, &TfrmMain::abcPopupMenu1Popup));
    connect(N2, &TabcMenuItem::Click, this, guarded(this, &TfrmMain::N2Click));

    abcPopupMenu2 = new TabcPopupMenu(this);
    abcPopupMenu2->setObjectName(u"abcPopupMenu2"_s);
    abcPopupMenu2->setImages(images);
    abcPopupMenu2->Options().ItemHeight = 22;
    N3 = abcPopupMenu2->addItem(u"Очистить список проуктов рациона"_s, AppIcons::Clear);
    N3->setObjectName(u"N3"_s);
    connect(N3, &TabcMenuItem::Click, this, guarded(this, &TfrmMain::N3Click));
}

void TfrmMain::createFileCommands()
{
    m_files = new RationFileCommands(m_ration, this);
    connect(m_files, &RationFileCommands::fileNamed, this, [this] { mnuFileSave->setEnabled(true); });
    connect(mnuFileSave, &QAction::triggered, this, guarded(this, &TfrmMain::mnuFileSaveClick));
    connect(mnuFileSaveAs, &QAction::triggered, this, guarded(this, &TfrmMain::mnuFileSaveAsClick));
    connect(mnuFileOpen, &QAction::triggered, this, guarded(this, &TfrmMain::mnuFileOpenClick));
}

QString TfrmMain::CurrentFileName() const
{
    return m_files->currentFileName();
}

bool TfrmMain::event(QEvent *event)
{
    // The first-activation work runs once, from the event loop, after the window is up; showing
    // counts as activating so that it also runs where no window manager hands out focus.
    if (!m_activated && !m_activationQueued
        && (event->type() == QEvent::WindowActivate || event->type() == QEvent::Show)) {
        m_activationQueued = true;
        QMetaObject::invokeMethod(this, guarded(this, &TfrmMain::FormActivate), Qt::QueuedConnection);
    }
    return QMainWindow::event(event);
}

void TfrmMain::FormActivate()
{
    if (m_activated)
        return;
    m_activated = true;

    if (CurrentFileName().isEmpty())
        mnuFileSave->setEnabled(false);

    m_categories->setHeaderText(u"Категории продуктов"_s);
    m_products->setHeaderText(u"Продукты"_s);
    sgrRacionCont->model()->setHeaderData(0, Qt::Horizontal, u"Рацион"_s);

    const QDir folder = QDir::current();
    const CatalogueLoadResult loaded = LoadCatalogue(m_catalogue, folder);
    m_productCommands->setCatalogueFolder(folder);
    m_categories->reload();
    for (const CatalogueMessage &message : loaded.messages)
        MessageBoxes::show(message.kind, message.text);
    if (!loaded.indexOpened)
        emit endRequested(); // the remaining steps still run, on empty tables

    {
        const QSignalBlocker blocker(sgrCategory->selectionModel());
        sgrCategory->setCurrentIndex(m_categories->index(0, 0));
    }
    FillProductGrid(1);
    if (loaded.indexOpened)
        runStartRequest();
}

void TfrmMain::runStartRequest()
{
    if (!m_startRequest.warning.isEmpty())
        MessageBoxes::show(UserError::Kind::Warning, m_startRequest.warning);
    else if (!m_startRequest.file.isEmpty())
        m_files->openFile(m_startRequest.file); // its errors escape as Open's do, to the same guard
}

void TfrmMain::sgrCategorySelectCell(int /*ACol*/, int ARow)
{
    FillProductGrid(ARow);
}

void TfrmMain::FillProductGrid(int k)
{
    m_products->setCategory(k);
    // A new list starts at its first product, wherever the previous one was scrolled to.
    sgrProducts->scrollToTop();
}

bool TfrmMain::eventFilter(QObject *watched, QEvent *event)
{
    if ((watched == sgrProducts->viewport() || watched == sgrProducts->horizontalHeader()->viewport())
        && event->type() == QEvent::MouseButtonRelease) {
        const auto button = static_cast<QMouseEvent *>(event)->button();
        // Queued, so that it runs after the view has handled the release, as a grid's own mouse-up does.
        QMetaObject::invokeMethod(this, guarded([this, button] { sgrProductsMouseUp(button); }), Qt::QueuedConnection);
        return false;
    }
    if (watched == sgrRacion->viewport() && event->type() == QEvent::MouseButtonDblClick
        && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        runGuarded([&] { sgrRacionMouseDown(static_cast<QMouseEvent *>(event)->position().toPoint()); });
        // Queued: the dialog's own event loop must not run inside this event.
        if (sgrRacion->currentIndex().isValid())
            QMetaObject::invokeMethod(this, guarded(this, &TfrmMain::N4Click), Qt::QueuedConnection);
        return true;
    }
    if (watched == sgrRacion->viewport() && event->type() == QEvent::MouseButtonPress) {
        runGuarded([&] { sgrRacionMouseDown(static_cast<QMouseEvent *>(event)->position().toPoint()); });
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void TfrmMain::sgrProductsMouseUp(Qt::MouseButton button)
{
    if (button != Qt::LeftButton)
        return;
    const QModelIndex current = sgrProducts->currentIndex();
    if (!current.isValid())
        return; // no product is current: nothing to add
    const int k = sgrCategory->currentIndex().row() + 1;
    const int p = current.row() + 1;
    // The dialog adds the product itself on OK; its answer needs nothing more here.
    static_cast<void>(frmWeight()->ask(current.data().toString(), m_catalogue.Product(k, p)));
}

void TfrmMain::sgrRacionMouseDown(const QPoint &pos)
{
    // Any button makes the row under the pointer current; below the last row there is none.
    const QModelIndex index = sgrRacion->indexAt(pos);
    if (index.isValid()) {
        sgrRacion->setCurrentIndex(index);
    } else {
        sgrRacion->selectionModel()->clear();
    }
}

void TfrmMain::sgrRacionContextPopup(const QPoint &pos)
{
    if (m_ration->isEmpty())
        return; // nothing opens over an empty ration
    TabcPopupMenu *menu = sgrRacion->currentIndex().isValid() ? abcPopupMenu1 : abcPopupMenu2;
    const QPoint global = sgrRacion->viewport()->mapToGlobal(pos);
    menu->Popup(global.x(), global.y());
}

void TfrmMain::abcPopupMenu1Popup()
{
    QString text = m_ration->rowText(sgrRacion->currentIndex().row());
    if (text.isEmpty())
        text = m_ration->rowText(m_ration->count() - 1);
    // A caption marks its accelerator with "&": one in a product's name is a plain character.
    text.replace(u'&', u"&&"_s);
    N4->setCaption(u"Изменить массу \""_s + text + u"\"..."_s);
    N2->setCaption(u"Удалить \""_s + text + u"\" из списка"_s);
}

void TfrmMain::N4Click()
{
    const int row = sgrRacion->currentIndex().row();
    if (modalDialogOpen() || row < 0 || row >= m_ration->count())
        return;
    static_cast<void>(frmWeight()->askRowMass(row));
}

bool TfrmMain::modalDialogOpen()
{
    // A screen reader can press a menu item of this window while a dialog is modal over it.
    return QApplication::activeModalWidget() != nullptr;
}

void TfrmMain::N2Click()
{
    if (modalDialogOpen())
        return;
    m_ration->remove(sgrRacion->currentIndex().row());
}

void TfrmMain::N3Click()
{
    if (modalDialogOpen())
        return;
    m_ration->clear();
    mnuFileSave->setEnabled(false);
}

void TfrmMain::mnuFileClick()
{
    const bool hasRows = !m_ration->isEmpty();
    mnuFileSaveAs->setEnabled(hasRows);
    mnuFilePrint->setEnabled(hasRows);
    mnuFileSavePdf->setEnabled(hasRows); // the same pages as Печать
    mnuFileSaveCsv->setEnabled(hasRows);
}

// Each command checks its own rule, whatever reached it: the menu, a shortcut or a screen
// reader's press on an item.
void TfrmMain::mnuFileSaveClick()
{
    if (modalDialogOpen() || !mnuFileSave->isEnabled())
        return;
    m_files->save();
}

void TfrmMain::mnuFileSaveAsClick()
{
    if (modalDialogOpen() || m_ration->isEmpty())
        return;
    const QString path = dlgSave()->choose();
    if (!path.isEmpty())
        m_files->saveAs(path);
}

void TfrmMain::mnuFileOpenClick()
{
    if (modalDialogOpen())
        return;
    const QString path = dlgOpen()->choose();
    if (!path.isEmpty())
        m_files->openFile(path);
}

void TfrmMain::mnuFilePrintClick()
{
    // A printout always has at least one row.
    if (modalDialogOpen() || m_ration->isEmpty())
        return;
    TfrmPrint *dialog = frmPrint();
    dialog->setPrintout(currentPrintout());
    dialog->exec();
}

void TfrmMain::mnuFileSavePdfClick()
{
    if (modalDialogOpen() || m_ration->isEmpty())
        return; // a printout always has a row
    const QString path = dlgSavePdf()->choose();
    if (!path.isEmpty())
        PdfFileCommand::save(path, currentPrintout());
}

RationPrintout TfrmMain::currentPrintout() const
{
    RationPrintout printout = PrintoutFromRation(*m_ration);
    printout.normLines =
        NormPrintLines(m_normSettings.norm,
                       {m_ration->total(RationModel::Total::Belki), m_ration->total(RationModel::Total::Giri),
                        m_ration->total(RationModel::Total::Uglev), m_ration->total(RationModel::Total::Kal)},
                       QLocale::system().decimalPoint().at(0));
    return printout;
}

void TfrmMain::mnuFileExitClick()
{
    if (modalDialogOpen())
        return;
    emit endRequested();
}

void TfrmMain::mnuFileNormClick()
{
    if (modalDialogOpen())
        return;
    if (!frmNorm()->edit(m_normSettings))
        return;
    // The new norm holds from now on, whether or not it can be kept for the next start.
    m_normSettings = frmNorm()->settings();
    showNorm();
    if (m_frmReport)
        m_frmReport->setNorm(m_normSettings.norm);
    const QString path = NormSettingsPath();
    if (!SaveNormSettings(path, m_normSettings))
        MessageBoxes::show(UserError::Kind::Warning,
                           u"Ошибка записи файла "_s + path + u"\nНорма дня действует до выхода из программы"_s);
}

void TfrmMain::mnuFileReportClick()
{
    if (modalDialogOpen())
        return;
    const QStringList paths = dlgReport()->chooseSeveral();
    if (paths.isEmpty())
        return;
    const DayReport report = ReadDayReport(paths); // too many files: its warning, and no window
    TfrmReport *window = frmReport();
    window->showReport(report, m_normSettings.norm);
    window->show();
    window->raise();
    window->activateWindow();
}

void TfrmMain::openReportDay(const QString &path)
{
    if (modalDialogOpen())
        return;
    m_files->openFile(path);
}

void TfrmMain::printReport()
{
    if (modalDialogOpen() || !m_frmReport)
        return;
    TfrmPrint *dialog = frmPrint();
    dialog->setReportPrintout(m_frmReport->printout());
    dialog->exec();
}

void TfrmMain::mnuFileSaveCsvClick()
{
    if (modalDialogOpen() || m_ration->isEmpty())
        return;
    const QString path = dlgSaveCsv()->choose();
    if (path.isEmpty())
        return;
    if (!WriteCsvFile(path, DayCsv(DayName(CurrentFileName()), m_ration->rows())))
        MessageBoxes::show(UserError::Kind::Warning, u"Ошибка записи файла "_s + path + u"\n"_s);
}

void TfrmMain::mnuCatalogueFindClick()
{
    if (modalDialogOpen())
        return;
    TfrmSearch *search = frmSearch();
    search->show();
    search->raise();
    search->activateWindow();
}

void TfrmMain::showProduct(int k, int p)
{
    sgrCategory->setCurrentIndex(m_categories->index(k - 1, 0)); // refills the product grid
    const QModelIndex product = m_products->index(p - 1, 0);
    sgrProducts->setCurrentIndex(product);
    sgrProducts->scrollTo(product);
}

void TfrmMain::showTotals()
{
    edtBelki->setCaption(m_ration->totalText(RationModel::Total::Belki));
    edtGiri->setCaption(m_ration->totalText(RationModel::Total::Giri));
    edtUglev->setCaption(m_ration->totalText(RationModel::Total::Uglev));
    edtKal->setCaption(m_ration->totalText(RationModel::Total::Kal));
    showNorm();
}

int TfrmMain::currentCategory() const
{
    return sgrCategory->currentIndex().row() + 1;
}

int TfrmMain::currentProduct() const
{
    const QModelIndex current = sgrProducts->currentIndex();
    return current.isValid() ? current.row() + 1 : 0;
}

void TfrmMain::mnuCatalogueClick()
{
    const bool product = currentProduct() > 0;
    mnuCatalogueNew->setEnabled(m_productCommands->canEdit(currentCategory()));
    mnuCatalogueEdit->setEnabled(product);
    mnuCatalogueDelete->setEnabled(product);
    mnuCatalogueNewDish->setEnabled(m_dishCommands->canMake(currentCategory()));
    mnuCatalogueEditDish->setEnabled(m_dishCommands->isDish(currentCategory(), currentProduct()));
}

void TfrmMain::mnuCatalogueNewClick()
{
    if (modalDialogOpen() || !m_productCommands->canEdit(currentCategory()))
        return;
    if (const std::optional<int> row = m_productCommands->newProduct(frmProduct(), currentCategory()))
        showProductsAfterEdit(*row);
}

void TfrmMain::mnuCatalogueEditClick()
{
    if (modalDialogOpen() || currentProduct() == 0)
        return;
    if (const std::optional<int> row =
            m_productCommands->changeProduct(frmProduct(), currentCategory(), currentProduct()))
        showProductsAfterEdit(*row);
}

void TfrmMain::mnuCatalogueDeleteClick()
{
    if (modalDialogOpen() || currentProduct() == 0)
        return;
    if (const std::optional<int> row = m_productCommands->removeProduct(currentCategory(), currentProduct()))
        showProductsAfterEdit(*row);
}

void TfrmMain::mnuCatalogueNewDishClick()
{
    if (modalDialogOpen())
        return;
    m_dishCommands->newDish(frmDish(), currentCategory());
}

void TfrmMain::mnuCatalogueEditDishClick()
{
    if (modalDialogOpen())
        return;
    m_dishCommands->changeDish(frmDish(), currentCategory(), currentProduct());
}

// The category's products again, with row (from 1; 0 for none) current. The ration keeps its
// rows: each carries its own values.
void TfrmMain::showProductsAfterEdit(int row)
{
    if (m_frmSearch)
        m_frmSearch->catalogueChanged();
    if (m_frmDish)
        m_frmDish->catalogueChanged();
    m_products->setCategory(currentCategory());
    if (row < 1)
        return;
    const QModelIndex index = m_products->index(row - 1, 0);
    sgrProducts->setCurrentIndex(index);
    sgrProducts->scrollTo(index);
}
