#include "organizer/ui/MainWindow.h"

#include "organizer/ui/TessaroIcon.h"

#include "organizer/link/PublicVar.h"

#include "organizer/mainwindow/ActiveBar.h"
#include "organizer/mainwindow/GridInteraction.h"
#include "organizer/mainwindow/GridSetup.h"
#include "organizer/mainwindow/MainFormControls.h"
#include "organizer/mainwindow/MainFormLayout.h"
#include "organizer/mainwindow/MainFormState.h"
#include "organizer/mainwindow/MenuStates.h"
#include "organizer/mainwindow/PeriodFields.h"
#include "organizer/mainwindow/Pictures.h"
#include "organizer/mainwindow/StartUp.h"

#include "platform/ui/controls/Twips.h"
#include "platform/ui/controls/widgets/CommandBarWidget.h"
#include "platform/ui/controls/widgets/FieldWidgets.h"
#include "platform/ui/controls/widgets/GridWidget.h"
#include "platform/ui/controls/widgets/MonthCalendarWidget.h"
#include "platform/ui/controls/widgets/StatusBarWidget.h"

#include <QCloseEvent>

namespace tessaro {

namespace controls = torvane::controls;
using controls::pixelsToTwips;
using controls::twipsToPixels;

MainWindow::MainWindow(QWidget* parent) : QWidget(parent)
{
    MainFormControls& f = Main_Form();
    setObjectName(QStringLiteral("Main_Form"));
    setWindowIcon(TessaroIcon());

    m_bar = new controls::CommandBarWidget(f.ActiveBar1, this);
    m_client = new QWidget(this);
    m_client->setObjectName(QStringLiteral("client"));
    m_client->installEventFilter(this);
    for (auto* pair : {&f.FG1, &f.FG2})
        for (controls::Grid& grid : *pair)
            new controls::GridWidget(grid, m_client);
    new controls::PictureBoxWidget(f.ImageMobile2PC, m_client);
    new controls::PictureBoxWidget(f.ImagePC2Mobile, m_client);
    buildDatePicker();
    m_status = new controls::StatusBarWidget(f.TivStatusBar, this);

    // The status bar stays at the window's bottom whatever its control's top says.
    connect(&f.TivStatusBar, &controls::Control::geometryChanged, this, &MainWindow::placeChildren);
    connect(&f.Form, &controls::Control::geometryChanged, this, &MainWindow::followForm);
    connect(&f.Form, &controls::Control::visibleChanged, this, [this](bool visible) {
        if (visible != isVisible())
            setVisible(visible);
    });
    connect(&f.Form, &FormWindow::windowStateChanged, this, [this](int state) {
        if (m_following)
            return;
        const Qt::WindowStates wanted = state == WindowStateMinimized   ? Qt::WindowMinimized
                                        : state == WindowStateMaximized ? Qt::WindowMaximized
                                                                        : Qt::WindowNoState;
        if (windowState() != wanted)
            setWindowState(wanted);
    });
    followForm();
}

MainWindow::~MainWindow() = default;

void MainWindow::buildDatePicker()
{
    MainFormControls& f = Main_Form();
    // The frame draws its border with its lines.
    auto* frame = new controls::FrameWidget(f.StartCalendarFrame, m_client, controls::FrameWidget::Border::None);
    new controls::MonthCalendarWidget(f.TIVStartCalendar, frame);
    auto* fields = new controls::FrameWidget(f.DateFieldsFrame, frame);
    // The date fields are narrow for a weekday and a date: their texts show whole.
    for (controls::TextBox* date : {&f.StartDateText, &f.EndDateText})
        (new controls::TextBoxWidget(*date, fields))->setShowsWholeText(true);
    new controls::TextBoxWidget(f.PeriodeText, fields);
    new controls::ComboBoxWidget(f.PeriodeCombo, fields);
    new controls::CommandButtonWidget(f.CalCommandOK, frame);
    new controls::CommandButtonWidget(f.CalCommandCancel, frame);
    for (auto* lines : {&f.Line1, &f.Line2})
        for (controls::Line& line : *lines)
            new controls::LineWidget(line, frame);
}

void MainWindow::comeToFront()
{
    if (isMinimized() || !isVisible())
        showNormal();
    raise();
    activateWindow();
}

// The bands on top, the status bar at the bottom, the grids between them where their controls
// say (their tops count from below the bands).
void MainWindow::placeChildren()
{
    const int barHeight = m_bar->sizeHint().height();
    const int statusHeight = std::max(twipsToPixels(Main_Form().TivStatusBar.height()), m_status->sizeHint().height());
    m_bar->setGeometry(0, 0, width(), barHeight);
    m_client->setGeometry(0, barHeight, width(), std::max(0, height() - barHeight - statusHeight));
    m_status->setGeometry(0, height() - statusHeight, width(), statusHeight);
}

// The state the window shows on screen. Asked to minimize, a window stays on screen where no
// window manager takes the request (the system still calls it minimized): it is shown, and laid
// out, in the state it had besides.
int MainWindow::shownState() const
{
    const QWindow* handle = windowHandle();
    if (isMinimized() && !(handle && handle->isExposed()))
        return WindowStateMinimized;
    return isMaximized() ? WindowStateMaximized : WindowStateNormal;
}

// The form's size and place are the truth; the widget follows them, size and place each in one
// step, so the window never stands at a size nobody chose.
void MainWindow::followForm()
{
    const FormWindow& form = Main_Form().Form;
    const int state = shownState();
    m_following = true;
    const QSize size(twipsToPixels(form.width() - FrameWidthTwips), twipsToPixels(form.height() - FrameHeightTwips));
    if (size.isValid() && size != this->size() && state == WindowStateNormal)
        resize(size);
    const QPoint place(twipsToPixels(form.left()), twipsToPixels(form.top()));
    if (place != pos() && state != WindowStateMaximized)
        move(place);
    m_following = false;
}

// The user sized the window: the form learns its new width and height together and lays the
// window out. A side whose twips the widget already shows keeps them (the least width is no whole
// number of pixels).
void MainWindow::reportSize()
{
    FormWindow& form = Main_Form().Form;
    form.setClientSize(pixelsToTwips(m_client->width()), pixelsToTwips(m_client->height()));
    if (m_following)
        return;
    const auto outer = [](double twips, int pixels, int frame) {
        return twipsToPixels(twips - frame) == pixels ? twips : pixelsToTwips(pixels) + frame;
    };
    const double width = outer(form.width(), this->width(), FrameWidthTwips);
    const double height = outer(form.height(), this->height(), FrameHeightTwips);
    if (width == form.width() && height == form.height())
        return;
    m_following = true;
    form.move(form.left(), form.top(), width, height);
    m_following = false;
    Form_Resize();
}

// The form takes the state the window shows and lays it out for it.
void MainWindow::followState()
{
    FormWindow& form = Main_Form().Form;
    const int state = shownState();
    if (state == form.windowState())
        return;
    m_following = true;
    // The size may come before or after the state: maximized, the layout starts from the screen
    // the window fills; back from there, from the size it had before, not from that screen.
    if (state == WindowStateMaximized) {
        if (form.windowState() == WindowStateNormal)
            m_normalSize = QSizeF(form.width(), form.height());
        form.move(form.left(), form.top(), pixelsToTwips(width()) + FrameWidthTwips,
                  pixelsToTwips(height()) + FrameHeightTwips);
    } else if (form.windowState() == WindowStateMaximized && state == WindowStateNormal && m_normalSize.isValid()) {
        form.move(form.left(), form.top(), m_normalSize.width(), m_normalSize.height());
    }
    form.setWindowState(state);
    m_following = false;
    Form_Resize();
    followForm();
}

void MainWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    placeChildren();
    reportSize();
}

void MainWindow::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    if (m_following || shownState() != WindowStateNormal)
        return;
    FormWindow& form = Main_Form().Form;
    m_following = true;
    form.setLeft(pixelsToTwips(pos().x()));
    form.setTop(pixelsToTwips(pos().y()));
    m_following = false;
}

void MainWindow::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        followState();
}

void MainWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // Whether the window is on screen shows in its exposure, which only its window handle sees.
    if (QWindow* handle = windowHandle(); handle && handle != m_watchedHandle) {
        handle->installEventFilter(this);
        m_watchedHandle = handle;
    }
    Main_Form().Form.setVisible(true);
    Form_Resize();
}

void MainWindow::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    // Minimizing hides the window on some systems; the form stays loaded and visible.
    if (!event->spontaneous())
        Main_Form().Form.setVisible(false);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (!m_unload) {
        event->accept();
        return;
    }
    event->ignore();
    const std::function<void()> unload = m_unload;
    unload();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_client && event->type() == QEvent::MouseButtonPress)
        Form_Click();
    if (watched == m_watchedHandle && event->type() == QEvent::Expose)
        followState();
    return QWidget::eventFilter(watched, event);
}

void MainWindow::InitActiveBar()
{
    tessaro::InitActiveBar(Main_Form().ActiveBar1);
}

void MainWindow::GridHeadlines()
{
    tessaro::GridHeadlines();
}

void MainWindow::SetProgressStatus(const QString& organizerName, std::int32_t entryCount, bool clear)
{
    tessaro::SetProgressStatus(organizerName, entryCount, clear);
}

void MainWindow::SetMenus_Click()
{
    tessaro::SetMenus_Click();
}

void MainWindow::Menu_ClearAppSingle_Click()
{
    tessaro::Menu_ClearAppSingle_Click();
}

void MainWindow::ClearMobileCol_Click()
{
    tessaro::ClearMobileCol_Click();
}

// A read of either side selects a row of its new grid and clicks it, as the user would.
void MainWindow::FG1_Click()
{
    tessaro::FG1_Click(ActiveGridIndexFG1);
}

void MainWindow::FG2_Click(int index)
{
    tessaro::FG2_Click(index);
}

void MainWindow::TIVResize()
{
    tessaro::TIVResize();
}

void MainWindow::PeriodeText_Change()
{
    tessaro::PeriodeText_Change();
}

void MainWindow::SetBusyPointer()
{
    setCursor(Qt::WaitCursor);
}

void MainWindow::SetNormalPointer()
{
    unsetCursor();
}

void MainWindow::SetCaption(const QString& caption)
{
    setWindowTitle(caption);
}

void MainWindow::SetCalCommandCancelCaption(const QString& caption)
{
    Main_Form().CalCommandCancel.setCaption(caption);
}

void MainWindow::SetHelpFile(const QString& fileName)
{
    HelpFile = fileName;
}

void MainWindow::SetPanelText(const QString& panelKey, const QString& text)
{
    Main_Form().TivStatusBar.panel(panelKey).setText(text);
}

void MainWindow::SetPanelPicture(const QString& panelKey, const QString& pictureName)
{
    Main_Form().TivStatusBar.panel(panelKey).setPicture(pictureName, LoadResPicture(pictureName));
}

} // namespace tessaro
