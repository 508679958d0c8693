#pragma once

#include "TabcMenuOptions.h"

#include <QFont>
#include <QIcon>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QSize>
#include <QWidget>

class TabcMenuItem;
class TabcPopupMenuForm;

// A context menu drawn by the program itself: items with images from an image list, shown in its own pop-up window
// (TabcPopupMenuForm) that opens with a short slide. Owned by the form it belongs to.
class TabcPopupMenu : public QObject
{
    Q_OBJECT
public:
    explicit TabcPopupMenu(QWidget *owner);
    ~TabcPopupMenu() override;

    [[nodiscard]] TabcMenuOptions &Options() { return m_options; }
    [[nodiscard]] const TabcMenuOptions &Options() const { return m_options; }

    void setImages(const QList<QIcon> &images, QSize imageSize = QSize(16, 16));
    [[nodiscard]] const QList<QIcon> &images() const { return m_images; }
    [[nodiscard]] QSize imageSize() const { return m_imageSize; }

    [[nodiscard]] QFont font() const { return m_font; }
    // An own font: ParentFont becomes false.
    void setFont(const QFont &font);
    // On: the owner form's font, taken again at each opening.
    [[nodiscard]] bool parentFont() const { return m_parentFont; }
    void setParentFont(bool parentFont);

    [[nodiscard]] bool oldDisabledStyle() const { return m_oldDisabledStyle; }
    void setOldDisabledStyle(bool on);

    TabcMenuItem *addItem(const QString &caption, int imageIndex = -1);
    [[nodiscard]] const QList<TabcMenuItem *> &items() const { return m_items; }

    [[nodiscard]] QWidget *owner() const { return m_owner; }
    [[nodiscard]] TabcPopupMenuForm *form() const;

    // Opens the menu with its top-left corner at a screen point.
    void Popup(int x, int y);
    void popup(QPoint globalPos);
    void closeMenu();
    [[nodiscard]] bool isOpen() const;

    // The menu of this kind that is open now, or nullptr.
    [[nodiscard]] static TabcPopupMenu *openMenu();

signals:
    // Raised before the menu is sized and shown: items changed here are what opens.
    void OnPopup();
    void closed();

private:
    friend class TabcPopupMenuForm;
    void applyFont(const QFont &font);
    void formHidden();

    QPointer<QWidget> m_owner;
    TabcMenuOptions m_options;
    QList<QIcon> m_images;
    QSize m_imageSize{16, 16};
    QFont m_font;
    bool m_parentFont = true;
    bool m_oldDisabledStyle = false;
    QList<TabcMenuItem *> m_items;
    QPointer<TabcPopupMenuForm> m_form;
};
