#include "organizer/mainwindow/MainFormControls.h"

#include <memory>

namespace tessaro {

void FormWindow::setWindowState(int state)
{
    if (state < WindowStateNormal || state > WindowStateMaximized)
        invalidValue("WindowState", QString::number(state));
    if (state == m_windowState)
        return;
    m_windowState = state;
    emit windowStateChanged(state);
}

void FormWindow::setClientSize(double width, double height)
{
    m_scaleWidth = width;
    m_scaleHeight = height;
}

MainFormControls::MainFormControls()
{
    Form.setName(QStringLiteral("Main_Form"));
    Form.setVisible(false);
    for (int i = 0; i < 2; ++i) {
        FG1[std::size_t(i)].setName(QStringLiteral("FG1"));
        FG1[std::size_t(i)].setIndex(i);
        FG2[std::size_t(i)].setName(QStringLiteral("FG2"));
        FG2[std::size_t(i)].setIndex(i);
    }
    ActiveBar1.setName(QStringLiteral("ActiveBar1"));
    TIVStartCalendar.setName(QStringLiteral("TIVStartCalendar"));
    StartCalendarFrame.setName(QStringLiteral("StartCalendarFrame"));
    StartCalendarFrame.setVisible(false);
    DateFieldsFrame.setName(QStringLiteral("DateFieldsFrame"));
    StartDateText.setName(QStringLiteral("StartDateText"));
    EndDateText.setName(QStringLiteral("EndDateText"));
    PeriodeText.setName(QStringLiteral("PeriodeText"));
    PeriodeCombo.setName(QStringLiteral("PeriodeCombo"));
    CalCommandOK.setName(QStringLiteral("CalCommandOK"));
    CalCommandOK.setCaption(QStringLiteral("OK"));
    CalCommandCancel.setName(QStringLiteral("CalCommandCancel"));
    CalCommandCancel.setCaption(QStringLiteral("Cancel"));
    for (controls::CommandButton* button : {&CalCommandOK, &CalCommandCancel}) {
        button->setWidth(975);
        button->setHeight(375);
    }
    for (int i = 0; i < 2; ++i) {
        Line1[std::size_t(i)].setName(QStringLiteral("Line1"));
        Line1[std::size_t(i)].setIndex(i);
        Line2[std::size_t(i)].setName(QStringLiteral("Line2"));
        Line2[std::size_t(i)].setIndex(i);
    }
    TivStatusBar.setName(QStringLiteral("TivStatusBar"));
    for (controls::PictureBox* arrow : {&ImageMobile2PC, &ImagePC2Mobile}) {
        arrow->setWidth(960);
        arrow->setHeight(480);
    }
    ImageMobile2PC.setName(QStringLiteral("ImageMobile2PC"));
    ImagePC2Mobile.setName(QStringLiteral("ImagePC2Mobile"));
    ImageList[0].setName(QStringLiteral("ImageList"));
    TIVPictureClipToolbar.setName(QStringLiteral("TIVPictureClipToolbar"));
    TIVToolbarImageList.setName(QStringLiteral("TIVToolbarImageList"));
    TIVMemoImageList.setName(QStringLiteral("TIVMemoImageList"));
    TIVMeetingImageList.setName(QStringLiteral("TIVMeetingImageList"));
    TIVBirthdayImageList.setName(QStringLiteral("TIVBirthdayImageList"));
    TIVCallImageList.setName(QStringLiteral("TIVCallImageList"));
    TIVMemoBellImageList.setName(QStringLiteral("TIVMemoBellImageList"));
    TIVMeetingBellImageList.setName(QStringLiteral("TIVMeetingBellImageList"));
    TIVBirthdayBellImageList.setName(QStringLiteral("TIVBirthdayBellImageList"));
    TIVCallBellImageList.setName(QStringLiteral("TIVCallBellImageList"));
}

namespace {

std::unique_ptr<MainFormControls>& instance()
{
    static std::unique_ptr<MainFormControls> controls;
    return controls;
}

} // namespace

MainFormControls& Main_Form()
{
    if (!instance())
        instance() = std::make_unique<MainFormControls>();
    return *instance();
}

void resetMain_Form()
{
    instance().reset();
}

} // namespace tessaro
