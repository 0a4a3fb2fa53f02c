#pragma once

#include "platform/StringList.h"

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QObject>
#include <QString>

class QLineEdit;
class QMenu;
class QWidget;

// The program's look: a style sheet of its own in place of a stored skin, the
// window font, and the skin texts (KEY=text) that the caption bars and the
// text fields' context menus show. Created before the main window; applies
// itself to the whole application while it lives.
class TSkinCtrlModule : public QObject {
    Q_OBJECT
public:
    explicit TSkinCtrlModule(QObject* owner = nullptr);
    ~TSkinCtrlModule() override;

    // The skin texts, one "KEY=text" line each, in their stored order.
    TStringList* bsResourceStrData1;
    // The style sheet every window is drawn with.
    const QString bsCompressedStoredSkin1;

    QString Text(const QString& key) const { return SkinText(key); }

    // The text of a skin key, or "" for an unknown key. Works without a module.
    static QString SkinText(const QString& key);
    // Number of entries of the built-in texts table.
    static int SkinTextCount();
    static QString StyleSheet();
    // The forms' base font: SimSun, falling back to a CJK font that exists here.
    static QFont FormFont();
    static QIcon AppIcon();
    // The file list's marks: a rename that will be refused, a name that stays.
    static QColor RefusedTextColor() { return QColor(0xb0, 0x24, 0x18); }
    static QColor RefusedBackColor() { return QColor(0xfd, 0xe6, 0xe2); }
    static QColor DimTextColor() { return QColor(0x9a, 0xa8, 0xb8); }

    // The context menu of a text field, in the skin's words: undo, cut, copy,
    // paste, delete, select all, enabled as the field allows.
    static QMenu* CreateEditMenu(QLineEdit* edit, QWidget* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

extern TSkinCtrlModule* SkinCtrlModule;
