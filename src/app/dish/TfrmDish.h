#pragma once

#include "dish/DishRecipe.h"

#include <QDialog>

#include <functional>
#include <optional>

class Catalogue;
class ElidedLabel;
class IngredientSearch;
class RationModel;
class TfrmWeight;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;

// The dish window: a dish's name, its ingredients as rows "name = grams" with a search of its own
// to add more, the mass of the cooked dish and its values per 100 g, which follow every change.
// Not modal: the day's window stays at hand, and "Взять из рациона" copies its rows. "Сохранить"
// hands the name and the recipe to the change being made; a refused name keeps the window open
// on the name field, a cooked mass out of range is refused beside its field.
class TfrmDish : public QDialog
{
    Q_OBJECT
public:
    // dayRation is only read: its rows are copied into the dish.
    TfrmDish(const Catalogue *catalogue, const RationModel *dayRation, QWidget *parent);

    using Save = std::function<void(const QString &name, const DishRecipe &recipe)>;
    // Shows the window for a dish of category `category` with the name and the recipe; one at a
    // time: what it showed before is dropped.
    void edit(const QString &category, const QString &name, const DishRecipe &recipe, Save save);

    [[nodiscard]] DishRecipe recipe() const;
    [[nodiscard]] QString dishName() const;
    // The typed cooked mass; none for an empty field or one out of 1..MaxCookedMass.
    [[nodiscard]] std::optional<int> cookedMass() const;
    // The catalogue changed: the search looks again.
    void catalogueChanged();

    [[nodiscard]] RationModel *ingredients() const { return m_ingredients; }
    [[nodiscard]] TfrmWeight *frmWeight() const { return m_frmWeight; }

public slots:
    void btnSaveClick();
    void btnFromRationClick();
    // The current ingredient's mass asked again, or the row removed.
    void changeIngredientMass();
    void removeIngredient();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void addProduct(int k, int p);
    void showValues();
    void comeBack();
    void showIngredientMenu(const QPoint &pos);
    [[nodiscard]] int currentIngredient() const;

    const Catalogue *m_catalogue;
    const RationModel *m_dayRation;
    RationModel *m_ingredients = nullptr;
    TfrmWeight *m_frmWeight = nullptr; // the mass dialog, adding to and changing the ingredients
    Save m_save;

    ElidedLabel *lblCategory = nullptr;
    QLineEdit *edtDishName = nullptr;
    QListView *lstIngredients = nullptr;
    IngredientSearch *m_search = nullptr;
    QPushButton *btnFromRation = nullptr;
    QLineEdit *edtCookedMass = nullptr;
    QLabel *lblCookedMassProblem = nullptr;
    QLabel *lblDishValues = nullptr;
    QPushButton *btnSave = nullptr;
    QPushButton *btnClose = nullptr;
};
