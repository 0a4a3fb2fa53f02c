#include "ui/DirTree.h"

#include "platform/DirSearch.h"

#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QMouseEvent>
#include <QStandardPaths>
#include <QStorageInfo>
#include <QStyle>


namespace {

enum : int {
    PathRole = Qt::UserRole + 1,
    FilledRole,
};

QIcon ThemeIcon(const char* name, const QStyle* style, QStyle::StandardPixmap fallback)
{
    return QIcon::fromTheme(QLatin1String(name), style->standardIcon(fallback));
}

QString JoinPath(const QString& dir, const QString& name)
{
    return dir.endsWith(u'/') ? dir + name : dir + u'/' + name;
}

} // namespace

TDirTree::TDirTree(QWidget* parent) : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setColumnCount(1);
    setRootIsDecorated(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformRowHeights(true);
    header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    header()->setStretchLastSection(false);
    FFolderIcon = ThemeIcon("folder", style(), QStyle::SP_DirIcon);

    connect(this, &QTreeWidget::itemExpanded, this, &TDirTree::FillChildren);

    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    const bool hasDesktop = !desktop.isEmpty() && QDir(desktop).exists();
    FDesktop = new QTreeWidgetItem(this, {QStringLiteral("桌面")});
    FDesktop->setIcon(0, ThemeIcon("user-desktop", style(), QStyle::SP_DesktopIcon));
    FDesktop->setData(0, PathRole, hasDesktop ? desktop : QString());
    FDesktop->setData(0, FilledRole, true);

    AddFolder(FDesktop, QStringLiteral("主文件夹"), QDir::homePath(),
              ThemeIcon("user-home", style(), QStyle::SP_DirHomeIcon));
    FRoot = AddFolder(FDesktop, QStringLiteral("文件系统"), QStringLiteral("/"),
                      ThemeIcon("drive-harddisk", style(), QStyle::SP_DriveHDIcon));
    const QIcon volumeIcon = ThemeIcon("drive-removable-media", style(), QStyle::SP_DriveHDIcon);
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        const QString root = volume.rootPath();
        const bool userMount = root.startsWith(QLatin1String("/media/")) || root.startsWith(QLatin1String("/mnt/"))
                               || root.startsWith(QLatin1String("/run/media/"));
        if (!volume.isValid() || !volume.isReady() || !userMount)
            continue;
        QString caption = volume.displayName();
        if (caption == root)
            caption = QDir(root).dirName();
        AddFolder(FDesktop, caption, root, volumeIcon);
    }
    if (hasDesktop)
        AddSubfolders(FDesktop, desktop);
    FDesktop->setExpanded(true);
}

QString TDirTree::PathOf(const QTreeWidgetItem* item)
{
    return item ? item->data(0, PathRole).toString() : QString();
}

QString TDirTree::GetPath() const
{
    const QList<QTreeWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? QString() : PathOf(selected.first());
}

QTreeWidgetItem* TDirTree::AddFolder(QTreeWidgetItem* parent, const QString& caption, const QString& path,
                                     const QIcon& icon)
{
    auto* item = new QTreeWidgetItem(parent, {caption});
    item->setIcon(0, icon);
    item->setData(0, PathRole, path);
    item->setData(0, FilledRole, false);
    // Whether it has subfolders is only known once it is opened.
    item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    return item;
}

void TDirTree::AddSubfolders(QTreeWidgetItem* item, const QString& path)
{
    // Folders and links to folders, hidden ones left out, in the order the
    // file list uses for files.
    const plat::TDirListing found = plat::FindEntries(path, QStringLiteral("*"));
    for (std::size_t i = 0; i < found.Count(); ++i) {
        if ((found.Items[i].Attr & (plat::faDirectory | plat::faHidden | plat::faSysFile)) != plat::faDirectory)
            continue;
        const QString name = found.Name(i).toString();
        AddFolder(item, name, JoinPath(path, name), FFolderIcon);
    }
}

void TDirTree::FillChildren(QTreeWidgetItem* item)
{
    if (item->data(0, FilledRole).toBool())
        return;
    item->setData(0, FilledRole, true);
    AddSubfolders(item, PathOf(item));
    if (item->childCount() == 0)
        item->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
}

QTreeWidgetItem* TDirTree::FindPath(const QString& path)
{
    return Find(path, false);
}

QTreeWidgetItem* TDirTree::Find(const QString& path, bool addMissing)
{
    if (!path.startsWith(u'/'))
        return nullptr;
    // Start from the desktop's entry that holds the path most closely: a
    // folder of the home folder is found under "主文件夹", not under "/".
    const QString clean = QDir::cleanPath(path);
    QTreeWidgetItem* item = FRoot;
    QString base = QStringLiteral("/");
    for (int i = 0; i < FDesktop->childCount(); ++i) {
        QTreeWidgetItem* top = FDesktop->child(i);
        const QString topPath = PathOf(top);
        if (topPath.size() > base.size() && (clean == topPath || clean.startsWith(topPath + u'/'))) {
            item = top;
            base = topPath;
        }
    }
    const QStringList parts = clean.mid(base.size()).split(u'/', Qt::SkipEmptyParts);
    for (const QString& part : parts) {
        FillChildren(item);
        item->setExpanded(true);
        const QString wanted = JoinPath(PathOf(item), part);
        QTreeWidgetItem* next = nullptr;
        for (int i = 0; i < item->childCount() && !next; ++i) {
            if (PathOf(item->child(i)) == wanted)
                next = item->child(i);
        }
        if (!next && addMissing)
            next = AddMissing(item, part);
        if (!next)
            return nullptr;
        item = next;
    }
    scrollToItem(item);
    return item;
}

bool TDirTree::SelectPath(const QString& path)
{
    QTreeWidgetItem* item = FindPath(path);
    if (item)
        setCurrentItem(item);
    return item != nullptr;
}

QTreeWidgetItem* TDirTree::AddMissing(QTreeWidgetItem* parent, const QString& name)
{
    const QString path = JoinPath(PathOf(parent), name);
    if (name == u"." || name == u".." || !QFileInfo(path).isDir())
        return nullptr;
    int at = 0;
    while (at < parent->childCount() && plat::NtfsLess(parent->child(at)->text(0), name))
        ++at;
    QTreeWidgetItem* item = AddFolder(parent, name, path, FFolderIcon);
    parent->insertChild(at, parent->takeChild(parent->indexOfChild(item)));
    return item;
}

bool TDirTree::RevealPath(const QString& path)
{
    QTreeWidgetItem* item = Find(path, true);
    if (item)
        setCurrentItem(item);
    return item != nullptr;
}

void TDirTree::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton) {
        if (QTreeWidgetItem* item = itemAt(event->position().toPoint()))
            setCurrentItem(item);
        event->accept();
        return;
    }
    QTreeWidget::mousePressEvent(event);
}

void TDirTree::mouseReleaseEvent(QMouseEvent* event)
{
    QTreeWidget::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && OnClick)
        OnClick();
}
