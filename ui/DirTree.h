#pragma once

#include <QIcon>
#include <QTreeWidget>
#include <functional>

// The folder tree: folders only, rooted at the desktop, which holds the home
// folder, the file-system root, the mounted volumes and the desktop's own
// folders. Folders are read when first opened and never again on their own;
// the tree does not follow changes on disk. A right click selects.
class TDirTree : public QTreeWidget {
    Q_OBJECT
public:
    explicit TDirTree(QWidget* parent = nullptr);

    // Path of the selected folder; "" when nothing is selected or the item
    // stands for no folder.
    QString GetPath() const;
    static QString PathOf(const QTreeWidgetItem* item);

    // Opens the tree down to the folder `path` (absolute) from the desktop's
    // entry that holds it (the home folder, a volume, else the file-system
    // root) and returns its item, or null when a step of the path is not in
    // the tree (hidden, missing, not read again since).
    QTreeWidgetItem* FindPath(const QString& path);
    // FindPath, then selects the item as the keyboard would: no click is
    // reported.
    bool SelectPath(const QString& path);
    // SelectPath for a folder the user named outright (dropped on the
    // window): a step the tree does not show, because it is hidden or was
    // made after its parent was read, is added where it belongs.
    bool RevealPath(const QString& path);

    QTreeWidgetItem* DesktopItem() const { return FDesktop; }
    QTreeWidgetItem* RootItem() const { return FRoot; }

    // A left click anywhere in the tree.
    std::function<void()> OnClick;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QTreeWidgetItem* FDesktop = nullptr;
    QTreeWidgetItem* FRoot = nullptr;
    QIcon FFolderIcon;

    QTreeWidgetItem* AddFolder(QTreeWidgetItem* parent, const QString& caption, const QString& path, const QIcon& icon);
    void FillChildren(QTreeWidgetItem* item);
    void AddSubfolders(QTreeWidgetItem* item, const QString& path);
    QTreeWidgetItem* Find(const QString& path, bool addMissing);
    QTreeWidgetItem* AddMissing(QTreeWidgetItem* parent, const QString& name);
};
