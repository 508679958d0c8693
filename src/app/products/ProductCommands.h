#pragma once

#include <QDir>
#include <QObject>

#include <memory>
#include <optional>

class Catalogue;
class ProductEdits;
class TfrmProduct;
class QWidget;

// "Новый продукт...", "Изменить продукт..." and "Удалить продукт" of the catalogue menu: the
// user's own products written into the category files. Each command returns the product row to
// show as current afterwards (0 for none), or nothing when nothing changed; a refusal escapes as
// UserError for the window to show. New and change ask in the product dialog they are given.
class ProductCommands : public QObject
{
    Q_OBJECT
public:
    // The removal's question is asked over window.
    ProductCommands(Catalogue &catalogue, QWidget *window);
    ~ProductCommands() override;

    // The folder the catalogue was loaded from; no command works before it is known.
    void setCatalogueFolder(const QDir &folder);
    [[nodiscard]] bool canEdit(int k) const;

    std::optional<int> newProduct(TfrmProduct *dialog, int k);
    std::optional<int> changeProduct(TfrmProduct *dialog, int k, int r);
    std::optional<int> removeProduct(int k, int r);

    // The category files' editor; none before the catalogue folder is known.
    [[nodiscard]] ProductEdits *edits() const { return m_edits.get(); }

private:
    Catalogue &m_catalogue;
    QWidget *m_window;
    std::unique_ptr<ProductEdits> m_edits;
};
