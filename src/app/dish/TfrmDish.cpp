#include "dish/TfrmDish.h"

#include "TfrmWeight.h"
#include "catalogue/Catalogue.h"
#include "catalogue/ProductInput.h"
#include "catalogue/ReadCatalogueFile.h"
#include "dish/DishValues.h"
#include "dish/EnterRelease.h"
#include "dish/IngredientSearch.h"
#include "look/ElidedLabel.h"
#include "look/Fonts.h"
#include "look/WindowLook.h"
#include "messages/Guarded.h"
#include "ration/RationModel.h"

#include <QContextMenuEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QLocale>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QVBoxLayout>

#include <cmath>
#include <utility>

using namespace Qt::StringLiterals;

namespace {
QChar decimalSeparator()
{
    return QLocale::system().decimalPoint().at(0);
}

// Grams with at most two decimals, as the dish's values are written.
QString massText(long double grams)
{
    QString text = QString::number(double(std::floor(grams * 100.0L + 0.5L) / 100.0L), 'f', 2);
    while (text.endsWith(u'0'))
        text.chop(1);
    if (text.endsWith(u'.'))
        text.chop(1);
    return text.replace(u'.', decimalSeparator());
}

// A caption shows "&" of a name as itself, not as an accelerator.
QString quoted(QString text)
{
    return u'"' + text.replace(u'&', u"&&"_s) + u'"';
}
} // namespace

TfrmDish::TfrmDish(const Catalogue *catalogue, const RationModel *dayRation, QWidget *parent)
    : QDialog(parent, WindowLook::ToolWindow),
      m_catalogue(catalogue),
      m_dayRation(dayRation)
{
    setObjectName(u"frmDish"_s);
    setWindowTitle(u"Блюдо"_s);
    setFont(Fonts::msSansSerif(13));

    m_ingredients = new RationModel(decimalSeparator(), this);
    m_frmWeight = new TfrmWeight(m_ingredients, this);
    m_frmWeight->setObjectName(u"frmDishWeight"_s);

    lblCategory = new ElidedLabel(QString(), this); // a name from a file, of any length
    lblCategory->setObjectName(u"lblDishCategory"_s);
    // Cut to the window's width, whatever it is: no name widens the window.
    lblCategory->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);

    edtDishName = new QLineEdit(this);
    edtDishName->setObjectName(u"edtDishName"_s);
    edtDishName->setMaxLength(int(CatalogueLimits::MaxLineBytes)); // no longer than a catalogue line
    edtDishName->setAccessibleName(u"Название"_s);
    auto *nameLabel = new QLabel(u"&Название:"_s, this);
    nameLabel->setBuddy(edtDishName);

    lstIngredients = new QListView(this);
    lstIngredients->setObjectName(u"lstIngredients"_s);
    lstIngredients->setModel(m_ingredients);
    lstIngredients->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lstIngredients->setSelectionMode(QAbstractItemView::SingleSelection);
    lstIngredients->setUniformItemSizes(true);
    lstIngredients->setWordWrap(false);
    lstIngredients->setContextMenuPolicy(Qt::CustomContextMenu);
    lstIngredients->setAccessibleName(u"Состав блюда"_s);
    lstIngredients->setAccessibleDescription(u"F2 или Ввод меняет массу продукта, Delete убирает его"_s);
    auto *ingredientsLabel = new QLabel(u"&Состав блюда:"_s, this);
    ingredientsLabel->setBuddy(lstIngredients);

    btnFromRation = new QPushButton(u"Взять из рациона"_s, this);
    btnFromRation->setObjectName(u"btnFromRation"_s);
    btnFromRation->setAutoDefault(false);

    m_search = new IngredientSearch(catalogue, this);
    auto *searchLabel = new QLabel(u"&Добавить продукт:"_s, this);
    searchLabel->setBuddy(m_search->field());

    edtCookedMass = new QLineEdit(this);
    edtCookedMass->setObjectName(u"edtCookedMass"_s);
    edtCookedMass->setValidator(new QRegularExpressionValidator(QRegularExpression(u"[0-9]{0,6}"_s), edtCookedMass));
    edtCookedMass->setAccessibleName(u"Масса готового блюда, г"_s);
    WindowLook::readableHint(edtCookedMass);
    edtCookedMass->setAccessibleDescription(u"Пусто: сумма масс продуктов"_s);
    edtCookedMass->setMaximumWidth(QFontMetrics(font()).horizontalAdvance(u"0000000"_s) + 16);
    auto *massLabel = new QLabel(u"&Масса готового блюда, г:"_s, this);
    massLabel->setBuddy(edtCookedMass);
    lblCookedMassProblem = new QLabel(u"нужно от 1 до 100000"_s, this);
    lblCookedMassProblem->setObjectName(u"lblCookedMassProblem"_s);
    lblCookedMassProblem->hide();

    lblDishValues = new QLabel(this);
    lblDishValues->setObjectName(u"lblDishValues"_s);
    lblDishValues->setTextFormat(Qt::PlainText);
    lblDishValues->setWordWrap(true);

    btnSave = new QPushButton(u"Сохранить"_s, this);
    btnSave->setObjectName(u"btnSave"_s);
    btnSave->setDefault(true); // Enter in the name or the mass field
    btnClose = new QPushButton(u"Закрыть"_s, this);
    btnClose->setObjectName(u"btnClose"_s);
    btnClose->setAutoDefault(false);

    auto *column = new QVBoxLayout(this);
    column->addWidget(lblCategory);
    auto *nameRow = new QHBoxLayout;
    nameRow->addWidget(nameLabel);
    nameRow->addWidget(edtDishName, 1);
    column->addLayout(nameRow);
    auto *lists = new QGridLayout;
    lists->addWidget(ingredientsLabel, 0, 0);
    lists->addWidget(lstIngredients, 1, 0);
    lists->addWidget(btnFromRation, 2, 0, Qt::AlignLeft);
    lists->addWidget(searchLabel, 0, 1);
    lists->addWidget(m_search, 1, 1, 2, 1);
    lists->setColumnStretch(0, 1);
    lists->setColumnStretch(1, 1);
    column->addLayout(lists, 1);
    auto *massRow = new QHBoxLayout;
    massRow->addWidget(massLabel);
    massRow->addWidget(edtCookedMass);
    massRow->addWidget(lblCookedMassProblem);
    massRow->addStretch(1);
    column->addLayout(massRow);
    column->addWidget(lblDishValues);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnSave);
    buttons->addWidget(btnClose);
    column->addLayout(buttons);

    setTabOrder(edtDishName, lstIngredients);
    setTabOrder(lstIngredients, btnFromRation);
    setTabOrder(btnFromRation, m_search->field());
    setTabOrder(m_search->field(), m_search->list());
    setTabOrder(m_search->list(), edtCookedMass);
    setTabOrder(edtCookedMass, btnSave);
    setTabOrder(btnSave, btnClose);
    resize(640, 460);

    auto *enter = new EnterRelease(this);
    enter->watch(lstIngredients);
    connect(enter, &EnterRelease::released, this, guarded(this, &TfrmDish::changeIngredientMass));
    lstIngredients->installEventFilter(this);
    lstIngredients->viewport()->installEventFilter(this);
    connect(lstIngredients, &QWidget::customContextMenuRequested, this, guarded(this, &TfrmDish::showIngredientMenu));
    connect(m_search, &IngredientSearch::productChosen, this, guarded(this, &TfrmDish::addProduct));
    connect(btnFromRation, &QPushButton::clicked, this, guarded(this, &TfrmDish::btnFromRationClick));
    connect(btnSave, &QPushButton::clicked, this, guarded(this, &TfrmDish::btnSaveClick));
    connect(btnClose, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_ingredients, &RationModel::totalsChanged, this, &TfrmDish::showValues);
    connect(edtCookedMass, &QLineEdit::textChanged, this, [this] {
        lblCookedMassProblem->hide();
        showValues();
    });
    // Done with the window, the change it was made for is over.
    connect(this, &QDialog::finished, this, [this] { m_save = nullptr; });
}

void TfrmDish::edit(const QString &category, const QString &name, const DishRecipe &recipe, Save save)
{
    m_ingredients->replace(recipe.ingredients); // may refuse a recipe read from a file: nothing shown then
    lblCategory->setText(u"Категория: "_s + category);
    edtDishName->setText(name);
    edtCookedMass->setText(recipe.cookedMass ? QString::number(*recipe.cookedMass) : QString());
    lblCookedMassProblem->hide();
    showValues();
    m_save = std::move(save);
    m_search->restart();
    if (const QScreen *screen = this->screen())
        resize(size().boundedTo(screen->availableGeometry().size()));
    show();
    raise();
    activateWindow();
    edtDishName->setFocus(Qt::OtherFocusReason);
    edtDishName->selectAll();
}

DishRecipe TfrmDish::recipe() const
{
    DishRecipe recipe;
    recipe.ingredients = m_ingredients->rows();
    recipe.cookedMass = cookedMass();
    return recipe;
}

QString TfrmDish::dishName() const
{
    return edtDishName->text();
}

std::optional<int> TfrmDish::cookedMass() const
{
    bool ok = false;
    const int grams = edtCookedMass->text().toInt(&ok);
    if (!ok || grams < 1 || grams > DishRecipe::MaxCookedMass)
        return std::nullopt;
    return grams;
}

void TfrmDish::catalogueChanged()
{
    m_search->catalogueChanged();
}

void TfrmDish::showValues()
{
    long double raw = 0;
    try {
        raw = DishRawMass(recipe().ingredients);
    } catch (const UserError &) {
        raw = 0; // rows the ration took always have a mass; nothing to show otherwise
    }
    edtCookedMass->setPlaceholderText(m_ingredients->isEmpty() ? QString() : massText(raw));
    const bool massRefused = !edtCookedMass->text().isEmpty() && !cookedMass();
    lblDishValues->setText(massRefused ? QString() : DishValuesLine(recipe(), decimalSeparator()));
}

void TfrmDish::addProduct(int k, int p)
{
    if (m_ingredients->count() >= DishRecipe::MaxIngredients)
        throw DishCapacityWarning(); // before the mass is asked, in the dish's own words
    // The dialog adds the row itself on OK, or shows why it cannot.
    static_cast<void>(m_frmWeight->ask(m_catalogue->productName(k, p), m_catalogue->Product(k, p)));
    comeBack();
}

void TfrmDish::comeBack()
{
    // A window manager hands the keyboard to the main window once the mass dialog closes: the
    // user goes on here.
    if (isVisible())
        activateWindow();
}

int TfrmDish::currentIngredient() const
{
    const int row = lstIngredients->currentIndex().row();
    return row < m_ingredients->count() ? row : -1;
}

void TfrmDish::changeIngredientMass()
{
    const int row = currentIngredient();
    if (row < 0)
        return;
    static_cast<void>(m_frmWeight->askRowMass(row));
    comeBack();
}

void TfrmDish::removeIngredient()
{
    const int row = currentIngredient();
    if (row >= 0)
        m_ingredients->remove(row);
}

void TfrmDish::showIngredientMenu(const QPoint &pos)
{
    const QModelIndex index = lstIngredients->indexAt(pos);
    if (index.isValid())
        lstIngredients->setCurrentIndex(index);
    const int row = currentIngredient();
    if (row < 0)
        return;
    QMenu menu(this);
    const QString text = quoted(m_ingredients->rowText(row));
    QAction *mass = menu.addAction(u"Изменить массу "_s + text + u"..."_s);
    QAction *remove = menu.addAction(u"Удалить "_s + text + u" из списка"_s);
    const QAction *chosen = menu.exec(lstIngredients->viewport()->mapToGlobal(pos));
    if (chosen == mass)
        QMetaObject::invokeMethod(this, guarded(this, &TfrmDish::changeIngredientMass), Qt::QueuedConnection);
    else if (chosen == remove)
        removeIngredient();
}

bool TfrmDish::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == lstIngredients && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_F2 && !key->isAutoRepeat()) {
            runGuarded([this] { changeIngredientMass(); });
            return true;
        }
        if (key->key() == Qt::Key_Delete) {
            runGuarded([this] { removeIngredient(); });
            return true;
        }
    }
    if (watched == lstIngredients && event->type() == QEvent::ContextMenu
        && static_cast<QContextMenuEvent *>(event)->reason() == QContextMenuEvent::Keyboard) {
        // The Menu key: the menu of the current row, under it, whatever the point Qt gives.
        const QModelIndex current = lstIngredients->currentIndex();
        if (current.isValid()) {
            lstIngredients->scrollTo(current);
            runGuarded([&] { showIngredientMenu(lstIngredients->visualRect(current).center()); });
        }
        return true;
    }
    if (watched == lstIngredients->viewport() && event->type() == QEvent::MouseButtonDblClick
        && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        const QModelIndex index = lstIngredients->indexAt(static_cast<QMouseEvent *>(event)->position().toPoint());
        if (index.isValid()) {
            lstIngredients->setCurrentIndex(index);
            // Queued: the dialog's event loop must not run inside this event.
            QMetaObject::invokeMethod(this, guarded(this, &TfrmDish::changeIngredientMass), Qt::QueuedConnection);
        }
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmDish::btnFromRationClick()
{
    const QList<RationRow> rows = m_ingredients->rows() + m_dayRation->rows();
    if (rows.size() > DishRecipe::MaxIngredients)
        throw DishCapacityWarning(); // nothing changes
    m_ingredients->replace(rows);
}

void TfrmDish::btnSaveClick()
{
    if (!edtCookedMass->text().isEmpty() && !cookedMass()) {
        lblCookedMassProblem->show();
        edtCookedMass->setFocus(Qt::OtherFocusReason);
        edtCookedMass->selectAll();
        return;
    }
    try {
        if (m_save)
            m_save(dishName(), recipe());
    } catch (const ProductProblem &problem) {
        if (problem.field() == ProductField::Name) {
            edtDishName->setFocus(Qt::OtherFocusReason);
            edtDishName->selectAll();
        }
        throw;
    }
    accept();
}
