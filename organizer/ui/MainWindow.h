// The organizer's main window as the user sees it: the menu and toolbar on top, the two grid
// pairs with their arrows, the date picker (hidden until the date range is chosen) and the
// status bar at the bottom, each a widget on its control in Main_Form(). The window keeps the
// form's size, place, state and visibility in step with the widget both ways, raises the form's
// events (resize, click, unload) and carries out the window's steps that the lower half and the
// language window call.
#pragma once

#include "organizer/link/MainWindowSeams.h"

#include <QPointer>
#include <QSizeF>
#include <QWidget>
#include <QWindow>

#include <functional>

namespace torvane::controls {
class CommandBarWidget;
class StatusBarWidget;
} // namespace torvane::controls

namespace tessaro {

class MainWindow : public QWidget, public MainFormSteps, public MobileStatusBar {
    Q_OBJECT
public:
    // Twips the form's outer size counts beyond the widget: borders left and right, the caption
    // and borders above and below.
    static constexpr int FrameWidthTwips = 120;
    static constexpr int FrameHeightTwips = 450;

    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // Closing the window (by the user or a WM_CLOSE) runs this instead of closing at once.
    void setUnloadHandler(std::function<void()> handler) { m_unload = std::move(handler); }

    torvane::controls::CommandBarWidget* bar() const { return m_bar; }
    QWidget* client() const { return m_client; }

    // Brings the window to the front, restored when it was minimized.
    void comeToFront();

    // MainFormSteps
    void InitActiveBar() override;
    void GridHeadlines() override;
    void SetProgressStatus(const QString& organizerName, std::int32_t entryCount, bool clear) override;
    void SetMenus_Click() override;
    void Menu_ClearAppSingle_Click() override;
    void FG1_Click() override;
    void SetBusyPointer() override;
    void SetNormalPointer() override;
    void SetCaption(const QString& caption) override;
    void SetCalCommandCancelCaption(const QString& caption) override;
    void SetHelpFile(const QString& fileName) override;
    void TIVResize() override;
    void FG2_Click(int index) override;
    void ClearMobileCol_Click() override;
    void PeriodeText_Change() override;

    // MobileStatusBar
    void SetPanelText(const QString& panelKey, const QString& text) override;
    void SetPanelPicture(const QString& panelKey, const QString& pictureName) override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildDatePicker();
    void placeChildren();
    int shownState() const;
    void followForm();
    void reportSize();
    void followState();

    torvane::controls::CommandBarWidget* m_bar = nullptr;
    QWidget* m_client = nullptr;
    torvane::controls::StatusBarWidget* m_status = nullptr;
    std::function<void()> m_unload;
    bool m_following = false; // the widget is being set to the form's size
    QPointer<QWindow> m_watchedHandle; // its exposure says whether it is on screen
    QSizeF m_normalSize; // the form's size before it was maximized, twips
};

} // namespace tessaro
