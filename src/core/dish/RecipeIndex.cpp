#include "dish/RecipeIndex.h"

#include "Cp1251.h"
#include "LineReader.h"
#include "Numbers.h"
#include "dish/DishRecipe.h"

#include <QSet>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

std::optional<RecipeEntry> entryOf(const QString &line)
{
    // Read from the end: a product's name holds no ";", a category file's name may.
    const qsizetype nameAt = line.lastIndexOf(u';');
    if (nameAt <= 0)
        return std::nullopt;
    const qsizetype massAt = line.lastIndexOf(u';', nameAt - 1);
    if (massAt <= 0)
        return std::nullopt;
    const qsizetype fileAt = line.lastIndexOf(u';', massAt - 1);
    if (fileAt <= 0)
        return std::nullopt;
    RecipeEntry entry{line.left(fileAt), line.sliced(fileAt + 1, massAt - fileAt - 1), std::nullopt,
                      line.sliced(nameAt + 1)};
    const QString mass = line.sliced(massAt + 1, nameAt - massAt - 1);
    if (!mass.isEmpty()) {
        int grams = 0;
        if (mass.front() < u'0' || mass.front() > u'9' || !TryStrToInt(mass, grams) || grams < 1
            || grams > DishRecipe::MaxCookedMass)
            return std::nullopt;
        entry.cookedMass = grams;
    }
    if (entry.name.isEmpty() || !RecipeIndex::isRecipeFileName(entry.recipeFile))
        return std::nullopt;
    return entry;
}

int recipeNumber(const QString &file)
{
    return file.chopped(4).toInt();
}

} // namespace

bool RecipeIndex::isRecipeFileName(const QString &name)
{
    if (!name.endsWith(u".edk"_s) || name.size() < 5 || name.size() > 4 + 9 || name.front() == u'0')
        return false;
    for (QChar c : QStringView(name).chopped(4)) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return true;
}

RecipeIndex RecipeIndex::fromBytes(QByteArrayView bytes)
{
    RecipeIndex index;
    LineReader lines(bytes);
    while (!lines.atEnd()) {
        const LineReader::Span span = lines.next();
        const QByteArrayView line = bytes.sliced(span.start, span.length);
        index.m_lines.append(Line{line.toByteArray(), entryOf(Cp1251::decode(line))});
    }
    index.rehash();
    return index;
}

QByteArray RecipeIndex::bytes() const
{
    QByteArray bytes;
    for (const Line &line : m_lines)
        bytes += line.bytes + "\r\n";
    return bytes;
}

QByteArray RecipeIndex::lineBytes(const RecipeEntry &entry)
{
    const QString mass = entry.cookedMass ? QString::number(*entry.cookedMass) : QString();
    return Cp1251::encode(entry.categoryFile + u';' + entry.recipeFile + u';' + mass + u';' + entry.name);
}

void RecipeIndex::rehash()
{
    m_byDish.clear();
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        if (const std::optional<RecipeEntry> &entry = m_lines[i].entry)
            m_byDish.insert(Key{entry->categoryFile, entry->name}, i); // keeps the first
    }
}

const RecipeEntry *RecipeIndex::find(const QString &categoryFile, const QString &name) const
{
    const auto found = m_byDish.constFind(Key{categoryFile, name});
    return found == m_byDish.cend() ? nullptr : &*m_lines[*found].entry;
}

bool RecipeIndex::namesFile(const QString &recipeFile) const
{
    return std::any_of(m_lines.cbegin(), m_lines.cend(),
                       [&](const Line &line) { return line.entry && line.entry->recipeFile == recipeFile; });
}

QStringList RecipeIndex::remove(const QString &categoryFile, const QString &name)
{
    QStringList files;
    m_lines.removeIf([&](const Line &line) {
        const bool match = line.entry && line.entry->categoryFile == categoryFile && line.entry->name == name;
        if (match)
            files << line.entry->recipeFile;
        return match;
    });
    rehash();
    return files;
}

QStringList RecipeIndex::put(const RecipeEntry &entry)
{
    QStringList dropped = remove(entry.categoryFile, entry.name);
    dropped.removeAll(entry.recipeFile);
    m_lines.append(Line{lineBytes(entry), entry});
    rehash();
    return dropped;
}

QString RecipeIndex::unusedRecipeFile(const std::function<bool(const QString &)> &taken) const
{
    constexpr int Highest = 999'999'999;
    QSet<int> used;
    int highest = 0;
    for (const Line &line : m_lines) {
        if (line.entry) {
            used.insert(recipeNumber(line.entry->recipeFile));
            highest = qMax(highest, recipeNumber(line.entry->recipeFile));
        }
    }
    // Numbers go up, so a file removed is not named again soon; after the highest, the gaps.
    for (int n = highest < Highest ? highest + 1 : 1; n <= Highest; ++n) {
        const QString file = QString::number(n) + u".edk"_s;
        if (!used.contains(n) && !taken(file))
            return file;
    }
    return {};
}
