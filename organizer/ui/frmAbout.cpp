#include "organizer/ui/frmAbout.h"

#include "organizer/ui/TessaroIcon.h"
#include "organizer/ui/WindowDesign.h"

#include "organizer/entryeditor/SysInfo.h"

#include "organizer/link/Settings.h"
#include "organizer/link/TessaroStrings.h"

#include "platform/ui/controls/Twips.h"
#include "platform/ui/msgservice/MessageService.h"

#include <QLabel>
#include <QPushButton>

namespace tessaro {

namespace {

constexpr int TxtDescription = 173;

// The window's design in twips.
constexpr double kWidth = 6300;
constexpr double kHeight = 3750;
constexpr double kPictureSize = 480;
constexpr double kPictureTop = 240;
constexpr double kButtonWidth = 1500;
constexpr double kButtonHeight = 375;
constexpr double kButtonTop = 3120;
constexpr double kButtonGap = 120;

} // namespace

frmAbout::frmAbout(QWidget* owner, const ProgramVersion& version) : QDialog(owner)
{
    using torvane::controls::twipsRect;
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(LangText(TxtAppCaption) + QStringLiteral("-Info"));
    setWindowIcon(TessaroIcon());
    placeCentredOnScreen(this, kWidth, kHeight);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setScaledContents(true);
    Image1->setPixmap(QPixmap::fromImage(TessaroIconImage(32)));
    Image1->setGeometry(twipsRect(0, kPictureTop, kPictureSize, kPictureSize));
    Image1->move((width() - Image1->width()) / 2, Image1->y());

    lblTitle = addCentredLabel(this, QStringLiteral("lblTitle"), LangText(TxtAppCaption), 840, 480, 18);
    lblDescription = addCentredLabel(this, QStringLiteral("lblDescription"), LangText(TxtDescription), 1380, 300, 10);
    lblVersion = addCentredLabel(this, QStringLiteral("lblVersion"),
                                 QStringLiteral(" Version ") + VersionText(version), 1680, 300, 10);
    lblDisclaimer = addCentredLabel(this, QStringLiteral("lblDisclaimer"), RightsNotice, 2160, 600, 8);
    lblDisclaimer->setContentsMargins(12, 0, 12, 0);

    const double middle = kWidth / 2;
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(twipsRect(middle - kButtonGap / 2 - kButtonWidth, kButtonTop, kButtonWidth, kButtonHeight));
    cmdOK->setDefault(true);
    cmdSysInfo = new QPushButton(QStringLiteral("&System-Info..."), this);
    cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    cmdSysInfo->setGeometry(twipsRect(middle + kButtonGap / 2, kButtonTop, kButtonWidth, kButtonHeight));

    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::StartSysInfo);
}

void frmAbout::StartSysInfo()
{
    tessaro::StartSysInfo();
}

void ShowAbout(QWidget* owner)
{
    frmAbout about(owner);
    torvane::ui::execDialog(about);
}

} // namespace tessaro
