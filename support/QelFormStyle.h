#pragma once

#include "platform/MenuItem.h"

#include <QObject>
#include <QPoint>
#include <QPointer>

#include <QWidget>

namespace qel {

enum TFormStyle { fsNormal, fsStayOnTop, fsOnDesktop };

// Pins the window to the desktop: kept below every other window and off the
// taskbar, as the desktop style does.
void SetFormOnDeskTop(QWidget* form);
// Keeps the application's windows off the taskbar, the open ones and every
// one shown later.
void HideAppBar();
// Moves the form's top-left corner to the mouse pointer.
void SetFormPosAtMouse(QWidget* form);
// Moves the form by the pointer's movement since `point`, then stores the
// pointer's position in `point`: store it on mouse-down and call this on each
// mouse move to drag a window by its body.
void SetFormPosAsMouseMove(QWidget* form, QPoint& point);
// Sizes the control to width x factor by height x factor, each truncated.
void ZoomControl(QWidget* control, int width, int height, float factor);
// The primary screen's horizontal resolution in dots per inch; 0 without one.
int GetDeskTopDpi();
// The default printer's horizontal resolution in dots per inch; 0 without one.
int GetPrinterDpi();
double MmToPixel(double dpi, double mm);
double PixelToMm(double dpi, double pixels);

} // namespace qel

// Switches the window that owns it between the normal, the always-on-top and
// the desktop style, and keeps up to three menu items in step: clicking an
// item selects its style and then runs the click handler the item had before.
// The items are not owned; a destroyed item clears its property. When the
// component lets an item go (another item takes its place, or the component
// is destroyed) the item gets its earlier handler back.
class TQelFormStyle : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool AutoChecked READ AutoChecked WRITE SetAutoChecked)
    Q_PROPERTY(qel::TFormStyle FormStyle READ FormStyle WRITE SetFormStyle)
    Q_PROPERTY(TMenuItem* FSNormalMenuItem READ FSNormalMenuItem WRITE SetFSNormalMenuItem)
    Q_PROPERTY(TMenuItem* FSStayOnTopMenuItem READ FSStayOnTopMenuItem WRITE SetFSStayOnTopMenuItem)
    Q_PROPERTY(TMenuItem* FSOnDesktopMenuItem READ FSOnDesktopMenuItem WRITE SetFSOnDesktopMenuItem)

public:
    // The form is `owner` when that is a top-level window, else there is none
    // and the styles only move the check marks.
    explicit TQelFormStyle(QObject* owner);
    ~TQelFormStyle() override;

    bool AutoChecked() const { return FAutoChecked; }
    void SetAutoChecked(bool value) { FAutoChecked = value; }

    qel::TFormStyle FormStyle() const { return FFormStyle; }
    void SetFormStyle(qel::TFormStyle value);

    TMenuItem* FSNormalMenuItem() const { return FItems[qel::fsNormal]; }
    void SetFSNormalMenuItem(TMenuItem* item) { SetMenuItem(qel::fsNormal, item); }
    TMenuItem* FSStayOnTopMenuItem() const { return FItems[qel::fsStayOnTop]; }
    void SetFSStayOnTopMenuItem(TMenuItem* item) { SetMenuItem(qel::fsStayOnTop, item); }
    TMenuItem* FSOnDesktopMenuItem() const { return FItems[qel::fsOnDesktop]; }
    void SetFSOnDesktopMenuItem(TMenuItem* item) { SetMenuItem(qel::fsOnDesktop, item); }

    QWidget* Form() const { return FForm; }

private:
    friend struct TFormStyleClick;

    void NormalFormStyle();
    void StayOnTopFormStyle();
    void OnDesktopFormStyle();
    void SetMenuCheck(TMenuItem* item, bool checked);
    void SetChecks(qel::TFormStyle style);
    void MenuClick(qel::TFormStyle style, QObject* sender);

    void SetMenuItem(qel::TFormStyle style, TMenuItem* item);
    void ReleaseItem(qel::TFormStyle style);

    bool FAutoChecked = false;
    qel::TFormStyle FFormStyle = qel::fsNormal;
    QPointer<QWidget> FForm;
    QPointer<TMenuItem> FItems[3];
};
