#pragma once

#include <QKeySequence>
#include <QObject>
#include <QString>

class TabcPopupMenu;

// One entry of a TabcPopupMenu; a caption of "-" makes it a separator.
class TabcMenuItem : public QObject
{
    Q_OBJECT
public:
    explicit TabcMenuItem(TabcPopupMenu *menu, const QString &caption = {}, int imageIndex = -1);

    [[nodiscard]] TabcPopupMenu *menu() const;

    [[nodiscard]] QString caption() const { return m_caption; }
    void setCaption(const QString &caption);
    // Index into the menu's images; -1 for none.
    [[nodiscard]] int imageIndex() const { return m_imageIndex; }
    void setImageIndex(int index);
    [[nodiscard]] bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled);
    // Default items are drawn bold.
    [[nodiscard]] bool isDefault() const { return m_default; }
    void setDefault(bool isDefault);
    [[nodiscard]] bool isChecked() const { return m_checked; }
    void setChecked(bool checked);
    // Only shown in the right-hand column; the menu does not act on it.
    [[nodiscard]] QKeySequence shortCut() const { return m_shortCut; }
    void setShortCut(const QKeySequence &shortCut);

    [[nodiscard]] bool isSeparator() const;

signals:
    void Click();
    void changed();

private:
    QString m_caption;
    int m_imageIndex = -1;
    bool m_enabled = true;
    bool m_default = false;
    bool m_checked = false;
    QKeySequence m_shortCut;
};
