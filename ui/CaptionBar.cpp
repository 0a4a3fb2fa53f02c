#include "ui/CaptionBar.h"

#include "ui/Skinctrldm.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QToolButton>
#include <QWindow>

namespace {

QString Skin(const char* key)
{
    return TSkinCtrlModule::SkinText(QLatin1String(key));
}

enum class TGlyph { Min, Max, Restore, Close };

// White line glyphs that read well on the caption's blue.
QIcon GlyphIcon(TGlyph glyph)
{
    QPixmap pm(28, 28);   // drawn at twice the size, shown at 14
    pm.setDevicePixelRatio(2.0);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::white, 1.6, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    switch (glyph) {
    case TGlyph::Min:
        p.drawLine(QPointF(3, 10.5), QPointF(11, 10.5));
        break;
    case TGlyph::Max:
        p.drawRect(QRectF(3, 3, 8, 8));
        break;
    case TGlyph::Restore:
        p.drawRect(QRectF(2.5, 5.5, 6.5, 6));
        p.drawPolyline(QPolygonF({QPointF(5.5, 5.5), QPointF(5.5, 2.5), QPointF(11.5, 2.5), QPointF(11.5, 8.5),
                                  QPointF(9, 8.5)}));
        break;
    case TGlyph::Close:
        p.drawLine(QPointF(3.5, 3.5), QPointF(10.5, 10.5));
        p.drawLine(QPointF(10.5, 3.5), QPointF(3.5, 10.5));
        break;
    }
    p.end();
    return QIcon(pm);
}

QToolButton* MakeButton(QWidget* parent, const char* name, TGlyph glyph, const char* hintKey)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setIcon(GlyphIcon(glyph));
    button->setIconSize(QSize(14, 14));
    button->setFixedSize(22, 20);
    button->setToolTip(Skin(hintKey));
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoRaise(true);
    return button;
}

} // namespace

TCaptionBar::TCaptionBar(QWidget* form, const TOptions& options) : QWidget(form), FForm(form), FOptions(options)
{
    setObjectName(QStringLiteral("CaptionBar"));
    setAttribute(Qt::WA_StyledBackground);
    setFixedHeight(BarHeight);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(5, 0, 3, 0);
    layout->setSpacing(2);

    if (options.Icon) {
        IconLabel = new QLabel(this);
        IconLabel->setObjectName(QStringLiteral("captionIcon"));
        IconLabel->setFixedSize(18, 18);
        IconLabel->setToolTip(Skin("MENUBUTTON_HINT"));
        IconLabel->installEventFilter(this);
        layout->addWidget(IconLabel);

        SystemMenu = new QMenu(this);
        SystemMenu->setObjectName(QStringLiteral("SystemMenu"));
        FRestore = SystemMenu->addAction(Skin("MI_RESTORECAPTION"), this, [this] { FForm->showNormal(); });
        FMinimize = SystemMenu->addAction(Skin("MI_MINCAPTION"), this, [this] { FForm->showMinimized(); });
        FMaximize = SystemMenu->addAction(Skin("MI_MAXCAPTION"), this, [this] { FForm->showMaximized(); });
        SystemMenu->addSeparator();
        SystemMenu->addAction(Skin("MI_CLOSECAPTION"), this, [this] { FForm->close(); });
        connect(SystemMenu, &QMenu::aboutToShow, this, &TCaptionBar::UpdateState);
    }

    Title = new QLabel(this);
    Title->setObjectName(QStringLiteral("captionTitle"));
    layout->addWidget(Title, 1);

    if (options.MinButton) {
        MinButton = MakeButton(this, "captionMin", TGlyph::Min, "MINBUTTON_HINT");
        connect(MinButton, &QToolButton::clicked, this, [this] { FForm->showMinimized(); });
        layout->addWidget(MinButton);
    }
    if (options.MaxButton) {
        MaxButton = MakeButton(this, "captionMax", TGlyph::Max, "MAXBUTTON_HINT");
        connect(MaxButton, &QToolButton::clicked, this, &TCaptionBar::ToggleMaximized);
        layout->addWidget(MaxButton);
    }
    CloseButton = MakeButton(this, "captionClose", TGlyph::Close, "CLOSEBUTTON_HINT");
    connect(CloseButton, &QToolButton::clicked, this, [this] { FForm->close(); });
    layout->addWidget(CloseButton);

    FForm->installEventFilter(this);
    UpdateState();
}

void TCaptionBar::ShowSystemMenu(const QPoint& globalPos)
{
    if (SystemMenu)
        SystemMenu->popup(globalPos);
}

bool TCaptionBar::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == FForm) {
        switch (event->type()) {
        case QEvent::WindowTitleChange:
        case QEvent::WindowIconChange:
        case QEvent::WindowStateChange:
            UpdateState();
            break;
        default:
            break;
        }
    } else if (watched == IconLabel) {
        if (event->type() == QEvent::MouseButtonPress) {
            ShowSystemMenu(IconLabel->mapToGlobal(QPoint(0, IconLabel->height())));
            return true;
        }
        if (event->type() == QEvent::MouseButtonDblClick) {
            FForm->close();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TCaptionBar::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        if (!FForm->isMaximized() && FForm->windowHandle())
            FForm->windowHandle()->startSystemMove();
        event->accept();
        return;
    }
    if (event->button() == Qt::RightButton && SystemMenu) {
        ShowSystemMenu(event->globalPosition().toPoint());
        event->accept();
        return;
    }
    QWidget::mousePressEvent(event);
}

void TCaptionBar::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && FOptions.MaxButton)
        ToggleMaximized();
    event->accept();
}

void TCaptionBar::ToggleMaximized()
{
    if (FForm->isMaximized())
        FForm->showNormal();
    else
        FForm->showMaximized();
}

void TCaptionBar::UpdateState()
{
    Title->setText(FForm->windowTitle());
    if (IconLabel)
        IconLabel->setPixmap(FForm->windowIcon().pixmap(16, 16));
    const bool maximized = FForm->isMaximized();
    if (MaxButton) {
        MaxButton->setIcon(GlyphIcon(maximized ? TGlyph::Restore : TGlyph::Max));
        MaxButton->setToolTip(Skin(maximized ? "RESTORE_HINT" : "MAXBUTTON_HINT"));
    }
    if (SystemMenu) {
        FRestore->setEnabled(FOptions.MaxButton && maximized);
        FMinimize->setEnabled(FOptions.MinButton);
        FMaximize->setEnabled(FOptions.MaxButton && !maximized);
    }
}
