#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QList>
#include <QPair>
#include <QString>

#include <functional>
#include <optional>

// The list of dishes, files/recipes/index.txt: one line per dish,
// "category file;recipe file;cooked mass;dish name" in Windows-1251, CR LF after each line.
// The category file is its line in files/db.txt, the recipe file a plain name in
// files/recipes/ ("12.edk"), the cooked mass whole grams or empty for the raw sum. A dish is
// known by its category file and its name; a line that says nothing sound is kept as it is and
// means nothing.
struct RecipeEntry
{
    QString categoryFile;
    QString recipeFile;
    std::optional<int> cookedMass;
    QString name;
};

class RecipeIndex
{
public:
    static inline const QString Folder = QStringLiteral("files/recipes");
    static inline const QString FilePath = QStringLiteral("files/recipes/index.txt");

    [[nodiscard]] static RecipeIndex fromBytes(QByteArrayView bytes);
    [[nodiscard]] QByteArray bytes() const;

    // The dish's entry; the first line for it when there are several.
    [[nodiscard]] const RecipeEntry *find(const QString &categoryFile, const QString &name) const;
    [[nodiscard]] bool namesFile(const QString &recipeFile) const;
    // The recipe files of the dish's lines, which are dropped.
    QStringList remove(const QString &categoryFile, const QString &name);
    // The dish's lines become this one, at the end. Returns the recipe files no longer named.
    QStringList put(const RecipeEntry &entry);
    // A recipe file name that no line names and taken(name) does not claim; empty when none is left.
    [[nodiscard]] QString unusedRecipeFile(const std::function<bool(const QString &)> &taken) const;
    // The line the entry makes, without its line end.
    [[nodiscard]] static QByteArray lineBytes(const RecipeEntry &entry);
    // "12.edk": digits and the extension only, so a line can never name a file outside the folder.
    [[nodiscard]] static bool isRecipeFileName(const QString &name);

private:
    struct Line
    {
        QByteArray bytes;
        std::optional<RecipeEntry> entry;
    };
    using Key = QPair<QString, QString>;
    void rehash();

    QList<Line> m_lines;
    QHash<Key, qsizetype> m_byDish; // the first line of each dish
};
